#include "LocalHttpServer.h"

#include "MultipartForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

QByteArray Reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 201: return "Created";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 413: return "Content Too Large";
    case 415: return "Unsupported Media Type";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// A request path may only name something below the root: no "..", no
// back-slash (another separator on some systems), no NUL.
bool IsSafeRelativePath(const QString &path)
{
    if (!path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char('\\')) || path.contains(QChar(0)))
        return false;
    const QStringList segments = path.split(QLatin1Char('/'));
    for (const QString &s : segments)
        if (s == QLatin1String(".."))
            return false;
    return true;
}

} // namespace

THttpResponse THttpResponse::Json(int status, const QByteArray &body)
{
    return {status, {{"Content-Type", "application/json; charset=utf-8"}}, body};
}

THttpResponse THttpResponse::Text(int status, const QByteArray &body)
{
    return {status, {{"Content-Type", "text/plain; charset=utf-8"}}, body};
}

LocalHttpServer::LocalHttpServer(QObject *parent)
    : QObject(parent),
      m_server(new QTcpServer(this)),
      m_uploadReply(THttpResponse::Json(200, R"({"errorCode":0})"))
{
    connect(m_server, &QTcpServer::newConnection, this, &LocalHttpServer::OnNewConnection);
}

LocalHttpServer::~LocalHttpServer()
{
    const auto connections = m_connections;
    m_connections.clear();
    for (auto it = connections.begin(); it != connections.end(); ++it) {
        QObject::disconnect(it.key(), nullptr, this, nullptr);
        delete it.key();
        delete it.value();
    }
}

bool LocalHttpServer::Listen()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

quint16 LocalHttpServer::Port() const
{
    return m_server->serverPort();
}

QUrl LocalHttpServer::Url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(Port()) + path);
}

void LocalHttpServer::SetRoot(const QString &folder)
{
    m_root = folder;
}

void LocalHttpServer::SetHandler(THandler handler)
{
    m_handler = std::move(handler);
}

void LocalHttpServer::FailWith(const QString &path, int status)
{
    m_rules.insert(path, {TRule::TKind::Fail, status, -1, {}});
}

void LocalHttpServer::Stall(const QString &path, qint64 bytesFirst)
{
    m_rules.insert(path, {TRule::TKind::Stall, 0, bytesFirst, {}});
}

void LocalHttpServer::Truncate(const QString &path, qint64 bytes)
{
    m_rules.insert(path, {TRule::TKind::Truncate, 0, bytes, {}});
}

void LocalHttpServer::Redirect(const QString &path, const QString &location, int status)
{
    m_rules.insert(path, {TRule::TKind::Redirect, status, -1, location});
}

void LocalHttpServer::Pace(const QString &path, qint64 chunkBytes, int intervalMs)
{
    TRule rule{TRule::TKind::Pace, 0, qMax<qint64>(1, chunkBytes), {}};
    rule.intervalMs = qMax(1, intervalMs);
    m_rules.insert(path, rule);
}

void LocalHttpServer::ClearRules()
{
    m_rules.clear();
}

void LocalHttpServer::SetUploadReply(const QByteArray &body, int status, const QByteArray &contentType)
{
    m_uploadReply = {status, {{"Content-Type", contentType}}, body};
}

int LocalHttpServer::StalledCount() const
{
    int n = 0;
    for (const TConnection *c : m_connections)
        n += c->held && !c->pacer ? 1 : 0;
    return n;
}

void LocalHttpServer::ReleaseStalled()
{
    QList<QPointer<QTcpSocket>> held;
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it)
        if (it.value()->held && !it.value()->pacer)
            held.append(it.key());
    for (const QPointer<QTcpSocket> &socket : held) {
        if (!socket || !m_connections.contains(socket.data()))
            continue;
        TConnection *conn = m_connections.value(socket.data());
        conn->held = false;
        const QByteArray rest = std::exchange(conn->heldRest, {});
        Send(socket, rest, conn->closeAfterHeld);
        if (!conn->closeAfterHeld)
            ProcessRequests(socket);
    }
}

void LocalHttpServer::OnNewConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        m_connections.insert(socket, new TConnection);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        // The connection state goes with the socket, never before it, so a
        // close that happens while a request is being answered leaves the
        // state valid until the answer code has returned.
        connect(socket, &QObject::destroyed, this, [this, socket] { delete m_connections.take(socket); });
    }
}

void LocalHttpServer::OnReadyRead(QTcpSocket *socket)
{
    TConnection *conn = m_connections.value(socket);
    if (!conn)
        return;
    conn->parser.Feed(socket->readAll());
    ProcessRequests(socket);
}

void LocalHttpServer::ProcessRequests(QTcpSocket *socket)
{
    TConnection *conn = m_connections.value(socket);
    while (conn && !conn->held && socket->state() == QAbstractSocket::ConnectedState) {
        if (std::optional<THttpRequest> req = conn->parser.Next()) {
            Answer(socket, *req);
            continue;
        }
        if (conn->parser.Failed()) {
            const int status = conn->parser.FailureStatus();
            const THttpResponse resp = THttpResponse::Text(status, Reason(status));
            Send(socket, Serialize(resp, false, false), true);
        }
        return;
    }
}

