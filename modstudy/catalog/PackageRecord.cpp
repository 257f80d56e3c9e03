// The package record of a course (reply 2102) and what follows it.
//
// Downloading, checking and opening packages (EnterMyCourse and the
// download addresses of reply 14) are built with the course catalog
// subsystem; until then those entries log that they were reached. Decoding
// the record and finding the course on the shelf are complete.

#include "StudyFrame.h"

#include "Envelope.h"
#include "PendingWork.h"
#include "ResourcePackageInfo.h"

#include "TBookIconFrame.h"
#include "TeduLastAssignMent.h"

namespace {
const QString kCatalog = QStringLiteral("course catalog");

QString Text(const nlohmann::ordered_json &item, const char *key)
{
    const auto it = item.find(key);
    return it != item.end() && it->is_string() ? QString::fromStdString(it->get<std::string>()) : QString();
}
} // namespace

void TStudyFrame::DecodePackageInfo(const QString &sjson)
{
    auto info = std::make_shared<TResourcePackageInfo>();
    const TParsedMessage parsed = ParseMessage(sjson);
    const auto items = parsed.ok ? parsed.body.find("items") : parsed.body.end();
    if (parsed.ok && items != parsed.body.end() && items->is_array()) {
        for (const auto &item : *items) {
            if (!item.is_object())
                continue;
            info = std::make_shared<TResourcePackageInfo>();
            info->FcourseCode = Text(item, "courseCode");
            info->FcourseType = Text(item, "courseType");
            info->FlessonId = ReadInt64Member(item, "lessonId").value_or(0);
            info->FpackageName = Text(item, "packageName");
            info->FpackagePic = Text(item, "packagePic");
            info->FpackageTitle = Text(item, "packageTitle");
            info->Fversion = Text(item, "version");
            info->FversionNo = ReadInt64Member(item, "versionNo").value_or(0);
        }
    }
    FResourcePackageInfo = info;
}

bool TStudyFrame::FindMyCourse(qint64 lessonId) const
{
    const bool wordAssignment = LastAssignMent && LastAssignMent->courseType == QLatin1String("W");
    for (const TBookIconFrame *tile : UserBooks) {
        if (tile->LessonID() == lessonId && (!wordAssignment || tile->CourseType() == QLatin1String("W")))
            return true;
    }
    for (const TBookIconFrame *tile : UserBooks_Outside) {
        if (tile->LessonID() == lessonId)
            return true;
    }
    return false;
}

void TStudyFrame::EnterMyCourse()
{
    LogPendingWork(QStringLiteral("EnterMyCourse"), QStringLiteral("opening the course package"), kCatalog);
}

bool TStudyFrame::DownloadBookPicture(const QString &, const QString &sKey)
{
    LogPendingWork(QStringLiteral("DownloadBookPicture"), QStringLiteral("the picture download of ") % sKey, kCatalog);
    return false;
}

void TStudyFrame::ActOnDownloadAddress(const QString &, const QString &key)
{
    LogPendingWork(QStringLiteral("ActOnDownloadAddress"),
                   QStringLiteral("the download of ") % key % QStringLiteral(" for load type ") % QString::number(NowLoadType),
                   kCatalog);
}
