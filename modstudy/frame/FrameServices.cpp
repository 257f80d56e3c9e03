// The frame's link to the host: taking the user information, loading the
// fixed pictures, the two outgoing channels, the request senders that need
// only the envelope, messages to the learner and the local result store.

#include "StudyFrame.h"

#include "BusyCursor.h"

#include "RequestWait.h"
#include "Requests.h"
#include "ResultStore.h"

#include "Log.h"
#include "UIPicture.h"

#include "TFrameAnimation.h"
#include "TPngAni.h"
#include "TRectangle.h"
#include "TTimer.h"

void TStudyFrame::SetUserInfos(const IUserInfoPtr &value)
{
    TFrameEntry entry(this);
    FUserInfos = value;
    WorkState = wsIdle;
    SendMainUpdated();
    Timer_QueryAllBook->SetEnabled(true);
}

void TStudyFrame::LoadUI()
{
    TFrameEntry entry(this);
    SetMainPath(ExecutableFolder());
    LoadPicture(Rectangle_TabMyCourse, QStringLiteral("png\\study\\home\\MyCourseDown.png"));
    Rectangle_TabMyCourse->SetTag(1);
    LoadPicture(Rectangle_QueryIcon, QStringLiteral("png\\QueryIcon.png"));
    LoadPicture(Rectangle_NotingUsuallyBook, QStringLiteral("png\\study\\home\\NotingUsuallyBook.png"));
    LoadPicture(Rectangle_TabMaterials, QStringLiteral("png\\study\\home\\MaterialsUp.png"));
    LoadPicture(Rectangle_TabRecommand, QStringLiteral("png\\study\\home\\RecommendUp.png"));
    LoadPicture(Rectangle_Exp, QStringLiteral("png\\Exp.png"));
    LoadPicture(Rectangle_voxCoin, QStringLiteral("png\\VoxCoin.png"));
    LoadPicture(Rectangle_MyBookFiveStar, QStringLiteral("png\\fiveStar.png"));
    LoadPicture(Rectangle_MaterialsFiveStar, QStringLiteral("png\\fiveStar.png"));
}

bool TStudyFrame::LoadPicture(TRectangle *target, const QString &name)
{
    return LoadPicture_UI(target, name, FUIArchive);
}

void TStudyFrame::SendRequest(const QString &text)
{
    if (FSendInfo)
        FSendInfo(text);
}

void TStudyFrame::SendJob(const QString &text)
{
    if (FDoJobs)
        FDoJobs(text);
}

void TStudyFrame::SendMainUpdated()
{
    SendJob(Request::SendMainUpdated());
}

qint64 TStudyFrame::Uid() const
{
    return FLoginInfos ? FLoginInfos->GetUid() : 0;
}

qint64 TStudyFrame::SchoolUserId() const
{
    return FLoginInfos ? FLoginInfos->GetSchoolUserId() : 0;
}

void TStudyFrame::GetDownLoadURLResource(const QString &skey)
{
    if (FCustomHint)
        FCustomHint->HideHint();
    bFllowDownload = true;
    SendRequest(Request::GetDownLoadURLResource({Uid(), SchoolUserId()}, skey));
}

void TStudyFrame::GetUpLoadURLResource(const QString &skey)
{
    bFllowUpload = true;
    SendRequest(Request::GetUpLoadURLResource({Uid(), SchoolUserId()}, skey));
}

void TStudyFrame::QueryPackageVersion(qint64 paramId, const QString &sCourseType, bool bAssignment)
{
    UsuallyLessonId_Skip = 0;
    isUsually_Skip = false;
    // A new course is asked for: a package still being decoded or asked
    // about for an earlier one is not opened after this one.
    ++PackageOpenSerial;
    const TBusyCursor busy;
    const QString text = Request::QueryPackageVersion({Uid(), SchoolUserId()}, paramId, sCourseType, bAssignment);
    TRequestWait wait(
        PackageRecordWait(), [this, text] { SendRequest(text); }, bResponse, bStop,
        [this](TWorkState state) { WorkState = state; }, [this](const QString &info) { ShowInfo(info); }, this);
    wait.Run();
}

void TStudyFrame::ShowInfo(const QString &text)
{
    if (FCustomMsg)
        FCustomMsg->ShowInfo(text);
    else
        procSaveLog(QStringLiteral("info：no message service to show: ") % text);
}

void TStudyFrame::StopPlay()
{
    if (FSoundEngine)
        FSoundEngine->StopPlay();
}

bool TStudyFrame::InsertPartResult(const QString &Json)
{
    return FDConnection1->InsertPartResult(Json);
}

QString TStudyFrame::SelectPartResult(const QString &Json)
{
    return FDConnection1->SelectPartResult(Json);
}

void TStudyFrame::DeletePartResult(const QString &Json)
{
    FDConnection1->DeletePartResult(Json);
}

bool TStudyFrame::InsertWordResult(const QString &Json)
{
    return FDConnection1->InsertWordResult(Json);
}

QString TStudyFrame::SelectWordResult(const QString &Json)
{
    return FDConnection1->SelectWordResult(Json);
}

void TStudyFrame::DeleteWordResult(const QString &Json)
{
    FDConnection1->DeleteWordResult(Json);
}
