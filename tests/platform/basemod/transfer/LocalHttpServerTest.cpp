#include "TransferTestSupport.h"

#include <QFile>
#include <QTcpSocket>

using namespace transfer_test;

namespace {

// Sends one request and collects everything the server answers until it
// closes the connection.
QByteArray Exchange(quint16 port, const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!WaitUntil([&] { return socket.state() == QAbstractSocket::ConnectedState; }))
        return {};
    socket.write(request);
    QByteArray received;
    WaitUntil([&] {
        received += socket.readAll();
        return socket.state() == QAbstractSocket::UnconnectedState;
    });
    return received + socket.readAll();
}

} // namespace

TEST_F(ServerFixture, RefusesPathsLeavingTheRootAndMalformedRequestsAndReportsMissingFiles)
{
    QTemporaryDir outside;
    ASSERT_TRUE(WriteFile(outside.path() + QStringLiteral("/secret.txt"), "secret"));
    ASSERT_TRUE(
        QFile::link(outside.path() + QStringLiteral("/secret.txt"), served.path() + QStringLiteral("/link.txt")));
    // The served root is one level below the folder holding "secret.txt".
    const QString inner = served.path() + QStringLiteral("/inner");
    ASSERT_TRUE(QDir().mkpath(inner));
    ASSERT_TRUE(WriteFile(served.path() + QStringLiteral("/secret.txt"), "secret"));
    server.SetRoot(inner);
    const QByteArray escapes[] = {"/../secret.txt", "/%2e%2e/secret.txt", "/..%5csecret.txt"};
    for (const QByteArray &path : escapes) {
        const QByteArray answer = Exchange(server.Port(), "GET " + path + " HTTP/1.1\r\nConnection: close\r\n\r\n");
        EXPECT_TRUE(answer.startsWith("HTTP/1.1 403")) << path.constData() << answer.constData();
        EXPECT_FALSE(answer.endsWith("secret")) << path.constData();
    }
    server.SetRoot(served.path());
    EXPECT_TRUE(
        Exchange(server.Port(), "GET /link.txt HTTP/1.1\r\nConnection: close\r\n\r\n").startsWith("HTTP/1.1 403"));
    EXPECT_TRUE(
        Exchange(server.Port(), "GET /none.txt HTTP/1.1\r\nConnection: close\r\n\r\n").startsWith("HTTP/1.1 404"));
    EXPECT_TRUE(
        Exchange(server.Port(), "GET /secret.txt HTTP/1.1\r\nConnection: close\r\n\r\n").endsWith("\r\n\r\nsecret"));
    const QByteArray malformed = Exchange(server.Port(), "NOT HTTP AT ALL\r\n\r\n");
    EXPECT_TRUE(malformed.startsWith("HTTP/1.1 400")) << malformed.constData();
}
