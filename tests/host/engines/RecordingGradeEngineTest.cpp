// The grading engine that records through a sound engine: which recording it
// uses, what ends it (time limit, StopRecord, stop flag), the file it grades
// and a recorder that cannot start.

#include "RecordingScorer.h"
#include "SimWav.h"
#include "TRecordingGradeEngine.h"

#include "LogCapture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

namespace {

// A recorder whose recording, once stopped, is a WAV as long as it ran in
// real time.
class ClockRecorder : public IRecordingSource
{
public:
    bool canStart = true;
    int starts = 0;

    bool StartRecording(const QString &path) override
    {
        if (!canStart)
            return false;
        ++starts;
        m_path = path;
        m_clock.start();
        return true;
    }
    bool IsRecording() const override { return !m_path.isEmpty(); }
    QString RecordingPath() const override { return m_path; }
    void StopRecording() override
    {
        if (!m_path.isEmpty())
            WriteSimWav(std::exchange(m_path, QString()), m_clock.elapsed());
    }

private:
    QString m_path;
    QElapsedTimer m_clock;
};

class RecordingGradeEngineTest : public ::testing::Test
{
protected:
    QString file(const QString &relative) const { return m_dir.filePath(relative); }

    // Real milliseconds a call takes.
    template<typename F>
    static qint64 Timed(F &&call)
    {
        QElapsedTimer clock;
        clock.start();
        call();
        return clock.elapsed();
    }

    QTemporaryDir m_dir;
    std::shared_ptr<ClockRecorder> m_recorder = std::make_shared<ClockRecorder>();
    QStringList m_scored; // "mode text file" of every grading
    TRecordingGradeEngine m_engine{m_dir.path(), m_recorder,
                                   [this](TGradeMode mode, const QString &text, const QString &wav) {
                                       m_scored << QString::number(static_cast<int>(mode)) % QStringLiteral(" ") % text
                                                       % QStringLiteral(" ") % wav;
                                       return SimScoreRecording(mode, text, wav);
                                   }};
    const QString m_text = QStringLiteral("How are you today?");
};

} // namespace

TEST_F(RecordingGradeEngineTest, TheTimeLimitEndsTheRecordingBeforeItIsGraded)
{
    const qint64 ms = Timed([&] { m_engine.Evaluate(1, QStringLiteral("tmp\\temp.wav"), m_text, 1); });
    EXPECT_GE(ms, 1000);
    EXPECT_LT(ms, 1300);
    EXPECT_EQ(m_recorder->starts, 1);
    EXPECT_FALSE(m_recorder->IsRecording());
    ASSERT_EQ(m_scored.size(), 1);
    EXPECT_EQ(m_scored[0], QStringLiteral("1 ") % m_text % QStringLiteral(" ") % file(QStringLiteral("tmp/temp.wav")));
    EXPECT_EQ(m_engine.GetLastResult(),
              SimScoreRecording(TGradeMode::Sentence, m_text, file(QStringLiteral("tmp/temp.wav"))));
    EXPECT_TRUE(m_engine.GetLastResult().startsWith(QStringLiteral("{\"result\":{")));
}

TEST_F(RecordingGradeEngineTest, StopRecordOrTheStopFlagEndsItEarly)
{
    // StopRecord from an event handler (the module's stop or close).
    QTimer::singleShot(150, &m_engine, [&] { m_recorder->StopRecording(); });
    EXPECT_LT(Timed([&] { m_engine.Evaluate(2, QStringLiteral("tmp\\p.wav"), m_text, 30); }), 500);
    EXPECT_FALSE(m_engine.GetLastResult().isEmpty());

    bool stop = false;
    QTimer::singleShot(150, &m_engine, [&] { stop = true; });
    QString answer;
    EXPECT_LT(Timed([&] {
                  answer =
                      m_engine.EvaluateStoppable(0, QStringLiteral("teacher"), QStringLiteral("tmp\\w.wav"), 30, stop);
              }),
              500);
    EXPECT_EQ(answer, QStringLiteral("stopped"));
    EXPECT_FALSE(m_recorder->IsRecording()); // the file is complete
    ASSERT_EQ(m_scored.size(), 2);
    EXPECT_TRUE(m_scored[1].startsWith(QStringLiteral("0 teacher ")));
}

