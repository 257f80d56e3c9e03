// The incoming dispatcher: the common part's log lines, the exception guard,
// the reply gates and the handlers that only set the frame's state; and the
// guard around the frame's own handlers.

#include "TestHost.h"

#include "LogCapture.h"
#include "ResourcePackageInfo.h"
#include "TeduLastAssignMent.h"

#include "TText.h"
#include "TRectangle.h"
#include "TTimer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

namespace {

// The state a message could change, for "nothing else changed" checks.
auto Snapshot(const TStudyFrame &f)
{
    return std::make_tuple(f.WorkState, f.bStop, f.bCloseForm, f.ExitMode, f.bResponse, f.bFllowDownload,
                           f.bFllowUpload, f.isAssignmentSkip, f.isUsually_Skip, f.UsuallyLessonId_Skip,
                           f.MyCourseIndex, f.MaterialsIndex, f.RecommandIndex, f.isAddMyCourse, f.bSendSuccess_Score,
                           f.bSendSuccess_Match, f.bSendSuccess_SingleWord, f.iMaxScore_Assignment,
                           f.TabControl_Home ? 0 : 1);
}

// A message service whose information box fails, as a broken host service might.
class ThrowingMessages : public FakeCustomMessage
{
public:
    void ShowInfo(const QString &text) override
    {
        FakeCustomMessage::ShowInfo(text);
        throw std::runtime_error("message box gone");
    }
};

class FrameDispatch : public ::testing::Test
{
protected:
    void SetUp() override { host.Start(false); }
    TStudyFrame &F() { return *host.Frame(); }
    TestHost host;
};
using HandlerGuard = FrameDispatch;

// Text that is no message, a message no handler takes, and a handler that
// throws (the message box fails under the network notice) each leave one log
// line and no other trace.
TEST_F(FrameDispatch, TextThatReachesNoWorkingHandlerLeavesOneLogLineAndNothingElse)
{
    host.mod->SetMsgForm(std::make_shared<ThrowingMessages>());
    F().NowLoadType = LTLessonPackage;
    const auto before = Snapshot(F());
    const struct
    {
        QString text;
        QString line;
    } cases[] = {
        {QStringLiteral("{\"apiCode\":2004"), QStringLiteral("error:contest Getmsg :{\"apiCode\":2004")},
        {QStringLiteral("{\"lessonId\":5}"), QStringLiteral("info：Study Getmsg: no apiCode: {\"lessonId\":5}")},
        {QStringLiteral("{\"apiCode\":4242}"),
         QStringLiteral("info：Study Getmsg: no handler for apiCode 4242: {\"apiCode\":4242}")},
        {QStringLiteral("{\"apiCode\":99999}"),
         QStringLiteral("error:Study Getmsg:{\"apiCode\":99999}e:message box gone")},
    };
    for (const auto &c : cases) {
        LogCapture log;
        host.mod->ReceiveMsg(c.text);
        EXPECT_EQ(log.Lines(), QStringList{c.line});
        EXPECT_EQ(Snapshot(F()), before) << c.text.toStdString();
    }
    EXPECT_TRUE(host.requests.isEmpty());
}

TEST_F(FrameDispatch, NetworkFailureEndsPictureChainsOnlyForShelfPictures)
{
    F().NowLoadType = LTLessonPackage;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":99999}"));
    EXPECT_EQ(host.message->Infos(), QStringList{QStringLiteral("网络故障，请检查网络")});
    EXPECT_EQ(F().MyCourseIndex, 0) << "a package failure leaves the picture cursors alone";

    F().NowLoadType = LTMyCoursePic;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":99999}"));
    EXPECT_EQ(F().MyCourseIndex, 2147483647);
    EXPECT_EQ(F().MaterialsIndex, 2147483647);
    EXPECT_EQ(F().RecommandIndex, 2147483647);
    EXPECT_EQ(host.message->Infos().size(), 2);

    F().NowLoadType = LTMaterialVoic;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":99999}"));
    EXPECT_EQ(host.message->Infos().size(), 2);
}

