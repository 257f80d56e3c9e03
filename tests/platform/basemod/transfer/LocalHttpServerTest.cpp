#include "HttpRequestParser.h"
#include "MultipartForm.h"
#include "TransferTestSupport.h"

#include <QFile>
#include <QTcpSocket>

using namespace transfer_test;

namespace {

// Sends raw bytes and collects everything the server answers until it closes
// the connection (or `until` holds for the bytes so far).
QByteArray Exchange(quint16 port, const QList<QByteArray> &pieces,
                    const std::function<bool(const QByteArray &)> &until = {})
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!WaitUntil([&] { return socket.state() == QAbstractSocket::ConnectedState; }))
        return {};
    QByteArray received;
    for (const QByteArray &piece : pieces) {
        socket.write(piece);
        // Each piece leaves before the next is written, so the server sees them apart.
        WaitUntil([&] { return socket.bytesToWrite() == 0; });
        received += socket.readAll();
    }
    WaitUntil([&] {
        received += socket.readAll();
        return socket.state() == QAbstractSocket::UnconnectedState || (until && until(received));
    });
    return received + socket.readAll();
}

} // namespace

TEST(HttpRequestParser, AssemblesARequestFedByteByByte)
{
    const QByteArray raw = "POST /up?x=1 HTTP/1.1\r\nHost: a\r\nContent-Length: 5\r\n"
                           "X-Two:  spaced value \r\n\r\nhelloGET";
    THttpRequestParser parser;
    std::optional<THttpRequest> req;
    qsizetype completedAt = -1;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        parser.Feed(QByteArray(1, raw[i]));
        if (!req && (req = parser.Next()))
            completedAt = i;
    }
    ASSERT_TRUE(req.has_value());
    // Complete exactly with the last byte of its body.
    EXPECT_EQ(completedAt, raw.indexOf("hello") + 4);
    EXPECT_EQ(req->method, "POST");
    EXPECT_EQ(req->Path(), QStringLiteral("/up"));
    EXPECT_EQ(req->Query(), "x=1");
    EXPECT_EQ(req->Header("content-length"), "5");
    EXPECT_EQ(req->Header("X-TWO"), "spaced value");
    EXPECT_EQ(req->body, "hello");
    // The start of the next request stays buffered.
    EXPECT_EQ(parser.Buffered(), 3);
    EXPECT_FALSE(parser.Next().has_value());
    EXPECT_FALSE(parser.Failed());
}

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

TEST(MultipartForm, ReadsFieldsAndFileInOrderWithBinaryData)
{
    const QByteArray data = QByteArray("line\r\n--notboundary\r\n") + NoiseBytes(64, 1);
    const QByteArray body = "preamble\r\n--XyZ\r\n"
                            "Content-Disposition: form-data; name=\"key\"\r\n\r\n"
                            "goodVoice/7/a.mp3\r\n--XyZ\r\n"
                            "Content-Disposition: form-data; name=\"semi;colon\"\r\n\r\n"
                            "\r\n--XyZ\r\n"
                            "Content-Disposition: form-data; name=\"file\"; filename=\"a b.mp3\"\r\n"
                            "Content-Type: audio/mpeg\r\n\r\n"
                            + data + "\r\n--XyZ--\r\n";
    const auto parts = ParseMultipartForm("multipart/form-data; boundary=\"XyZ\"", body);
    ASSERT_TRUE(parts.has_value());
    ASSERT_EQ(parts->size(), 3);
    EXPECT_EQ((*parts)[0].name, "key");
    EXPECT_EQ((*parts)[0].data, "goodVoice/7/a.mp3");
    EXPECT_FALSE((*parts)[0].hasFileName);
    EXPECT_EQ((*parts)[1].name, "semi;colon");
    EXPECT_EQ((*parts)[1].data, "");
    EXPECT_EQ((*parts)[2].fileName, "a b.mp3");
    EXPECT_EQ((*parts)[2].contentType, "audio/mpeg");
    EXPECT_EQ((*parts)[2].data, data);

    // Without its closing delimiter the body is incomplete.
    EXPECT_FALSE(ParseMultipartForm("multipart/form-data; boundary=XyZ", body.left(body.size() - 9)).has_value());
    EXPECT_FALSE(ParseMultipartForm("text/plain; boundary=XyZ", body).has_value());
}

TEST_F(ServerFixture, AnswersRequestsInPiecesAndInTurnOnOneConnectionAndAMalformedOneWith400AndClose)
{
    Serve(QStringLiteral("one.txt"), "first");
    Serve(QStringLiteral("two.txt"), "second!");
    const QByteArray answer = Exchange(server.Port(), {"GET /one.t", "xt HTTP/1.1\r\nHost: x\r\n",
                                                       "\r\nGET /two.txt HTTP/1.1\r\n"
                                                       "Connection: close\r\n\r\n"});
    const qsizetype first = answer.indexOf("HTTP/1.1 200 OK");
    const qsizetype second = answer.indexOf("HTTP/1.1 200 OK", first + 1);
    ASSERT_GE(first, 0) << answer.constData();
    ASSERT_GT(second, first) << answer.constData();
    EXPECT_TRUE(answer.mid(first, second - first).contains("Connection: keep-alive"));
    EXPECT_TRUE(answer.mid(first, second - first).endsWith("\r\n\r\nfirst"));
    EXPECT_TRUE(answer.mid(second).contains("Content-Length: 7\r\n"));
    EXPECT_TRUE(answer.endsWith("\r\n\r\nsecond!"));
    EXPECT_EQ(server.RequestLog(), (QStringList{QStringLiteral("GET /one.txt"), QStringLiteral("GET /two.txt")}));

    const QByteArray malformed = Exchange(server.Port(), {"NOT HTTP AT ALL\r\n\r\n"});
    EXPECT_TRUE(malformed.startsWith("HTTP/1.1 400")) << malformed.constData();
    EXPECT_TRUE(malformed.contains("Connection: close"));
}

TEST_F(ServerFixture, RefusesPathsLeavingTheRootAndReportsMissingFiles)
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
    const QByteArray escapes[] = {"/../secret.txt", "/%2e%2e/secret.txt", "/a/../../secret.txt", "/..%5csecret.txt"};
    for (const QByteArray &path : escapes) {
        const QByteArray answer = Exchange(server.Port(), {"GET " + path + " HTTP/1.1\r\nConnection: close\r\n\r\n"});
        EXPECT_TRUE(answer.startsWith("HTTP/1.1 403")) << path.constData() << answer.constData();
        EXPECT_FALSE(answer.contains("secret\r")) << path.constData();
        EXPECT_FALSE(answer.endsWith("secret")) << path.constData();
    }
    server.SetRoot(served.path());
    EXPECT_TRUE(
        Exchange(server.Port(), {"GET /link.txt HTTP/1.1\r\nConnection: close\r\n\r\n"}).startsWith("HTTP/1.1 403"));
    EXPECT_TRUE(
        Exchange(server.Port(), {"GET /none.txt HTTP/1.1\r\nConnection: close\r\n\r\n"}).startsWith("HTTP/1.1 404"));
    EXPECT_TRUE(
        Exchange(server.Port(), {"GET /secret.txt HTTP/1.1\r\nConnection: close\r\n\r\n"}).endsWith("\r\n\r\nsecret"));
}
