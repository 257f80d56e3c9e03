#include "HttpRequestParser.h"
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

// The parser reads what any local program may send the server.
TEST(HttpRequestParser, SplitsRequestsSentBackToBackAndDecodesChunkedBodies)
{
    THttpRequestParser parser;
    parser.Feed("GET /a HTTP/1.1\r\n\r\n"
                "POST /b HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n"
                "4;ext=1\r\nWiki\r\n5\r\npedia\r\n0\r\nTrailer: x\r\n\r\n"
                "GET /c HTTP/1.0\r\n\r\n");
    const auto a = parser.Next();
    const auto b = parser.Next();
    const auto c = parser.Next();
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->Path(), QStringLiteral("/a"));
    EXPECT_TRUE(a->KeepAlive());
    EXPECT_EQ(b->body, "Wikipedia");
    EXPECT_EQ(c->Path(), QStringLiteral("/c"));
    EXPECT_FALSE(c->KeepAlive());
    EXPECT_FALSE(parser.Next().has_value());
}

TEST(HttpRequestParser, RefusesMalformedAndOversizedRequests)
{
    const struct
    {
        QByteArray raw;
        int status;
    } cases[] = {
        {"GARBAGE\r\n\r\n", 400},
        {"GET /a HTTP/2.0\r\n\r\n", 400},
        {"GET /a HTTP/1.1\r\nBad Header: x\r\n\r\n", 400},
        {"POST /a HTTP/1.1\r\nContent-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\n", 400},
        {"POST /a HTTP/1.1\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\n", 400},
        {"POST /a HTTP/1.1\r\nContent-Length: -3\r\n\r\n", 400},
        {"POST /a HTTP/1.1\r\nContent-Length: 2000\r\n\r\n", 413},
        {"POST /a HTTP/1.1\r\nTransfer-Encoding: gzip\r\n\r\n", 501},
        {"POST /a HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", 400},
        {"GET /" + QByteArray(300, 'a') + " HTTP/1.1\r\n\r\n", 431},
    };
    for (const auto &c : cases) {
        THttpRequestParser parser(256, 1000);
        parser.Feed(c.raw);
        EXPECT_FALSE(parser.Next().has_value()) << c.raw.constData();
        EXPECT_EQ(parser.FailureStatus(), c.status) << c.raw.constData();
    }
}

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