TEST_F(RecordingGradeEngineTest, ARecordingAlreadyRunningIsTheOneGraded)
{
    struct Case
    {
        const char *started;   // what StartRecord was given
        const char *evaluated; // the file named in the evaluation
        const char *graded;    // the file graded
        const char *copy;      // a file that must exist afterwards, or ""
    };
    const Case cases[] = {
        {"tmp/temp.wav", "tmp\\temp.wav", "tmp/temp.wav", ""},
        {"tmp/temp.wav", "", "tmp/temp.wav", ""},                            // a passage graded without its own file
        {"tmp/temp.wav", "tmp\\other.wav", "tmp/temp.wav", "tmp/other.wav"}, // copied to the named file
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.evaluated);
        m_scored.clear();
        ASSERT_TRUE(m_recorder->StartRecording(file(QString::fromLatin1(c.started))));
        QTimer::singleShot(100, &m_engine, [&] { m_recorder->StopRecording(); });
        m_engine.Evaluate(1, QString::fromLatin1(c.evaluated), m_text, 5);
        ASSERT_EQ(m_scored.size(), 1);
        EXPECT_TRUE(m_scored[0].endsWith(file(QString::fromLatin1(c.graded))));
        if (*c.copy) {
            EXPECT_EQ(SimScoreRecording(TGradeMode::Sentence, m_text, file(QString::fromLatin1(c.copy))),
                      m_engine.GetLastResult());
        }
    }
    EXPECT_EQ(m_recorder->starts, 3); // the engine started none of its own
}

TEST_F(RecordingGradeEngineTest, ARecorderThatCannotStartGivesNoResultAtOnce)
{
    m_engine.Evaluate(1, QStringLiteral("tmp\\temp.wav"), m_text, 1);
    ASSERT_FALSE(m_engine.GetLastResult().isEmpty());
    m_recorder->canStart = false;
    LogCapture log;
    EXPECT_LT(Timed([&] { m_engine.Evaluate(1, QStringLiteral("tmp\\temp.wav"), m_text, 5); }), 100);
    EXPECT_TRUE(m_engine.GetLastResult().isEmpty()); // the last result is not handed out again
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:Evaluate cannot record")).size(), 1);
    EXPECT_EQ(m_scored.size(), 1); // nothing was graded
}

TEST_F(RecordingGradeEngineTest, GradingRunsBesideTheEventLoopAndAFailureIsLoggedNotThrown)
{
    // A scorer as slow as the offline grader on a long passage: the page's
    // timers keep running while it works.
    std::atomic<bool> scoring{false};
    bool tickedDuringScoring = false;
    TRecordingGradeEngine slow{m_dir.path(), m_recorder, [&](TGradeMode mode, const QString &text, const QString &wav) {
                                   scoring = true;
                                   std::this_thread::sleep_for(std::chrono::milliseconds(400));
                                   scoring = false;
                                   return SimScoreRecording(mode, text, wav);
                               }};
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { tickedDuringScoring = tickedDuringScoring || scoring; });
    tick.start(20);
    QTimer::singleShot(30, &slow, [&] { m_recorder->StopRecording(); });
    slow.Evaluate(1, QStringLiteral("tmp\\slow.wav"), m_text, 1);
    EXPECT_TRUE(tickedDuringScoring);
    EXPECT_FALSE(slow.GetLastResult().isEmpty());

    // Deleted by an event handled while it grades (the module closed): the
    // call returns without touching it, the grading finishes on its copies.
    auto *doomed = new TRecordingGradeEngine{m_dir.path(), m_recorder,
                                             [](TGradeMode mode, const QString &text, const QString &wav) {
                                                 std::this_thread::sleep_for(std::chrono::milliseconds(200));
                                                 return SimScoreRecording(mode, text, wav);
                                             }};
    QTimer::singleShot(30, doomed, [&] { m_recorder->StopRecording(); });
    QTimer::singleShot(100, doomed, [doomed] { delete doomed; });
    bool stop = false;
    EXPECT_TRUE(doomed->EvaluateStoppable(1, m_text, QStringLiteral("tmp\\doomed.wav"), 1, stop).isEmpty());

    LogCapture log;
    TRecordingGradeEngine failing{m_dir.path(), m_recorder,
                                  [](TGradeMode, const QString &, const QString &) -> QString {
                                      throw std::runtime_error("decoder out of memory");
                                  }};
    QTimer::singleShot(30, &failing, [&] { m_recorder->StopRecording(); });
    failing.Evaluate(1, QStringLiteral("tmp\\fail.wav"), m_text, 1);
    EXPECT_TRUE(failing.GetLastResult().isEmpty());
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:")),
              QStringList{QStringLiteral("error:Evaluate grading failed: decoder out of memory")});
}
