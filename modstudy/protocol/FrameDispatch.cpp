// TStudyFrame::GetMsg: the single entry for every message from the host.
//
// The common part parses the text, records the code and logs a reported
// failure (Envelope.h); then the code selects its one handler, a member named
// Msg_ + the code's role (ApiCodes.h). Handlers that only set flags or fill
// controls of the frame are defined here; those whose work belongs to a
// subsystem are defined in that subsystem's Frame*.cpp (StudyFrame.h names
// the file of each).

#include "StudyFrame.h"

#include "ApiCodes.h"
#include "Envelope.h"

#include "Log.h"
#include "ResourcePackageInfo.h"
#include "TBookIconFrame.h"
#include "TFrameAnimation.h"
#include "TPngAni.h"
#include "TeduLastAssignMent.h"
#include "UIPicture.h"

#include "TButton.h"
#include "TRectangle.h"
#include "TText.h"
#include "TTimer.h"

#include <exception>

using nlohmann::ordered_json;

namespace {

QString MemberText(const ordered_json &body, const char *key)
{
    const auto it = body.find(key);
    if (it == body.end() || it->is_null())
        return {};
    if (it->is_string())
        return QString::fromStdString(it->get<std::string>());
    return QString::fromStdString(it->dump(-1, ' ', false, ordered_json::error_handler_t::replace));
}

} // namespace

void TStudyFrame::GetMsg(const QString &msg)
{
    TFrameEntry entry(this);
    try {
        const TIncomingMessage in = OpenIncomingMessage(msg);
        if (!in.ok)
            return;
        curMsgCode = in.apiCode;
        Dispatch(in.apiCode, in.body, msg);
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:Study Getmsg:") % msg % QStringLiteral("e:") % QString::fromUtf8(e.what()));
    } catch (...) {
        procSaveLog(QStringLiteral("error:Study Getmsg:") % msg % QStringLiteral("e:unknown exception"));
    }
}

void TStudyFrame::Dispatch(int code, const ordered_json &body, const QString &msg)
{
    switch (code) {
    case acAllBooksShelf: Msg_AllBooksShelf(msg); break;
    case acTtsAudioUrl: Msg_TtsAudioUrl(msg); break;
    case acStopRecordAni: Msg_StopRecordAni(); break;
    case acWordResultAccepted: Msg_WordResultAccepted(body, msg); break;
    case acMaterialContentItems: Msg_MaterialContentItems(msg); break;
    case acAssignmentBestScore: Msg_AssignmentBestScore(body); break;
    case acScoreAccepted: Msg_ScoreAccepted(body); break;
    case acScoreHistoryPage: Msg_ScoreHistory(body, msg); break;
    case acCloseRequest:
    case acSwitchRequest: Msg_CloseOrSwitch(code); break;
    case acDownloadUrl: Msg_DownloadAddress(body); break;
    case acUploadUrl: Msg_UploadAddress(msg); break;
    case acShareAudioAccepted: Msg_ShareAudioAccepted(); break;
    case acPackageRecord: Msg_PackageRecord(msg); break;
    case acNetworkFailure: Msg_NetworkFailure(); break;
    case acFreeGoodsContents: Msg_FreeGoodsContents(msg); break;
    case acAddMyCourseResult: Msg_AddCourseResult(body); break;
    case acOpenRecentLesson: Msg_OpenRecentLesson(body); break;
    case acAssignmentPush: Msg_Assignment(body); break;
    case acAssignmentDetails: Msg_AssignmentDetails(msg); break;
    case acLessonListReply: Msg_LessonList(msg); break;
    case acWordFinishProgress:
    case acFinishLessonProgress: Msg_UnitProgress(msg); break;
    default: Msg_Unhandled(code, msg); break;
    }
}