void LocalHttpServer::Answer(QTcpSocket *socket, const THttpRequest &req)
{
    TConnection *conn = m_connections.value(socket);
    const QString path = req.Path();
    m_requestLog.append(QString::fromLatin1(req.method) + QLatin1Char(' ') + QString::fromUtf8(req.target));
    const bool keepAlive = req.KeepAlive();
    const bool headOnly = req.method == "HEAD";

    const std::optional<TRule> rule = m_rules.contains(path) ? std::optional<TRule>(m_rules.value(path)) : std::nullopt;
    THttpResponse resp;
    if (rule && rule->kind == TRule::TKind::Fail) {
        resp = THttpResponse::Text(rule->status, Reason(rule->status));
    } else if (rule && rule->kind == TRule::TKind::Redirect) {
        resp = THttpResponse::Text(rule->status, "moved");
        resp.headers.append({"Location", rule->location.toUtf8()});
    } else if (std::optional<THttpResponse> handled = m_handler ? m_handler(req) : std::nullopt) {
        resp = *handled;
    } else if (req.method == "GET" || req.method == "HEAD") {
        resp = ServeFile(req).value_or(THttpResponse::Text(404, Reason(404)));
    } else if (req.method == "POST") {
        resp = TakeUpload(req);
    } else {
        resp = THttpResponse::Text(405, Reason(405));
    }

    if (rule && rule->kind == TRule::TKind::Truncate) {
        const QByteArray head = Serialize(resp, false, true, resp.body.size());
        Send(socket, head + resp.body.left(qMax<qint64>(0, rule->bytes)), true);
    } else if (rule && rule->kind == TRule::TKind::Stall) {
        const QByteArray all = Serialize(resp, keepAlive, headOnly);
        const qsizetype headSize = Serialize(resp, keepAlive, true).size();
        const qsizetype first = rule->bytes < 0 ? 0 : qMin<qsizetype>(all.size(), headSize + rule->bytes);
        if (first > 0)
            Send(socket, all.left(first), false);
        conn->held = true;
        conn->heldRest = all.mid(first);
        conn->closeAfterHeld = !keepAlive;
    } else if (rule && rule->kind == TRule::TKind::Pace) {
        conn->held = true;
        conn->heldRest = Serialize(resp, keepAlive, headOnly);
        conn->closeAfterHeld = !keepAlive;
        conn->paceChunk = rule->bytes;
        conn->pacer = new QTimer(socket);
        connect(conn->pacer, &QTimer::timeout, this, [this, socket] { SendNextPiece(socket); });
        conn->pacer->start(rule->intervalMs);
        SendNextPiece(socket);
    } else {
        Send(socket, Serialize(resp, keepAlive, headOnly), !keepAlive);
    }
    Q_EMIT requestHandled(QString::fromLatin1(req.method), path);
}

std::optional<THttpResponse> LocalHttpServer::ServeFile(const THttpRequest &req) const
{
    const QString path = req.Path();
    if (!IsSafeRelativePath(path))
        return THttpResponse::Text(403, Reason(403));
    if (m_root.isEmpty())
        return std::nullopt;
    const QString rootCanonical = QFileInfo(m_root).canonicalFilePath();
    const QFileInfo info(m_root + path);
    if (!info.exists() || !info.isFile())
        return std::nullopt;
    // A link inside the root must not lead outside it.
    if (!info.canonicalFilePath().startsWith(rootCanonical + QLatin1Char('/')))
        return THttpResponse::Text(403, Reason(403));
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return THttpResponse::Text(403, Reason(403));
    return THttpResponse{200, {{"Content-Type", "application/octet-stream"}}, file.readAll()};
}

THttpResponse LocalHttpServer::TakeUpload(const THttpRequest &req)
{
    const QByteArray type = req.Header("Content-Type");
    if (FormBoundary(type).isEmpty())
        return THttpResponse::Text(415, Reason(415));
    const std::optional<QList<TFormPart>> parts = ParseMultipartForm(type, req.body);
    if (!parts)
        return THttpResponse::Text(400, Reason(400));
    TRecordedUpload up;
    up.path = req.Path();
    for (const TFormPart &p : *parts) {
        up.partOrder.append(QString::fromUtf8(p.name));
        if (p.hasFileName) {
            up.fileField = QString::fromUtf8(p.name);
            up.fileName = QString::fromUtf8(p.fileName);
            up.fileContentType = p.contentType;
            up.fileBytes = p.data;
        } else {
            up.fields.append({QString::fromUtf8(p.name), QString::fromUtf8(p.data)});
        }
    }
    m_uploads.append(std::move(up));
    return m_uploadReply;
}

QByteArray LocalHttpServer::Serialize(const THttpResponse &resp, bool keepAlive, bool headOnly, qint64 announcedLength)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(resp.status) + ' ' + Reason(resp.status) + "\r\n";
    for (const auto &h : resp.headers)
        out += h.first + ": " + h.second + "\r\n";
    const qint64 length = announcedLength >= 0 ? announcedLength : resp.body.size();
    out += "Content-Length: " + QByteArray::number(length) + "\r\n";
    out += keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    out += "\r\n";
    if (!headOnly)
        out += resp.body;
    return out;
}

void LocalHttpServer::SendNextPiece(QTcpSocket *socket)
{
    TConnection *conn = m_connections.value(socket);
    if (!conn || !conn->pacer)
        return;
    Send(socket, conn->heldRest.left(conn->paceChunk), false);
    conn->heldRest.remove(0, conn->paceChunk);
    if (!conn->heldRest.isEmpty())
        return;
    QTimer *pacer = std::exchange(conn->pacer, nullptr);
    pacer->stop();
    pacer->deleteLater();
    conn->held = false;
    if (conn->closeAfterHeld)
        Send(socket, {}, true);
    else
        QTimer::singleShot(0, socket, [this, socket] { ProcessRequests(socket); });
}

void LocalHttpServer::Send(QTcpSocket *socket, const QByteArray &bytes, bool close)
{
    if (!bytes.isEmpty())
        socket->write(bytes);
    if (close)
        socket->disconnectFromHost();
}
