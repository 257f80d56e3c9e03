// A failure inside one of the frame's handlers (a click, a timer tick) is
// logged with its "error:" line and stays inside the module: the control or
// timer that ran it, and the host behind them, never see the exception.

#include "TestHost.h"

#include "ClockSpeed.h"
#include "LogCapture.h"
#include "WaitUntil.h"

#include "TText.h"
#include "TTimer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A message service whose information box fails, as a broken host service might.
class FailingMessages : public FakeCustomMessage
{
public:
    void ShowInfo(const QString &text) override
    {
        FakeCustomMessage::ShowInfo(text);
        throw std::runtime_error("message box unavailable");
    }
};

TEST(HandlerGuard, AFailingClickIsLoggedAndGoesNoFurther)
{
    TestHost host;
    host.message = std::make_shared<FailingMessages>();
    host.AnswerShelfOnce();
    host.Start();
    LogCapture log;
    TText *vox = host.Frame()->Text_MaterialsVox;
    ASSERT_NE(vox, nullptr);
    EXPECT_NO_THROW(Q_EMIT vox->Click(vox));
    EXPECT_EQ(host.message->Infos(), QStringList{QStringLiteral("暂未开通，敬请期待")});
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:Text_MaterialsVoxClick:message box unavailable")});
    EXPECT_EQ(host.Frame()->RunningHandlers(), 0) << "the failed handler no longer counts as running";
}

TEST(HandlerGuard, AFailingTimerTickIsLoggedAndTheFrameGoesOn)
{
    ClockSpeed speed(20);
    TestHost host;
    host.message = std::make_shared<FailingMessages>();
    host.Start();
    LogCapture log;
    // No answer to the shelf request: after its resends the wait shows its
    // failure message, which fails inside the timer's handler.
    ASSERT_TRUE(WaitUntil([&] { return !log.LinesStartingWith(QStringLiteral("error:Timer_QueryAllBook:")).isEmpty(); },
                          StatedMs{60000}));
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:Timer_QueryAllBook:")),
              QStringList{QStringLiteral("error:Timer_QueryAllBook:message box unavailable")});
    EXPECT_TRUE(WaitUntil([&] { return host.Frame()->RunningHandlers() == 0; }, StatedMs{2000}));
    // The frame still answers the host.
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10003}"));
    EXPECT_TRUE(WaitUntil([&] { return !TestHost::WithCode(host.jobs, 10004).isEmpty(); }, StatedMs{3000}));
}

} // namespace