void TStudyFrame::Msg_AllBooksShelf(const QString &msg)
{
    // A resend of acAllBooks can earn a second copy of the shelf; build it once.
    if (bResponse)
        return;
    bResponse = true;
    bPictureErrorShown = false;
    BuildUserBooks_UsuallyIcons(msg);
    BuildRecommandIcons(msg);
    BuildUserBooksIcons(msg);
    BuildUserBooks_OutsideIcons(msg);
    BuildMaterialsIcons(msg);
    MyCourseIndex = 0;
    MyCourse_OutsideIndex = 0;
    MyCourse_UsuallyIndex = 0;
    MaterialsIndex = 0;
    RecommandIndex = 0;
    DisplayMyCourse_Usually();
    Button_UsuallyBookClick(isUsually_Skip ? Button_UsuallyBook : Button_MyBook);
    if (bStop || (!isAssignmentSkip && !isUsually_Skip))
        return;
    // Opening the pushed assignment's course or the recent lesson runs a
    // request wait of its own; inside the shelf request's wait the two would
    // share bResponse, and a lost package record would make the shelf wait
    // ask for the shelf again. It runs once the shelf wait has ended.
    bShelfFollowUpPending = true;
    if (!bShelfRequestWaiting)
        PostShelfFollowUp();
}

void TStudyFrame::Msg_StopRecordAni()
{
    if (RecordAni)
        RecordAni->StopAni(asLastFrame);
}

void TStudyFrame::Msg_WordResultAccepted(const ordered_json &body, const QString &msg)
{
    if (ReadErrorCode(body) > 0) {
        procSaveLog(QStringLiteral("error:") % msg);
        bSendSuccess_SingleWord = false;
    } else {
        bSendSuccess_SingleWord = true;
    }
}

void TStudyFrame::Msg_ShareAudioAccepted()
{
    bSendSuccess_Match = true;
}

void TStudyFrame::Msg_OpenRecentLesson(const ordered_json &body)
{
    UsuallyLessonId_Skip = ReadInt64Member(body, "lessonId").value_or(0);
    UsuallyName_Skip = MemberText(body, "lessonName");
    isUsually_Skip = true;
}

void TStudyFrame::Msg_Unhandled(int code, const QString &msg)
{
    if (code == acNone)
        procSaveLog(QStringLiteral("info：Study Getmsg: no apiCode: ") % msg);
    else
        procSaveLog(QStringLiteral("info：Study Getmsg: no handler for apiCode ") % QString::number(code)
                    % QStringLiteral(": ") % msg);
}

void TStudyFrame::Msg_CloseOrSwitch(int code)
{
    ExitMode = code == acCloseRequest ? QStringLiteral("close") : QStringLiteral("change");
    bCloseForm = true;
    bStop = true;
    if (FSoundEngine) {
        FSoundEngine->StopRecord();
        FSoundEngine->StopPlay();
    }
    Timer_Close->SetEnabled(true);
}

void TStudyFrame::Msg_DownloadAddress(const ordered_json &body)
{
    // A second address arriving while the first one's transfer runs is not
    // for anything this frame is waiting for.
    if (!bFllowDownload)
        return;
    bFllowDownload = false;
    bPictureRequestPending = false;
    if (ReadErrorCode(body) != 0) {
        const QString error = ReadErrorText(body);
        if (!IsShelfPictureLoad(NowLoadType)) {
            PendingPackageKey.clear();
            ShowInfo(error);
        } else if (!bPictureErrorShown) {
            // One refused picture tells the learner; every other tile of the
            // same shelf would only repeat it.
            bPictureErrorShown = true;
            ShowInfo(error);
        } else {
            procSaveLog(QStringLiteral("info：picture address refused: ") % error);
        }
        PictureAddressFailed();
    } else if (!bStop) {
        WorkState = wsBusy;
        ActOnDownloadAddress(MemberText(body, "url"), MemberText(body, "key"));
    }
    WorkState = wsIdle;
    bFllowDownload = true;
}

void TStudyFrame::Msg_UploadAddress(const QString &msg)
{
    if (!bFllowUpload)
        return;
    // The waiting sender sets the state back when its wait ends.
    WorkState = wsBusy;
    UploadAddressArrived(msg);
}

void TStudyFrame::Msg_PackageRecord(const QString &msg)
{
    if (bResponse)
        return;
    bResponse = true;
    DecodePackageInfo(msg);
    if (!isAssignmentSkip) {
        Timer_MyCourse->SetEnabled(true);
        return;
    }
    const qint64 lessonId = FResourcePackageInfo ? FResourcePackageInfo->FlessonId : 0;
    if (FindMyCourse(lessonId)) {
        Timer_Assignment->SetEnabled(true);
        return;
    }
    const QString title = FResourcePackageInfo ? FResourcePackageInfo->FpackageTitle : QString();
    procSaveLog(QStringLiteral("info：Msg_ResPackageQueryResponse:我的课程中没有'") % title
                % QStringLiteral("'这本书,请先在推荐课程里添加该课程至我的课程后在继续使用")
                % QStringLiteral(",ResourcePackageInfo.lessonId:") % QString::number(lessonId));
    ShowInfo(QStringLiteral("您没有此课程，请前往课外推荐添加课程或联系客服授权课程"));
}

