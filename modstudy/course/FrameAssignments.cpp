// Assignments of the open course: the details reply (acAssignmentDetails) and
// the questions asked of it, the reminder banner, the course-entry and
// best-score requests and the best-score reply (acAssignmentBestScore), and
// opening a course whose assignment the host pushed (acAssignmentPush).

#include "StudyFrame.h"

#include "AssignQueries.h"
#include "Envelope.h"
#include "PackageStore.h"
#include "Requests.h"
#include "ResourcePackageInfo.h"

#include "Log.h"
#include "PackBook.h"
#include "TBookIconFrame.h"
#include "TeduAssignDetail.h"
#include "TeduLastAssignMent.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"

#include <exception>

int TStudyFrame::GetUserType() const
{
    return FLoginInfos ? FLoginInfos->GetUserType() : 0;
}

// ---- Details and the questions asked of them ----

void TStudyFrame::DecodeAssignDetails(const QString &Text)
{
    assignq::Decode(Text, AssignDetails, NoFinishWordList);
}

bool TStudyFrame::IsAssignmentUnit(int UnitId, bool &Finished, QString &Content) const
{
    return assignq::IsUnit(AssignDetails, UnitId, Finished, Content);
}

bool TStudyFrame::IsAssignmentLesson(int LessonId, bool &Finished) const
{
    return assignq::IsLesson(AssignDetails, LessonId, Finished);
}

int TStudyFrame::GetAssignmentId(int UnitId, int LessonId) const
{
    return assignq::AssignmentId(AssignDetails, UnitId, LessonId);
}

int TStudyFrame::GetAssignmentIdBy(int UnitId) const
{
    return assignq::AssignmentIdBy(AssignDetails, UnitId);
}

void TStudyFrame::GetUnFinishedInfo(TUnFinishedInfo &Info) const
{
    Info = assignq::UnfinishedUnits(AssignDetails, nullptr);
}

void TStudyFrame::GetUnFinishedInfo_Single(TUnFinishedInfo &Info) const
{
    // Without a pushed assignment no detail belongs to it.
    Info = LastAssignMent ? assignq::UnfinishedUnits(AssignDetails, LastAssignMent.get()) : TUnFinishedInfo{};
}

void TStudyFrame::GetLessonUnFinishedInfo_Single(int UnitId, TUnFinishedInfo &Info) const
{
    Info = assignq::UnfinishedLessons(AssignDetails, UnitId, LastAssignMent.get());
}

std::unique_ptr<TNoFinishWordList> TStudyFrame::GetNoFinishWordList(int AssignmentId) const
{
    return assignq::NoFinishWords(NoFinishWordList, AssignmentId);
}

// ---- The reminder banner ----

void TStudyFrame::DisplayRemind(const QString &)
{
    // A book is open while its tile is selected (the home page clears it).
    const bool bookOpen = curSelectBook != nullptr && PackBook != nullptr;
    if (!assignq::RemindShows(bookOpen, bookOpen && PackBook->IsWordBook, GetUserType())) {
        NotDisplayRemind();
        return;
    }
    Label_Remind->SetText(QStringLiteral("您有作业未完成 , 请尽快完成哦"));
    Rectangle_Remind->SetVisible(true);
    Rectangle_Remind->BringToFront();
}

void TStudyFrame::NotDisplayRemind()
{
    Rectangle_Remind->SetVisible(false);
    Label_Remind->SetText(QString());
}

// ---- Requests ----

void TStudyFrame::QueryOpenBookAssignments()
{
    if (!curSelectBook)
        return;
    const TRequestIdentity who{FLoginInfos ? FLoginInfos->GetUid() : 0, 0};
    if (curSelectBook->CourseType() == QLatin1String("W"))
        SendRequest(Request::QueryAssignmentStatus(who, curSelectBook->LessonID(), QStringLiteral("W")));
    else if (curSelectBook->CourseType() == QLatin1String("U"))
        SendRequest(Request::QueryAssignmentStatus(who, curSelectBook->LessonID(), QStringLiteral("L")));
}

