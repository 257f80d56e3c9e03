#include "ServiceErrors.h"

using json = nlohmann::ordered_json;

json ServiceError(int replyCode, int errorCode, const QString &text)
{
    json r = json::object();
    r["apiCode"] = replyCode;
    r["errorCode"] = errorCode;
    r["errorText"] = text.toStdString();
    return r;
}

qint64 NeedInt(const json &req, const char *key)
{
    if (!req.contains(key))
        throw TServiceFailure{kErrMissingMember, QStringLiteral("缺少参数：") + QString::fromLatin1(key)};
    if (!req[key].is_number_integer())
        throw TServiceFailure{kErrBadMember, QStringLiteral("参数格式错误：") + QString::fromLatin1(key)};
    return req[key].get<qint64>();
}

QString NeedText(const json &req, const char *key)
{
    if (!req.contains(key))
        throw TServiceFailure{kErrMissingMember, QStringLiteral("缺少参数：") + QString::fromLatin1(key)};
    if (!req[key].is_string())
        throw TServiceFailure{kErrBadMember, QStringLiteral("参数格式错误：") + QString::fromLatin1(key)};
    return QString::fromStdString(req[key].get<std::string>());
}

qint64 IntOr(const json &req, const char *key, qint64 fallback)
{
    return req.contains(key) && req[key].is_number_integer() ? req[key].get<qint64>() : fallback;
}
