// The grading engine with a scorer: the recording is made as before and the
// scorer (the offline grader in the host) grades it off the user-interface
// thread.

#include "TSimGradeEngine.h"

#include "ClockSpeed.h"
#include "LogCapture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

using nlohmann::ordered_json;

namespace {

struct TScorerCall
{
    int mode = -1;
    QString text;
    QString wavPath;
    int seconds = -1;
    bool fileExisted = false;
    int calls = 0;
};

class ScoredGradeEngineTest : public ::testing::Test
{
protected:
    void useRecordingScorer(std::chrono::milliseconds work = std::chrono::milliseconds(0))
    {
        auto call = m_call;
        m_engine.SetScorer([call, work](int mode, const QString &text, const QString &wavPath, int seconds) {
            std::this_thread::sleep_for(work);
            call->mode = mode;
            call->text = text;
            call->wavPath = wavPath;
            call->seconds = seconds;
            call->fileExisted = QFile::exists(wavPath);
            ++call->calls;
            return ordered_json{{"overall", 77.5}, {"details", ordered_json::array()}};
        });
    }

    QTemporaryDir m_dir;
    ClockSpeed m_fast{50};
    TSimGradeEngine m_engine{m_dir.path()};
    std::shared_ptr<TScorerCall> m_call = std::make_shared<TScorerCall>();
};

} // namespace

TEST_F(ScoredGradeEngineTest, TheScorerGradesTheRecordedFile)
{
    useRecordingScorer();
    m_engine.Evaluate(2, QStringLiteral("tmp\\part\\1.wav"), QStringLiteral("Good morning."), 4);
    EXPECT_EQ(m_call->calls, 1);
    EXPECT_EQ(m_call->mode, 2);
    EXPECT_EQ(m_call->text, QStringLiteral("Good morning."));
    EXPECT_EQ(m_call->seconds, 4);
    EXPECT_TRUE(m_call->fileExisted);
    EXPECT_TRUE(m_call->wavPath.endsWith(QStringLiteral("tmp/part/1.wav"))) << m_call->wavPath.toStdString();
    const ordered_json whole = ordered_json::parse(m_engine.GetLastResult().toStdString());
    EXPECT_EQ(whole["result"]["overall"], 77.5);

    // Without a file name the recording goes to a work file all the same.
    bool stop = false;
    m_engine.EvaluateStoppable(2, QStringLiteral("Good morning."), QString(), 4, stop);
    EXPECT_EQ(m_call->calls, 2);
    EXPECT_TRUE(m_call->fileExisted);
    EXPECT_TRUE(m_call->wavPath.endsWith(QStringLiteral("tmp/grading.wav"))) << m_call->wavPath.toStdString();

    // A queued result still wins, and an empty scorer restores simulation.
    m_engine.QueueResult(QStringLiteral("{\"result\":{\"overall\":5}}"));
    m_engine.Evaluate(1, QStringLiteral("tmp\\temp.wav"), QStringLiteral("Hello"), 3);
    EXPECT_EQ(m_call->calls, 2);
    EXPECT_EQ(m_engine.GetLastResult(), QStringLiteral("{\"result\":{\"overall\":5}}"));
    m_engine.SetScorer({});
    m_engine.Evaluate(1, QStringLiteral("tmp\\temp.wav"), QStringLiteral("Hello"), 3);
    EXPECT_EQ(m_call->calls, 2);
    EXPECT_TRUE(ordered_json::parse(m_engine.GetLastResult().toStdString())["result"].contains("accuracy"));
}

TEST_F(ScoredGradeEngineTest, EventsKeepRunningWhileTheScorerWorks)
{
    useRecordingScorer(std::chrono::milliseconds(300));
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&ticks] { ++ticks; });
    timer.start(5);
    const int before = ticks;
    m_engine.Evaluate(1, QStringLiteral("tmp\\temp.wav"), QStringLiteral("Hi"), 2);
    const int duringRecording = ticks - before;
    EXPECT_EQ(m_call->calls, 1);
    // The recording of "Hi" lasts under a second of stated time (20 ms at
    // the test's speed); the 300 ms of grading brought many more ticks.
    EXPECT_GT(duringRecording, 20);
}

TEST_F(ScoredGradeEngineTest, AFailingScorerLeavesNoResultAndLogsAnError)
{
    LogCapture log;
    m_engine.SetScorer(
        [](int, const QString &, const QString &, int) -> ordered_json { throw std::runtime_error("decoder broke"); });
    m_engine.Evaluate(1, QStringLiteral("tmp\\temp.wav"), QStringLiteral("Hello"), 3);
    EXPECT_TRUE(m_engine.GetLastResult().isEmpty());
    const QStringList errors = log.LinesStartingWith(QStringLiteral("error:"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().contains(QStringLiteral("decoder broke")));
}
