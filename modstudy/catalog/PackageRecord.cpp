// The package record of a course (reply 2102) and opening the course's
// package once the record is in: EnterMyCourse checks the package on disk
// against the record and either opens it or asks whether to download it.
// The download itself follows the address reply 14 (PackageDownload.cpp).

#include "StudyFrame.h"

#include "Envelope.h"
#include "PackageOpen.h"
#include "PackageStore.h"
#include "ResourcePackageInfo.h"

#include "Log.h"
#include "PackBook.h"
#include "TBookIconFrame.h"
#include "TTabControl.h"
#include "TeduLastAssignMent.h"

#include <QFile>

namespace {

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
    if (!curSelectBook || !isAllowOperate)
        return;
    // Set again however this ends, so that a second run waits for this one.
    isAllowOperate = false;
    const struct TAllowAgain
    {
        bool &flag;
        ~TAllowAgain() { flag = true; }
    } allowAgain{isAllowOperate};

    using namespace PackageStore;
    const QString bookName = curSelectBook->GoodsName();
    const QString bookUrl = curSelectBook->Url();
    const QString packageFile = PackageFile(FMainPath, bookUrl);
    if (packageFile.isEmpty()) {
        procSaveLog(QStringLiteral("error:EnterMyCourse: the package address of '") % bookName
                    % QStringLiteral("' has no usable file name, nothing is downloaded: ") % bookUrl);
        ShowInfo(RefusedAddressText(bookUrl));
        return;
    }
    const TLoadType kind = PackageLoadType(curSelectBook->CourseType());
    const QString expected = FResourcePackageInfo ? FResourcePackageInfo->Fversion : QString();
    const TPackageCheck check = CheckPackage(packageFile, expected);

    if (check.state == TPackageState::Current) {
        auto book = std::make_unique<TeduPack_Book>();
        book->SetMainPath(FMainPath);
        if (!book->funcDecodeResourceFile(packageFile)) {
            // The description was readable, the book is not: leave the file
            // for a later download to replace and tell the learner.
            procSaveLog(QStringLiteral("error:EnterMyCourse: ") % packageFile % QStringLiteral(": ")
                        % book->DecodeError());
            ShowInfo(DownloadFailedText(bookName));
            return;
        }
        PackBook = std::move(book);
        ShowBookPage(*this);
        return;
    }

    procSaveLog(QStringLiteral("info：EnterMyCourse: package of '") % bookName % QStringLiteral("' is not current (")
                % check.reason % QStringLiteral("): ") % packageFile);
    if (DeleteBeforeAsking(check.state) && !QFile::remove(packageFile))
        procSaveLog(QStringLiteral("error:EnterMyCourse: cannot delete ") % packageFile);
    if (!FCustomMsg) {
        procSaveLog(QStringLiteral("info：EnterMyCourse: no message service to ask about ") % bookName);
        return;
    }
    if (FCustomMsg->AskQuestion(DownloadQuestion(check.state, bookName), mbYesNo) == mrYes) {
        if (check.state != TPackageState::Missing && QFile::exists(packageFile) && !QFile::remove(packageFile))
            procSaveLog(QStringLiteral("error:EnterMyCourse: cannot delete ") % packageFile);
        NowLoadType = kind;
        GetDownLoadURLResource(bookUrl);
    } else {
        isAssignmentSkip = false;
        MyCourseIndex = 0;
        DisplayMyCoursePicture();
    }
}
