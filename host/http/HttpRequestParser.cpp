#include "HttpRequestParser.h"

namespace {

bool IsToken(const QByteArray &s)
{
    if (s.isEmpty())
        return false;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 32 || u >= 127 || c == ':' || c == '"' || c == '(' || c == ')' || c == ',' || c == '/' || c == ';'
            || c == '<' || c == '=' || c == '>' || c == '?' || c == '@' || c == '[' || c == '\\' || c == ']' || c == '{'
            || c == '}')
            return false;
    }
    return true;
}

// Index just past the end of the line starting at `from` ("\n" or "\r\n"),
// with the line's text in `line`; -1 when the line is not complete yet.
qsizetype TakeLine(const QByteArray &buf, qsizetype from, QByteArray &line)
{
    const qsizetype nl = buf.indexOf('\n', from);
    if (nl < 0)
        return -1;
    qsizetype end = nl;
    if (end > from && buf.at(end - 1) == '\r')
        --end;
    line = buf.mid(from, end - from);
    return nl + 1;
}

} // namespace

QByteArray THttpRequest::Header(const QByteArray &name) const
{
    for (const auto &h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return {};
}

bool THttpRequest::HasHeader(const QByteArray &name) const
{
    for (const auto &h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString THttpRequest::Path() const
{
    QByteArray path = target;
    const qsizetype q = path.indexOf('?');
    if (q >= 0)
        path.truncate(q);
    return QString::fromUtf8(QByteArray::fromPercentEncoding(path));
}

QByteArray THttpRequest::Query() const
{
    const qsizetype q = target.indexOf('?');
    return q < 0 ? QByteArray() : target.mid(q + 1);
}

bool THttpRequest::KeepAlive() const
{
    const QByteArray connection = Header("Connection").toLower();
    if (version == "HTTP/1.0")
        return connection.contains("keep-alive");
    return !connection.contains("close");
}

THttpRequestParser::THttpRequestParser(qsizetype maxHeaderBytes, qsizetype maxBodyBytes)
    : m_maxHeader(maxHeaderBytes),
      m_maxBody(maxBodyBytes)
{
}

void THttpRequestParser::Feed(const QByteArray &bytes)
{
    if (!Failed())
        m_buffer.append(bytes);
}

void THttpRequestParser::Fail(int status)
{
    m_failStatus = status;
    m_buffer.clear();
    m_pending = {};
}

std::optional<THttpRequest> THttpRequestParser::Next()
{
    if (Failed())
        return std::nullopt;
    if (m_stage == TStage::Head && !ParseHead())
        return std::nullopt;
    const bool complete = m_stage == TStage::FixedBody ? TakeFixedBody() : TakeChunkedBody();
    if (!complete)
        return std::nullopt;
    m_stage = TStage::Head;
    THttpRequest done = std::move(m_pending);
    m_pending = {};
    return done;
}

bool THttpRequestParser::ParseHead()
{
    // Empty lines before a request line are tolerated (a client may end the
    // previous body with an extra line break).
    qsizetype pos = 0;
    QByteArray line;
    for (;;) {
        const qsizetype next = TakeLine(m_buffer, pos, line);
        if (next < 0) {
            if (m_buffer.size() > m_maxHeader)
                Fail(431);
            return false;
        }
        if (!line.isEmpty())
            break;
        pos = next;
    }
    // Find the end of the head before looking at it, so that a head still
    // arriving is not judged on its first lines.
    qsizetype scan = pos;
    qsizetype headEnd = -1;
    QList<QByteArray> lines;
    for (;;) {
        const qsizetype next = TakeLine(m_buffer, scan, line);
        if (next < 0)
            break;
        if (line.isEmpty()) {
            headEnd = next;
            break;
        }
        lines.append(line);
        scan = next;
    }
    if (headEnd < 0) {
        if (m_buffer.size() > m_maxHeader)
            Fail(431);
        return false;
    }
    if (headEnd - pos > m_maxHeader) {
        Fail(431);
        return false;
    }

    const QList<QByteArray> parts = lines.first().split(' ');
    if (parts.size() != 3 || !IsToken(parts[0]) || parts[1].isEmpty() || !parts[2].startsWith("HTTP/1.")) {
        Fail(400);
        return false;
    }
    THttpRequest req;
    req.method = parts[0];
    req.target = parts[1];
    req.version = parts[2];
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &h = lines[i];
        const qsizetype colon = h.indexOf(':');
        // A line folded onto the previous one or a name with blanks is refused.
        if (colon <= 0 || !IsToken(h.left(colon))) {
            Fail(400);
            return false;
        }
        req.headers.append({h.left(colon), h.mid(colon + 1).trimmed()});
    }
    m_buffer.remove(0, headEnd);

    // Body framing. A request that carries both a transfer coding and a
    // length is refused rather than guessed at.
    const bool hasCoding = req.HasHeader("Transfer-Encoding");
    QList<QByteArray> lengths;
    for (const auto &h : req.headers)
        if (h.first.compare("Content-Length", Qt::CaseInsensitive) == 0)
            lengths.append(h.second);
    if (hasCoding && !lengths.isEmpty()) {
        Fail(400);
        return false;
    }
    m_pending = std::move(req);
    if (hasCoding) {
        const QByteArray coding = m_pending.Header("Transfer-Encoding").trimmed().toLower();
        if (coding != "chunked") {
            Fail(501);
            return false;
        }
        m_stage = TStage::Chunked;
        return true;
    }
    m_bodyLength = 0;
    if (!lengths.isEmpty()) {
        for (const QByteArray &l : lengths) {
            bool ok = false;
            const qint64 n = l.toLongLong(&ok);
            if (!ok || n < 0 || l.startsWith('+') || (lengths.size() > 1 && l != lengths.first())) {
                Fail(400);
                return false;
            }
            m_bodyLength = n;
        }
        if (m_bodyLength > m_maxBody) {
            Fail(413);
            return false;
        }
    }
    m_stage = TStage::FixedBody;
    return true;
}

bool THttpRequestParser::TakeFixedBody()
{
    if (m_buffer.size() < m_bodyLength)
        return false;
    m_pending.body = m_buffer.left(m_bodyLength);
    m_buffer.remove(0, m_bodyLength);
    return true;
}

bool THttpRequestParser::TakeChunkedBody()
{
    for (;;) {
        QByteArray line;
        const qsizetype afterSize = TakeLine(m_buffer, 0, line);
        if (afterSize < 0) {
            if (m_buffer.size() > 1024)
                Fail(400);
            return false;
        }
        const qsizetype semi = line.indexOf(';');
        const QByteArray hex = (semi >= 0 ? line.left(semi) : line).trimmed();
        bool ok = false;
        const qint64 size = hex.toLongLong(&ok, 16);
        if (!ok || size < 0 || hex.isEmpty() || hex.startsWith('+') || hex.startsWith('-')) {
            Fail(400);
            return false;
        }
        if (size == 0) {
            // Trailer lines up to an empty line; their content is not kept.
            qsizetype pos = afterSize;
            for (;;) {
                const qsizetype next = TakeLine(m_buffer, pos, line);
                if (next < 0) {
                    if (m_buffer.size() > m_maxHeader)
                        Fail(431);
                    return false;
                }
                pos = next;
                if (line.isEmpty())
                    break;
            }
            m_buffer.remove(0, pos);
            return true;
        }
        if (m_pending.body.size() + size > m_maxBody) {
            Fail(413);
            return false;
        }
        // The data, then its line break.
        const qsizetype dataEnd = afterSize + size;
        if (m_buffer.size() < dataEnd + 1)
            return false;
        qsizetype next = -1;
        if (m_buffer.at(dataEnd) == '\n') {
            next = dataEnd + 1;
        } else if (m_buffer.at(dataEnd) == '\r') {
            if (m_buffer.size() < dataEnd + 2)
                return false;
            if (m_buffer.at(dataEnd + 1) == '\n')
                next = dataEnd + 2;
        }
        if (next < 0) {
            Fail(400);
            return false;
        }
        m_pending.body.append(m_buffer.constData() + afterSize, size);
        m_buffer.remove(0, next);
    }
}