void TStudyFrame::Msg_NetworkFailure()
{
    bPictureRequestPending = false;
    switch (NowLoadType) {
    case LTRecommPic:
    case LTMaterialsPic:
    case LTMyCoursePic:
    case LTMyCourse_OutsidePic:
        // Ends the picture chains of these shelves.
        MyCourseIndex = 2147483647;
        MaterialsIndex = 2147483647;
        RecommandIndex = 2147483647;
        ShowInfo(QStringLiteral("网络故障，请检查网络"));
        break;
    case LTWordPackage:
    case LTLessonPackage: ShowInfo(QStringLiteral("网络故障，请检查网络")); break;
    default: break;
    }
}

void TStudyFrame::Msg_ScoreAccepted(const ordered_json &body)
{
    Text_Exp->SetText(MemberText(body, "point"));
    Text_voxCoin->SetText(MemberText(body, "eMoneys"));
    const QString medal = MemberText(body, "medalName");
    QString picture;
    if (medal == QStringLiteral("金奖章"))
        picture = QStringLiteral("png\\GoldMedal.png");
    else if (medal == QStringLiteral("银奖章"))
        picture = QStringLiteral("png\\SilverMedal.png");
    else if (medal == QStringLiteral("铜奖章"))
        picture = QStringLiteral("png\\CopperMedal.png");
    if (!picture.isEmpty()) {
        LoadPicture(Rectangle_Medal, picture);
        Rectangle_Medal->SetVisible(true);
        Text_MedalCount->SetVisible(true);
        Rectangle_Exp->SetX(838);
        Text_Exp->SetX(868);
        Rectangle_voxCoin->SetX(908);
        Text_voxCoin->SetX(938);
    } else {
        FreeAni(MedalAni);
        Rectangle_Medal->SetVisible(false);
        Text_MedalCount->SetVisible(false);
        Rectangle_Exp->SetX(794);
        Text_Exp->SetX(824);
        Rectangle_voxCoin->SetX(878);
        Text_voxCoin->SetX(908);
    }
    for (TControl *c : std::initializer_list<TControl *>{Rectangle_Exp, Text_Exp, Rectangle_voxCoin, Text_voxCoin})
        c->SetVisible(true);
    ReceiveAchivementId = ReadInt64Member(body, "achivementId").value_or(0);
    const bool wordBook = curSelectBook && curSelectBook->CourseType() == QLatin1String("W");
    CornerButton_SharedAudio->SetVisible(!StudyDisplayFrame.isNull() && ReceiveAchivementId > 0
                                         && (!wordBook || curSelectBookType == QLatin1String("materials")));
    bSendSuccess_Score = true;
}

void TStudyFrame::Msg_AddCourseResult(const ordered_json &body)
{
    const qint64 error = ReadErrorCode(body);
    if (error == 0)
        isAddMyCourse = true;
    else if (error == 3501)
        ShowInfo(ReadErrorText(body));
}

void TStudyFrame::Msg_Assignment(const ordered_json &body)
{
    if (bStop)
        return;
    // An assignment that names no unit cannot be opened: keep the state as
    // it was rather than ask for the package of unit 0 once the shelf is in.
    auto assignment = std::make_unique<TeduLastAssignMent>();
    const QString content = MemberText(body, "content");
    if (!assignment->SetJson(content) || assignment->FirstUnitId() <= 0) {
        procSaveLog(QStringLiteral("info：Study Getmsg: assignment without a unit ignored: ") % content);
        return;
    }
    isAssignmentSkip = true;
    AssignmentUnitId = assignment->FirstUnitId();
    LastAssignMent = std::move(assignment);
}

void TStudyFrame::Msg_ScoreHistory(const ordered_json &body, const QString &msg)
{
    if (ReadErrorCode(body) != 0) {
        ShowInfo(QStringLiteral("1062 Error;") % ReadErrorText(body));
        procSaveLog(QStringLiteral("error:") % msg);
        return;
    }
    ScoreHistoryArrived(msg);
}