void TStudyFrame::QueryAssignmentMaxScore(int AssignmentId, int LessonId)
{
    const TRequestIdentity who{FLoginInfos ? FLoginInfos->GetUid() : 0, 0};
    SendRequest(Request::QueryAssignmentMaxScore(who, AssignmentId, LessonId));
}

void TStudyFrame::Msg_AssignmentBestScore(const nlohmann::ordered_json &body)
{
    iMaxScore_Assignment = 0;
    const auto items = body.find("items");
    if (items != body.end() && items->is_array()) {
        for (const auto &item : *items) {
            if (const std::optional<double> score = ReadDoubleMember(item, "score"))
                iMaxScore_Assignment = *score;
        }
    }
}

void TStudyFrame::Msg_AssignmentDetails(const QString &sjson)
{
    DecodeAssignDetails(sjson);
    if (!curSelectBook)
        return;
    const TRequestIdentity who{FLoginInfos ? FLoginInfos->GetUid() : 0, 0};
    if (curSelectBook->CourseType() == QLatin1String("W")) {
        SetLessonQueryType(QStringLiteral("unit"));
        SendRequest(Request::QueryLesson(who, QStringLiteral("list"), curSelectBook->LessonID()));
    } else {
        SetLessonQueryType(QStringLiteral("book"));
        SendRequest(Request::QueryLesson(who, QStringLiteral("single"), curSelectBook->LessonID()));
    }
}

// ---- Opening the course of a pushed assignment ----

void TStudyFrame::StartAssignment()
{
    // The timer's tick and any other caller stop here once the frame is
    // being stopped or closed.
    if (bStop || !isAllowOperate)
        return;
    isAllowOperate = false;
    // Set again on every way out, including a failure.
    struct TRelease
    {
        bool &flag;
        ~TRelease() { flag = true; }
    } release{isAllowOperate};

    try {
        const QString title = FResourcePackageInfo ? FResourcePackageInfo->FpackageTitle : QString();
        const qint64 id = FResourcePackageInfo ? FResourcePackageInfo->FlessonId : 0;
        const QString courseType = FResourcePackageInfo ? FResourcePackageInfo->FcourseType : QString();
        curSelectBookType = QStringLiteral("mycourse");

        Button_UsuallyBookClick(Button_MyBook);
        TBookIconFrame *tile = nullptr;
        int index = FindBook(UserBooks, title, id);
        if (index >= 0) {
            tile = UserBooks.at(index);
            if (courseType == QLatin1String("W"))
                Text_MyBookWordClick();
            else
                Text_MyBookTextClick();
        } else {
            index = FindBook(UserBooks_Outside, title, id);
            if (index >= 0) {
                tile = UserBooks_Outside.at(index);
                Text_MyBookExtracurricularClick();
            }
        }
        if (!tile) {
            procSaveLog(QStringLiteral("info：StartAssignment:我的课程中没有'") % title
                        % QStringLiteral("'这本书,请先在推荐课程里添加该课程至我的课程后在继续使用！")
                        % QStringLiteral(",ResourcePackageInfo.packageTitle:") % title
                        % QStringLiteral(",ResourcePackageInfo.lessonId:") % QString::number(id));
            ShowInfo(QStringLiteral("我的课程中没有'") % title
                     % QStringLiteral("'这本书,请先在课外推荐里添加该课程至我的课程后在继续使用"));
            return;
        }
        curSelectBook = tile;
        curSelectMyCourseIndex = index;
        // The package is checked, downloaded and opened as for a click on the
        // tile, but by the package record: its "packageName" names the file
        // and is the download key, its title is in the questions.
        const QString packageName = FResourcePackageInfo ? FResourcePackageInfo->FpackageName : QString();
        OpenCoursePackage(packageName, title, PackageStore::PackageLoadType(courseType));
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:StartAssignment:") % QString::fromUtf8(e.what()));
    }
}
