// The host run against the real ModStudy plug-in and the simulated learning
// service: start-up order, the relayed shelf reply, the close handshake and
// plug-in files the host must refuse (the switch: ScenarioRunTest's notices).

#include "HostNotices.h"
#include "LearningServiceSim.h"
#include "TStudyHost.h"

#include "ClockSpeed.h"
#include "FakeCustomHint.h"
#include "FakeCustomMessage.h"
#include "TestMouse.h"
#include "WaitUntil.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

struct HostRun
{
    QTemporaryDir data;
    std::shared_ptr<FakeCustomMessage> messages = std::make_shared<FakeCustomMessage>();
    QWidget parent;
    std::unique_ptr<TStudyHost> host;

    explicit HostRun(const QString &pluginFile = QStringLiteral(STUDY_PLUGIN_FILE), int handshakeMs = 15000,
                     ICustomMessagePtr message = nullptr)
    {
        TStudyHostOptions o = TStudyHostOptions::Beside(QCoreApplication::applicationDirPath());
        o.pluginFile = pluginFile;
        o.dataFolder = data.path();
        o.message = message ? message : messages;
        o.hint = std::make_shared<FakeCustomHint>();
        o.handshakeTimeoutMs = handshakeMs;
        host = std::make_unique<TStudyHost>(o);
        parent.resize(1024, 635);
    }

    // Index of the first event starting with `prefix` whose message has `code`
    // (any code when code < 0); -1 when there is none.
    int Find(const QString &prefix, int code = -1, int from = 0) const
    {
        const QStringList &events = host->Events();
        for (int i = from; i < events.size(); ++i) {
            if (!events[i].startsWith(prefix))
                continue;
            if (code < 0 || hostnotice::ApiCode(events[i].mid(prefix.size())) == code)
                return i;
        }
        return -1;
    }
};

const QString kJob = QStringLiteral("job ");
const QString kRequest = QStringLiteral("request ");
const QString kNotice = QStringLiteral("notice ");

TEST(StudyHost, StartsTheModuleRelaysTheShelfAndClosesWithTheHandshake)
{
    ClockSpeed speed(50);
    HostRun run;
    ASSERT_TRUE(run.host->Start(&run.parent)) << run.host->Error().toStdString();
    ASSERT_TRUE(run.host->IsRunning());

    // The module announces itself at once and asks for its shelf next (the
    // shelf's acceptance and the close's order are the scenarios' part).
    const int announce = run.Find(kJob, hostnotice::kAnnounce);
    ASSERT_GE(announce, 0);
    ASSERT_TRUE(WaitUntil([&] { return run.host->ShelfRepliesDelivered() > 0; }, StatedMs{5000}));
    EXPECT_LT(announce, run.Find(kRequest, hostnotice::kShelfRequest));

    std::optional<bool> closed;
    QObject::connect(run.host.get(), &TStudyHost::Closed, &run.parent, [&](bool answered) { closed = answered; });
    // The plug-in goes in a later turn of the event loop than the frame:
    // a call queued when DeleteFrame ran comes first.
    bool turnedAfterDelete = false;
    std::optional<bool> turnedAtUnload;
    QObject::connect(run.host.get(), &TStudyHost::Traffic, &run.parent, [&](const QString &line) {
        if (line == QStringLiteral("DeleteFrame"))
            QTimer::singleShot(0, &run.parent, [&] { turnedAfterDelete = true; });
        if (line == QStringLiteral("unload"))
            turnedAtUnload = turnedAfterDelete;
    });
    run.host->RequestClose();
    run.host->RequestClose(); // asking again changes nothing
    EXPECT_EQ(run.Find(QStringLiteral("DeleteFrame")), -1) << "the frame stays until the module answers";
    ASSERT_TRUE(WaitUntil([&] { return closed.has_value(); }, RealMs{20000}));
    EXPECT_TRUE(*closed) << "the module answered";
    const int close = run.Find(kNotice, hostnotice::kClose);
    EXPECT_GE(close, 0);
    EXPECT_EQ(run.Find(kNotice, hostnotice::kClose, close + 1), -1) << "the module is asked once";
    EXPECT_LT(run.Find(kJob, hostnotice::kClosed), run.Find(QStringLiteral("DeleteFrame")));
    ASSERT_TRUE(turnedAtUnload.has_value());
    EXPECT_TRUE(*turnedAtUnload) << "unloaded in the same turn as DeleteFrame";
    EXPECT_FALSE(run.host->IsPluginLoaded());
    EXPECT_FALSE(run.host->IsRunning());
    EXPECT_TRUE(run.parent.children().isEmpty()) << "the frame is gone";
}

// Questions that run a test's code while the module waits for the answer.
class InsideQuestion : public ICustomMessage
{
public:
    std::function<int()> onQuestion;
    int questions = 0;

    int AskQuestion(const QString &, int) override
    {
        ++questions;
        return onQuestion ? onQuestion() : 7;
    }
    void SetOkCaption(const QString &) override {}
    void SetCancelCaption(const QString &) override {}
    void ShowInfo(const QString &) override {}
};

