// TStudyMod: the operations of the host contract, and a host that breaks the
// calling order. (Loading the plug-in, creating the frame and its two
// channels show in the host's tests and the scenario runs.)

#include "TestHost.h"

#include "ClockSpeed.h"
#include "LogCapture.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(StudyMod, ExceptionWhileTakingTheUserInfoIsLoggedOnce)
{
    TestHost host;
    host.Start(false);
    host.mod->SetDoJob([](const QString &) { throw std::runtime_error("host job channel failed"); });
    LogCapture log;
    EXPECT_NO_THROW(host.mod->SetUserInfos(host.user));
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:host job channel failed")});
}

// Before CreateFrame, after DeleteFrame and after the host deleted the
// parent, every call of the host only leaves a log line.
TEST(StudyMod, CallsWithoutAFrameOnlyLog)
{
    enum TWhen { BeforeCreateFrame, AfterDeleteFrame, AfterTheParentWent };
    for (const TWhen when : {BeforeCreateFrame, AfterDeleteFrame, AfterTheParentWent}) {
        TestHost host;
        if (when == AfterDeleteFrame) {
            host.Start(false);
            QPointer<TStudyFrame> frame = host.Frame();
            host.mod->DeleteFrame();
            EXPECT_TRUE(frame.isNull()) << "an idle frame goes at once";
        } else if (when == AfterTheParentWent) {
            auto *parent = new QWidget;
            host.mod->CreateFrame(parent);
            delete parent;
        }
        ASSERT_EQ(host.Frame(), nullptr) << when;
        host.archive->ClearRequests();
        const qsizetype jobs = host.jobs.size();
        LogCapture log;
        host.mod->DeleteFrame(); // silent
        host.mod->SetArchivePackage(host.archive);
        host.mod->SetSoundEngine(host.sound);
        host.mod->SetGradeEngine(host.grade);
        host.mod->SetLoginInfos(host.login);
        host.mod->SetHintForm(host.hint);
        host.mod->SetMsgForm(host.message);
        host.mod->SetUserInfos(host.user);
        host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10003}"));
        EXPECT_EQ(log.LinesStartingWith(QStringLiteral("info：TStudyMod.")).size(), 8) << when;
        EXPECT_EQ(log.Lines().size(), 8) << when;
        EXPECT_EQ(log.Lines().value(7),
                  QStringLiteral("info：TStudyMod.ReceiveMsg: no frame; message dropped: {\"apiCode\":10003}"));
        EXPECT_TRUE(host.archive->Requests().isEmpty()) << when;
        EXPECT_EQ(host.jobs.size(), jobs) << when;
    }
}

// The host deletes the frame from an event handled during the frame's own
// shelf request wait: the frame is detached at once and goes only when the
// waiting handler has returned.
TEST(StudyMod, DeleteFrameDuringTheFramesRequestWaitIsDeferred)
{
    ClockSpeed speed(50);
    TestHost host;
    QPointer<TStudyFrame> frame;
    int handlersRunning = -1;
    bool detachedAtOnce = false;
    bool aliveAfterCall = false;
    host.onRequest = [&](const QString &) {
        host.Later([&] {
            handlersRunning = frame->RunningHandlers();
            host.mod->DeleteFrame();
            detachedAtOnce = frame && frame->parentWidget() == nullptr && !frame->isVisible();
            aliveAfterCall = !frame.isNull();
        });
    };
    LogCapture log;
    host.Start();
    frame = host.Frame();
    ASSERT_TRUE(WaitUntil([&] { return frame.isNull(); }, StatedMs{20000}));
    EXPECT_GT(handlersRunning, 0) << "the shelf request was waiting";
    EXPECT_TRUE(detachedAtOnce);
    EXPECT_TRUE(aliveAfterCall) << "not destroyed under the running wait";
    EXPECT_EQ(host.Frame(), nullptr);
    EXPECT_TRUE(host.message->Infos().isEmpty()) << "the stopped wait shows nothing";
    EXPECT_FALSE(log.LinesStartingWith(QStringLiteral("info：TStudyMod.DeleteFrame")).isEmpty());
    EXPECT_EQ(TestHost::WithCode(host.requests, 2003).size(), 1) << "nothing more is sent";
    EXPECT_TRUE(host.parent.findChildren<TStudyFrame *>().isEmpty());
}

// A message box the host shows for the frame deletes the module's frame
// while the message handler is still on the stack.
TEST(StudyMod, DeleteFrameFromInsideAMessageBoxOfAHandler)
{
    TestHost host;
    struct DeletingMessages : FakeCustomMessage
    {
        std::function<void()> onInfo;
        void ShowInfo(const QString &text) override
        {
            FakeCustomMessage::ShowInfo(text);
            onInfo();
        }
    };
    auto messages = std::make_shared<DeletingMessages>();
    messages->onInfo = [&] { host.mod->DeleteFrame(); };
    host.message = messages;
    host.Start(false);
    QPointer<TStudyFrame> frame = host.Frame();
    frame->NowLoadType = LTMyCoursePic;
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":99999}"));
    ASSERT_FALSE(frame.isNull()) << "the handler that asked is still returning";
    EXPECT_TRUE(frame->IsDestroyRequested());
    EXPECT_EQ(frame->MyCourseIndex, 2147483647);
    ASSERT_TRUE(WaitUntil([&] { return frame.isNull(); }, RealMs{2000}));
}

} // namespace
