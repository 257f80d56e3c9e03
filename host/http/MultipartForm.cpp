#include "MultipartForm.h"

namespace {

// Splits a header value at ";" outside quoted strings.
QList<QByteArray> SplitParams(const QByteArray &value)
{
    QList<QByteArray> out;
    QByteArray cur;
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value.at(i);
        if (quoted && c == '\\' && i + 1 < value.size()) {
            cur.append(c);
            cur.append(value.at(++i));
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        if (c == ';' && !quoted) {
            out.append(cur.trimmed());
            cur.clear();
            continue;
        }
        cur.append(c);
    }
    out.append(cur.trimmed());
    return out;
}

QByteArray Unquote(const QByteArray &v)
{
    if (v.size() < 2 || !v.startsWith('"') || !v.endsWith('"'))
        return v;
    QByteArray out;
    for (qsizetype i = 1; i + 1 < v.size(); ++i) {
        if (v.at(i) == '\\' && i + 2 < v.size())
            ++i;
        out.append(v.at(i));
    }
    return out;
}

// Looks up parameter `key` of a header value such as
// `form-data; name="a"; filename="b"`.
std::optional<QByteArray> Param(const QList<QByteArray> &params, const QByteArray &key)
{
    for (qsizetype i = 1; i < params.size(); ++i) {
        const qsizetype eq = params[i].indexOf('=');
        if (eq <= 0)
            continue;
        if (params[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return Unquote(params[i].mid(eq + 1).trimmed());
    }
    return std::nullopt;
}

} // namespace

QByteArray FormBoundary(const QByteArray &contentType)
{
    const QList<QByteArray> params = SplitParams(contentType);
    if (params.first().compare("multipart/form-data", Qt::CaseInsensitive) != 0)
        return {};
    return Param(params, "boundary").value_or(QByteArray());
}

std::optional<QList<TFormPart>> ParseMultipartForm(const QByteArray &contentType, const QByteArray &body)
{
    const QByteArray boundary = FormBoundary(contentType);
    if (boundary.isEmpty())
        return std::nullopt;
    const QByteArray delimiter = "--" + boundary;
    const QByteArray between = "\r\n" + delimiter;

    // The first delimiter opens the body, at its very start or after a preamble.
    qsizetype pos;
    if (body.startsWith(delimiter)) {
        pos = delimiter.size();
    } else {
        pos = body.indexOf(between);
        if (pos < 0)
            return std::nullopt;
        pos += between.size();
    }

    QList<TFormPart> parts;
    for (;;) {
        if (body.mid(pos, 2) == "--")
            return parts; // closing delimiter
        // Rest of the delimiter line (transport padding allowed).
        const qsizetype lineEnd = body.indexOf("\r\n", pos);
        if (lineEnd < 0 || !body.mid(pos, lineEnd - pos).trimmed().isEmpty())
            return std::nullopt;
        const qsizetype headStart = lineEnd + 2;
        const qsizetype headEnd = body.indexOf("\r\n\r\n", headStart - 2);
        if (headEnd < 0)
            return std::nullopt;
        const qsizetype dataStart = headEnd + 4;
        const qsizetype dataEnd = body.indexOf(between, dataStart);
        if (dataEnd < 0)
            return std::nullopt;

        TFormPart part;
        if (headEnd > headStart) {
            for (const QByteArray &h : body.mid(headStart, headEnd - headStart).split('\n')) {
                const QByteArray line = h.endsWith('\r') ? h.chopped(1) : h;
                const qsizetype colon = line.indexOf(':');
                if (colon <= 0)
                    return std::nullopt;
                part.headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
            }
        }
        QByteArray disposition;
        for (const auto &h : part.headers) {
            if (h.first.compare("Content-Disposition", Qt::CaseInsensitive) == 0)
                disposition = h.second;
            else if (h.first.compare("Content-Type", Qt::CaseInsensitive) == 0)
                part.contentType = h.second;
        }
        const QList<QByteArray> params = SplitParams(disposition);
        if (params.first().compare("form-data", Qt::CaseInsensitive) != 0)
            return std::nullopt;
        const auto name = Param(params, "name");
        if (!name)
            return std::nullopt;
        part.name = *name;
        if (const auto file = Param(params, "filename")) {
            part.fileName = *file;
            part.hasFileName = true;
        }
        part.data = body.mid(dataStart, dataEnd - dataStart);
        parts.append(std::move(part));
        pos = dataEnd + between.size();
    }
}