TEST_F(FrameDispatch, DownloadAddressIsIgnoredWhileAnotherIsBeingHandled)
{
    F().bFllowDownload = false;
    F().WorkState = wsPlaying;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":14,\"errorCode\":1,\"errorText\":\"no\"}"));
    EXPECT_TRUE(host.message->Infos().isEmpty());
    EXPECT_EQ(F().WorkState, wsPlaying);
    EXPECT_FALSE(F().bFllowDownload);

    F().bFllowDownload = true;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":14,\"errorCode\":1,\"errorText\":\"地址无效\"}"));
    EXPECT_EQ(host.message->Infos(), QStringList{QStringLiteral("地址无效")});
    EXPECT_EQ(F().WorkState, wsIdle);
    EXPECT_TRUE(F().bFllowDownload);
}

TEST_F(FrameDispatch, UploadAddressIsHandledOnlyWhenAwaited)
{
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":12,\"uploadurl\":\"http://x/\"}"));
    EXPECT_EQ(F().WorkState, wsIdle);
    F().GetUpLoadURLResource(QStringLiteral("k"));
    EXPECT_TRUE(F().bFllowUpload);
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":12,\"uploadurl\":\"http://x/\"}"));
    EXPECT_EQ(F().WorkState, wsBusy) << "the waiting sender sets it back";
    EXPECT_TRUE(F().bFllowUpload) << "the handler does not clear the gate";
}

TEST_F(FrameDispatch, PackageRecordIsDecodedOnceAndOpensTheCourse)
{
    F().bResponse = true;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":2102,\"items\":[{\"lessonId\":9}]}"));
    EXPECT_FALSE(F().FResourcePackageInfo);
    EXPECT_FALSE(F().Timer_MyCourse->Enabled());

    F().bResponse = false;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":2102,\"items\":[{\"lessonId\":9,\"version\":\"1\"},"
                                        "{\"courseCode\":\"c\",\"courseType\":\"W\",\"lessonId\":31,\"packageTitle\":"
                                        "\"Words\",\"version\":\"2.0\",\"versionNo\":7}]}"));
    EXPECT_TRUE(F().bResponse);
    ASSERT_TRUE(F().FResourcePackageInfo);
    EXPECT_EQ(F().FResourcePackageInfo->FlessonId, 31) << "the last element wins";
    EXPECT_EQ(F().FResourcePackageInfo->Fversion, QStringLiteral("2.0"));
    EXPECT_EQ(F().FResourcePackageInfo->FversionNo, 7);
    EXPECT_TRUE(F().Timer_MyCourse->Enabled());
}

TEST_F(FrameDispatch, PackageRecordOfAnAssignmentForACourseTheUserLacks)
{
    F().isAssignmentSkip = true;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":2102,\"items\":[{\"lessonId\":31,\"packageTitle\":\"Words\"}]}"));
    EXPECT_FALSE(F().Timer_Assignment->Enabled());
    EXPECT_FALSE(F().Timer_MyCourse->Enabled());
    EXPECT_EQ(host.message->Infos(),
              QStringList{QStringLiteral("您没有此课程，请前往课外推荐添加课程或联系客服授权课程")});
}

TEST_F(FrameDispatch, AssignmentAndRecentLessonNoticesAreKeptForTheShelf)
{
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10000,\"content\":\"{\\\"courseType\\\":\\\"W\\\","
                                        "\\\"assignments\\\":[{\\\"assignmentId\\\":7,\\\"unitId\\\":12}]}\"}"));
    EXPECT_TRUE(F().isAssignmentSkip);
    EXPECT_EQ(F().AssignmentUnitId, 12);
    ASSERT_TRUE(F().LastAssignMent);
    EXPECT_EQ(F().LastAssignMent->courseType, QStringLiteral("W"));

    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10002,\"lessonId\":8800000000,\"lessonName\":\"Book 3\"}"));
    EXPECT_TRUE(F().isUsually_Skip);
    EXPECT_EQ(F().UsuallyLessonId_Skip, 8800000000LL);
    EXPECT_EQ(F().UsuallyName_Skip, QStringLiteral("Book 3"));

    // A host that sends the code and the id as text is understood the same.
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":\"10002\",\"lessonId\":\"1001\",\"lessonName\":\"Book 4\"}"));
    EXPECT_EQ(F().UsuallyLessonId_Skip, 1001);
    EXPECT_EQ(F().UsuallyName_Skip, QStringLiteral("Book 4"));
}

