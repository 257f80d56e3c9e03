#include "TransferReport.h"

#include <nlohmann/json.hpp>

#include <algorithm>

int TransferPercent(qint64 bytes, qint64 total)
{
    if (total <= 0)
        return -1;
    const qint64 clamped = std::clamp<qint64>(bytes, 0, total);
    return static_cast<int>(clamped * 100 / total);
}

QString TransferNoticeText(TTransferKind kind, TTransferState state, qint64 bytes, qint64 total)
{
    const char *stateName = "running";
    switch (state) {
    case TTransferState::Started: stateName = "started"; break;
    case TTransferState::Running: stateName = "running"; break;
    case TTransferState::Succeeded: stateName = "succeeded"; break;
    case TTransferState::Failed: stateName = "failed"; break;
    }
    nlohmann::ordered_json notice = nlohmann::ordered_json::object();
    notice["apiCode"] = static_cast<std::int64_t>(kTransferNoticeCode);
    notice["transfer"] = kind == TTransferKind::Download ? "download" : "upload";
    notice["state"] = stateName;
    notice["bytes"] = static_cast<std::int64_t>(std::max<qint64>(0, bytes));
    notice["total"] = static_cast<std::int64_t>(total > 0 ? total : -1);
    notice["percent"] = TransferPercent(bytes, total);
    return QString::fromStdString(notice.dump());
}

QString TransferSizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QString::number(std::max<qint64>(0, bytes)) + QStringLiteral(" B");
    static const char *const units[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1024.0 && unit < 3) {
        value /= 1024.0;
        ++unit;
    }
    return QString::number(value, 'f', 1) + QLatin1Char(' ') + QLatin1String(units[unit]);
}

QString TransferStatusText(TTransferKind kind, qint64 bytes, qint64 total)
{
    QString text = kind == TTransferKind::Download ? QStringLiteral("已下载 ") : QStringLiteral("已上传 ");
    text += TransferSizeText(bytes);
    if (total > 0)
        text += QStringLiteral(" / ") + TransferSizeText(total);
    return text;
}
