#include "Envelope.h"

#include "JsonModel.h"
#include "Log.h"

#include <limits>
#include <string>

using nlohmann::ordered_json;

TParsedMessage ParseMessage(const QString &text)
{
    TParsedMessage r;
    const std::string utf8 = text.toStdString();
    // Parse without exceptions: a malformed text gives a "discarded" value.
    ordered_json v = ordered_json::parse(utf8, nullptr, /*allow_exceptions=*/false);
    if (v.is_discarded()) {
        r.failure = QStringLiteral("not valid JSON");
        return r;
    }
    if (!v.is_object()) {
        r.failure = QStringLiteral("not a JSON object");
        return r;
    }
    r.ok = true;
    r.body = std::move(v);
    return r;
}

std::optional<qint64> ReadInt64Member(const ordered_json &body, const char *key)
{
    if (!body.is_object())
        return std::nullopt;
    const auto it = body.find(key);
    return it == body.end() ? std::nullopt : TryInt64(*it);
}

std::optional<double> ReadDoubleMember(const ordered_json &body, const char *key)
{
    if (!body.is_object())
        return std::nullopt;
    const auto it = body.find(key);
    return it == body.end() ? std::nullopt : TryDouble(*it);
}

int ReadApiCode(const ordered_json &body)
{
    const auto v = ReadInt64Member(body, "apiCode");
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(*v);
}

qint64 ReadErrorCode(const ordered_json &body)
{
    return ReadInt64Member(body, "errorCode").value_or(0);
}

QString ReadErrorText(const ordered_json &body)
{
    if (!body.is_object())
        return {};
    const auto it = body.find("errorText");
    if (it == body.end() || it->is_null())
        return {};
    if (it->is_string())
        return QString::fromStdString(it->get<std::string>());
    return QString::fromStdString(it->dump(-1, ' ', false, ordered_json::error_handler_t::replace));
}

TIncomingMessage OpenIncomingMessage(const QString &text)
{
    TIncomingMessage m;
    try {
        TParsedMessage p = ParseMessage(text);
        if (!p.ok) {
            procSaveLog(QStringLiteral("error:contest Getmsg :") % text);
            return m;
        }
        m.body = std::move(p.body);
        m.apiCode = ReadApiCode(m.body);
        m.errorCode = ReadErrorCode(m.body);
        m.errorText = ReadErrorText(m.body);
        m.ok = true;
        if (m.errorCode > 0)
            procSaveLog(QStringLiteral("error:Getmsg apiCode:") % QString::number(m.apiCode)
                        % QStringLiteral(" errorCode:") % QString::number(m.errorCode) % QStringLiteral(" errorText:")
                        % m.errorText);
    } catch (const std::exception &e) {
        // Only an allocation failure can get here; the message is dropped.
        procSaveLog(QStringLiteral("error:contest Getmsg :") % text % QStringLiteral("e:")
                    % QString::fromUtf8(e.what()));
        m = TIncomingMessage{};
    }
    return m;
}