// The close is answered while the module is inside its own question: the
// frame is deleted from there, and freed by the plug-in's own code once the
// question has returned. The plug-in must stay loaded until then.
TEST(StudyHost, ThePlugInIsUnloadedOnlyAfterAFrameDeletedInUseHasBeenFreed)
{
    ClockSpeed speed(50);
    auto inside = std::make_shared<InsideQuestion>();
    HostRun run(QStringLiteral(STUDY_PLUGIN_FILE), 15000, inside);
    ASSERT_TRUE(run.host->Start(&run.parent)) << run.host->Error().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return run.host->ShelfRepliesDelivered() > 0; }, StatedMs{5000}));
    // A recommended course the learner may add: the module asks.
    run.host->Service()->OverrideReply(
        1131, QStringLiteral(R"({"apiCode":1132,"errorCode":0,"items":[{"packageTitle":"Phonics Fun","hasGoods":0,)"
                             R"("lessonId":1004}]})"));
    QPointer<QWidget> frame = run.parent.findChild<QWidget *>(QStringLiteral("TStudyMod"));
    ASSERT_TRUE(frame);
    bool deletedInside = false;
    bool loadedInside = false;
    inside->onQuestion = [&] {
        run.host->RequestClose();
        deletedInside = WaitUntil([&] { return run.Find(QStringLiteral("DeleteFrame")) >= 0; }, RealMs{20000});
        // Many turns of the loop: the module is still inside its question.
        WaitUntil([] { return false; }, RealMs{300});
        loadedInside = run.host->IsPluginLoaded();
        return 7;
    };
    std::optional<bool> frameGoneAtUnload;
    QObject::connect(run.host.get(), &TStudyHost::Traffic, &run.parent, [&](const QString &line) {
        if (line == QStringLiteral("unload"))
            frameGoneAtUnload = frame.isNull();
    });
    std::optional<bool> closed;
    QObject::connect(run.host.get(), &TStudyHost::Closed, &run.parent, [&](bool answered) { closed = answered; });
    QWidget *tile = run.parent.findChild<QWidget *>(QStringLiteral("RecommandIcon0"));
    ASSERT_NE(tile, nullptr);
    ClickMiddle(tile);
    ASSERT_TRUE(WaitUntil([&] { return closed.has_value(); }, RealMs{30000}));
    EXPECT_EQ(inside->questions, 1);
    EXPECT_TRUE(deletedInside) << "the module answered the close from inside its question";
    EXPECT_TRUE(loadedInside) << "the plug-in was unloaded under the module's running code";
    EXPECT_TRUE(*closed);
    ASSERT_TRUE(frameGoneAtUnload.has_value()) << "the plug-in was unloaded at last";
    EXPECT_TRUE(*frameGoneAtUnload) << "the frame was freed before the plug-in went";
    EXPECT_TRUE(frame.isNull());
    EXPECT_FALSE(run.host->IsPluginLoaded());
}

TEST(StudyHost, CloseIsBoundedWhenTheModuleDoesNotAnswerInTime)
{
    ClockSpeed speed(50);
    // The module answers 10003 from its close timer; a 1 ms bound runs out first.
    HostRun run(QStringLiteral(STUDY_PLUGIN_FILE), 1);
    ASSERT_TRUE(run.host->Start(&run.parent)) << run.host->Error().toStdString();
    std::optional<bool> closed;
    QObject::connect(run.host.get(), &TStudyHost::Closed, &run.parent, [&](bool answered) { closed = answered; });
    run.host->RequestClose();
    ASSERT_TRUE(WaitUntil([&] { return closed.has_value(); }, RealMs{5000}));
    EXPECT_FALSE(*closed);
    EXPECT_EQ(run.Find(kJob, hostnotice::kClosed), -1);
    EXPECT_GE(run.Find(QStringLiteral("DeleteFrame")), 0);
    // The module may still be inside one of its own waits: its code stays.
    EXPECT_EQ(run.Find(QStringLiteral("unload")), -1);
    EXPECT_TRUE(run.host->IsPluginLoaded());
    EXPECT_FALSE(run.host->IsRunning());
    EXPECT_TRUE(run.parent.children().isEmpty()) << "the frame is gone all the same";
}

TEST(StudyHost, RefusesPluginFilesThatAreNotTheStudyModule)
{
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString &file :
         QStringList{dir % QStringLiteral("/no_such_module.so"), dir % QStringLiteral("/libBaseMod.so")}) {
        HostRun run(file);
        EXPECT_FALSE(run.host->Start(&run.parent)) << file.toStdString();
        EXPECT_TRUE(run.host->Error().contains(file)) << run.host->Error().toStdString();
        EXPECT_FALSE(run.host->IsRunning());
        EXPECT_EQ(run.host->Service(), nullptr) << "nothing is left running";
        EXPECT_TRUE(run.parent.children().isEmpty());
    }
}

TEST(StudyHost, RefusesToStartWithoutItsContent)
{
    HostRun run;
    TStudyHostOptions o = TStudyHostOptions::Beside(QCoreApplication::applicationDirPath());
    o.pluginFile = QStringLiteral(STUDY_PLUGIN_FILE);
    o.servedFolder = run.data.filePath(QStringLiteral("missing"));
    o.dataFolder = run.data.path();
    o.message = run.messages;
    TStudyHost host(o);
    EXPECT_FALSE(host.Start(&run.parent));
    EXPECT_TRUE(host.Error().contains(QStringLiteral("learning service"))) << host.Error().toStdString();
    EXPECT_FALSE(host.IsRunning());
    EXPECT_TRUE(run.parent.children().isEmpty());
}

TEST(StudyHost, NoticesReachTheModuleFromTheEventLoopOnly)
{
    ClockSpeed speed(50);
    HostRun run;
    ASSERT_TRUE(run.host->Start(&run.parent)) << run.host->Error().toStdString();
    run.host->Push(hostnotice::Bare(hostnotice::kNetworkFailure));
    EXPECT_EQ(run.Find(kNotice, hostnotice::kNetworkFailure), -1) << "not inside the caller's call";
    EXPECT_TRUE(WaitUntil([&] { return run.Find(kNotice, hostnotice::kNetworkFailure) >= 0; }, RealMs{2000}));
}

} // namespace
