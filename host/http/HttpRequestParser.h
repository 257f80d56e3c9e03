#pragma once
// Incremental parser of HTTP/1.x requests as they arrive on a connection.
//
// Bytes are fed in whatever pieces the socket delivers; complete requests are
// taken out one at a time, so partial reads and several requests sent back to
// back on one kept-alive connection are both handled. Bodies framed by
// Content-Length and by chunked transfer coding are supported. Malformed or
// oversized input puts the parser into a failed state with the status code
// the server should answer before closing the connection.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

using THttpHeaders = QList<QPair<QByteArray, QByteArray>>;

struct THttpRequest
{
    QByteArray method;    // "GET", "POST", ...
    QByteArray target;    // the request target as sent: path and query
    QByteArray version;   // "HTTP/1.1"
    THttpHeaders headers; // in the order sent, names as sent
    QByteArray body;      // de-chunked when it came chunked

    // First header of that name, compared without regard to case; empty when absent.
    QByteArray Header(const QByteArray &name) const;
    bool HasHeader(const QByteArray &name) const;
    // The path part of the target, percent-decoded (UTF-8).
    QString Path() const;
    // The query part of the target (after "?"), still encoded.
    QByteArray Query() const;
    // Whether the client wants the connection kept open after the answer.
    bool KeepAlive() const;
};

class THttpRequestParser
{
public:
    explicit THttpRequestParser(qsizetype maxHeaderBytes = 64 * 1024, qsizetype maxBodyBytes = 256 * 1024 * 1024);

    void Feed(const QByteArray &bytes);
    // The next complete request, or nothing while more bytes are needed or
    // after a failure.
    std::optional<THttpRequest> Next();

    bool Failed() const { return m_failStatus != 0; }
    // 400 malformed, 413 body too large, 431 header too large, 501 unknown
    // transfer coding; 0 while nothing failed.
    int FailureStatus() const { return m_failStatus; }
    // Bytes received but not yet part of a returned request.
    qsizetype Buffered() const { return m_buffer.size(); }

private:
    enum class TStage { Head, FixedBody, Chunked };

    bool ParseHead();
    bool TakeFixedBody();
    bool TakeChunkedBody();
    void Fail(int status);

    qsizetype m_maxHeader;
    qsizetype m_maxBody;
    QByteArray m_buffer;
    TStage m_stage = TStage::Head;
    THttpRequest m_pending;
    qint64 m_bodyLength = 0;
    int m_failStatus = 0;
};
