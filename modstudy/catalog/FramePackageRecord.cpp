// The package record of a course (reply acPackageRecord) and opening the course's
// package once the record is in: EnterMyCourse checks the package on disk
// against the record and either opens it or asks whether to download it.
// The download itself follows the address reply acDownloadUrl (PackageDownload.cpp).

#include "StudyFrame.h"

#include "BusyCursor.h"
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
    if (!curSelectBook)
        return;
    // Set again however this ends, so that a second run waits for this one
    // (Timer_MyCourse tries again while it is held).
    if (!isAllowOperate)
        return;
    isAllowOperate = false;
    const struct TAllowAgain
    {
        bool &flag;
        ~TAllowAgain() { flag = true; }
    } allowAgain{isAllowOperate};
    OpenCoursePackage(curSelectBook->Url(), curSelectBook->GoodsName(),
                      PackageStore::PackageLoadType(curSelectBook->CourseType()));
}

void TStudyFrame::OpenCoursePackage(const QString &packageKey, const QString &title, TLoadType kind)
{
    using namespace PackageStore;
    // A download asked for earlier and still unanswered is not for this course.
    PendingPackageKey.clear();
    PendingPackageTitle.clear();
    const QString packageFile = PackageFile(FMainPath, packageKey);
    if (packageFile.isEmpty()) {
        procSaveLog(QStringLiteral("error:EnterMyCourse: the package address of '") % title
                    % QStringLiteral("' has no usable file name, nothing is downloaded: ") % packageKey);
        ShowInfo(RefusedAddressText(packageKey));
        return;
    }
    const QString expected = FResourcePackageInfo ? FResourcePackageInfo->Fversion : QString();
    const TPackageCheck check = CheckPackage(packageFile, expected);

    if (check.state == TPackageState::Current) {
        // The description was readable; a book that is not leaves the file
        // for a later download to replace, and the learner is told.
        if (OpenDecodedBook(packageFile, QStringLiteral("EnterMyCourse")) == TBookOpenEnd::Failed)
            ShowInfo(DownloadFailedText(title));
        return;
    }

    procSaveLog(QStringLiteral("info：EnterMyCourse: package of '") % title % QStringLiteral("' is not current (")
                % check.reason % QStringLiteral("): ") % packageFile);
    if (DeleteBeforeAsking(check.state) && !QFile::remove(packageFile))
        procSaveLog(QStringLiteral("error:EnterMyCourse: cannot delete ") % packageFile);
    if (!FCustomMsg) {
        procSaveLog(QStringLiteral("info：EnterMyCourse: no message service to ask about ") % title);
        return;
    }
    const int serial = PackageOpenSerial;
    if (FCustomMsg->AskQuestion(DownloadQuestion(check.state, title), mbYesNo) == mrYes) {
        // The question kept events running: another course may have been
        // asked for meanwhile, and that one goes on instead.
        if (serial != PackageOpenSerial || bStop) {
            procSaveLog(QStringLiteral("info：EnterMyCourse: '") % title
                        % QStringLiteral("' is not downloaded, another course was opened meanwhile"));
            return;
        }
        if (check.state != TPackageState::Missing && QFile::exists(packageFile) && !QFile::remove(packageFile))
            procSaveLog(QStringLiteral("error:EnterMyCourse: cannot delete ") % packageFile);
        NowLoadType = kind;
        PendingPackageKey = packageKey;
        PendingPackageTitle = title;
        GetDownLoadURLResource(packageKey);
    } else {
        isAssignmentSkip = false;
        MyCourseIndex = 0;
        DisplayMyCoursePicture();
    }
}

TStudyFrame::TBookOpenEnd TStudyFrame::OpenDecodedBook(const QString &packageFile, const QString &member)
{
    const int serial = PackageOpenSerial;
    TBusyCursor busy;
    // The decoder runs the archive reader inside a wait that keeps events
    // running; whatever happens meanwhile (another course opened, the module
    // closed) cannot reach a book that is still being filled.
    auto book = std::make_unique<TeduPack_Book>();
    book->SetMainPath(FMainPath);
    if (!book->funcDecodeResourceFile(packageFile)) {
        procSaveLog(QStringLiteral("error:") % member % QStringLiteral(": ") % packageFile % QStringLiteral(": ")
                    % book->DecodeError());
        return TBookOpenEnd::Failed;
    }
    if (serial != PackageOpenSerial || bCloseForm) {
        procSaveLog(QStringLiteral("info：") % member % QStringLiteral(": ") % packageFile
                    % QStringLiteral(" decoded after another course was asked for; not shown"));
        return TBookOpenEnd::Superseded;
    }
    PackBook = std::move(book);
    ShowBookPage(*this);
    return TBookOpenEnd::Shown;
}
