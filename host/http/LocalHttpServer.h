#pragma once
// A small HTTP/1.1 server on the loopback interface, for tests and for an
// embedded service of a host.
//
// It listens on 127.0.0.1 at a port chosen by the system and answers on the
// user-interface thread through the event loop, so the code under test and
// the server run in one thread and a test only has to keep dispatching
// events. What it does:
//  - GET and HEAD serve the files below a root folder, with Content-Length;
//    a missing file is 404; a path that leaves the root ("..", a back-slash,
//    a link pointing outside) is refused with 403.
//  - POST with a multipart/form-data body is an upload: every upload is
//    recorded (its form fields in order, the file part's name and bytes) and
//    answered with a configurable body (JSON by default).
//  - Per path, a rule can replace the normal answer: fail with a status,
//    stall (hold the answer, optionally after part of the body, until
//    released), pace (send it in small pieces at intervals), truncate the body (announce the full length, send fewer bytes
//    and close) or redirect.
//  - A general handler can answer any request before the built-in behaviour.
// Requests may arrive in pieces, several on one kept-alive connection, with
// a Content-Length or chunked body; "Connection: close" is honoured.

#include "HttpRequestParser.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class QTcpServer;
class QTcpSocket;
class QTimer;

struct THttpResponse
{
    int status = 200;
    THttpHeaders headers; // Content-Length and Connection are added when sent
    QByteArray body;

    static THttpResponse Json(int status, const QByteArray &body);
    static THttpResponse Text(int status, const QByteArray &body);
};

// One multipart upload as the server received it.
struct TRecordedUpload
{
    QString path;                          // the request path
    QList<QPair<QString, QString>> fields; // parts without a file name, in order
    QString fileField;                     // name of the part with a file name
    QString fileName;                      // its file name
    QByteArray fileContentType;
    QByteArray fileBytes;
    QStringList partOrder; // names of all parts as sent
};

class LocalHttpServer : public QObject
{
    Q_OBJECT
public:
    // Returns an answer for a request it takes care of, nothing to let the
    // server go on with its rules and built-in behaviour.
    using THandler = std::function<std::optional<THttpResponse>(const THttpRequest &)>;

    explicit LocalHttpServer(QObject *parent = nullptr);
    ~LocalHttpServer() override;
    LocalHttpServer(const LocalHttpServer &) = delete;
    LocalHttpServer &operator=(const LocalHttpServer &) = delete;

    // Starts listening on 127.0.0.1 with an ephemeral port.
    bool Listen();
    quint16 Port() const;
    // "http://127.0.0.1:<port>" + path (path starts with "/").
    QUrl Url(const QString &path) const;

    // Folder whose files GET serves; nothing is served until it is set.
    void SetRoot(const QString &folder);
    void SetHandler(THandler handler);

    // Rules by request path (decoded, without query), for any method.
    void FailWith(const QString &path, int status);
    // Holds the answer until ReleaseStalled: with bytesFirst < 0 nothing is
    // sent at all; otherwise the head and the first bytesFirst body bytes go
    // out at once.
    void Stall(const QString &path, qint64 bytesFirst = -1);
    // Announces the full length but sends only `bytes` of the body, then
    // closes the connection.
    void Truncate(const QString &path, qint64 bytes);
    void Redirect(const QString &path, const QString &location, int status = 302);
    // Sends the answer `chunkBytes` at a time, one piece every `intervalMs`
    // (real time), like a slow network.
    void Pace(const QString &path, qint64 chunkBytes, int intervalMs);
    void ClearRules();
    // Sends the rest of every held answer.
    void ReleaseStalled();

    // The answer to uploads; default status 200 with {"errorCode":0}.
    void SetUploadReply(const QByteArray &body, int status = 200, const QByteArray &contentType = "application/json");

    QList<TRecordedUpload> Uploads() const { return m_uploads; }
    // "METHOD target" of every complete request, in arrival order.
    QStringList RequestLog() const { return m_requestLog; }
    int OpenConnections() const { return int(m_connections.size()); }
    int StalledCount() const;

Q_SIGNALS:
    void requestHandled(const QString &method, const QString &path);

private:
    struct TRule
    {
        enum class TKind { Fail, Stall, Truncate, Redirect, Pace } kind = TKind::Fail;
        int status = 0;
        qint64 bytes = -1;
        QString location;
        int intervalMs = 0;
    };
    struct TConnection
    {
        THttpRequestParser parser;
        bool held = false;   // an answer is stalled; later requests wait
        QByteArray heldRest; // bytes to send on release
        bool closeAfterHeld = false;
        QTimer *pacer = nullptr; // sends heldRest piece by piece
        qint64 paceChunk = 0;
    };

    void OnNewConnection();
    void OnReadyRead(QTcpSocket *socket);
    void ProcessRequests(QTcpSocket *socket);
    void Answer(QTcpSocket *socket, const THttpRequest &req);
    std::optional<THttpResponse> ServeFile(const THttpRequest &req) const;
    THttpResponse TakeUpload(const THttpRequest &req);
    static QByteArray Serialize(const THttpResponse &resp, bool keepAlive, bool headOnly, qint64 announcedLength = -1);
    void Send(QTcpSocket *socket, const QByteArray &bytes, bool close);
    void SendNextPiece(QTcpSocket *socket);

    QTcpServer *m_server = nullptr;
    QString m_root;
    THandler m_handler;
    QHash<QString, TRule> m_rules;
    THttpResponse m_uploadReply;
    QHash<QTcpSocket *, TConnection *> m_connections;
    QList<TRecordedUpload> m_uploads;
    QStringList m_requestLog;
};