TEST_F(FrameDispatch, AssignmentIsIgnoredWhileStoppingOrWithoutAUnit)
{
    F().bStop = true;
    host.mod->ReceiveMsg(
        QStringLiteral("{\"apiCode\":10000,\"content\":\"{\\\"assignments\\\":[{\\\"unitId\\\":12}]}\"}"));
    EXPECT_FALSE(F().isAssignmentSkip);
    EXPECT_FALSE(F().LastAssignMent);

    F().bStop = false;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10000,\"content\":\"not an assignment\"}"));
    EXPECT_FALSE(F().isAssignmentSkip);
    EXPECT_EQ(F().AssignmentUnitId, 0);
}

TEST_F(FrameDispatch, RepliesThatOnlySetFlagsFollowTheirMembersAndErrorCodes)
{
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":1156,\"items\":[{\"score\":61.5},{\"score\":88}]}"));
    EXPECT_DOUBLE_EQ(F().iMaxScore_Assignment, 88);
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":1156}"));
    EXPECT_DOUBLE_EQ(F().iMaxScore_Assignment, 0);

    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":76}"));
    EXPECT_TRUE(F().bSendSuccess_SingleWord);
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":76,\"errorCode\":3}"));
    EXPECT_FALSE(F().bSendSuccess_SingleWord);

    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":36,\"errorCode\":12,\"errorText\":\"x\"}"));
    EXPECT_FALSE(F().isAddMyCourse);
    EXPECT_TRUE(host.message->Infos().isEmpty());
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":36,\"errorCode\":3501,\"errorText\":\"课程已下架\"}"));
    EXPECT_EQ(host.message->Infos(), QStringList{QStringLiteral("课程已下架")});
    EXPECT_FALSE(F().isAddMyCourse);
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":36,\"errorCode\":0}"));
    EXPECT_TRUE(F().isAddMyCourse);
}

TEST_F(FrameDispatch, ScoreAnswerShowsTheRewardsAndTheMedalOnlyWhenThereIsOne)
{
    host.mod->ReceiveMsg(QStringLiteral(
        "{\"apiCode\":42,\"point\":12,\"eMoneys\":3,\"medalName\":\"银奖章\",\"achivementId\":9007199254740993}"));
    EXPECT_TRUE(F().Rectangle_Medal->Visible());
    EXPECT_EQ(F().Text_Exp->Text(), QStringLiteral("12"));
    EXPECT_EQ(F().Text_voxCoin->Text(), QStringLiteral("3"));
    EXPECT_EQ(F().ReceiveAchivementId, 9007199254740993LL);
    EXPECT_GE(host.archive->RequestCount(QStringLiteral("png\\SilverMedal.png")), 1);
    EXPECT_TRUE(F().bSendSuccess_Score);

    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":42,\"point\":1,\"eMoneys\":2,\"medalName\":\"\"}"));
    EXPECT_FALSE(F().Rectangle_Medal->Visible());
}

// A failure inside a handler of the frame (a click here; timer ticks run
// through the same guard) is logged with its "error:" line and stays inside
// the module: the control that ran it, and the host behind it, never see it.
TEST_F(HandlerGuard, AFailingClickIsLoggedAndGoesNoFurther)
{
    auto messages = std::make_shared<ThrowingMessages>();
    host.mod->SetMsgForm(messages);
    LogCapture log;
    TText *vox = F().Text_MaterialsVox;
    EXPECT_NO_THROW(Q_EMIT vox->Click(vox));
    EXPECT_EQ(messages->Infos(), QStringList{QStringLiteral("暂未开通，敬请期待")});
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:Text_MaterialsVoxClick:message box gone")});
    EXPECT_EQ(F().RunningHandlers(), 0) << "the failed handler no longer counts as running";
}
} // namespace
