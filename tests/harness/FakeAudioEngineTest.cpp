#include "ClockSpeed.h"
#include "FakeAudioEngine.h"
#include "FakeSoundEngine.h"
#include "GradingResults.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using nlohmann::ordered_json;

namespace {

// The decoded "result" object, whether embedded as an object or as text.
ordered_json decodedResult(const QString &text)
{
    const ordered_json doc = ordered_json::parse(text.toStdString());
    const ordered_json &r = doc.at("result");
    return r.is_string() ? ordered_json::parse(r.get<std::string>()) : r;
}

} // namespace

TEST(FakeAudioEngine, StoppableEvaluationReturnsEarlyWhenATimerSetsTheStopFlag)
{
    FakeAudioEngine engine;
    engine.SetEvaluateDuration(600000);
    engine.QueueResult(SentenceGrading(ScoreWords(QStringLiteral("I like it"), 80), 80, 81, 82, 83));
    bool stop = false;
    QTimer t;
    t.setSingleShot(true);
    QObject::connect(&t, &QTimer::timeout, &t, [&] {
        EXPECT_TRUE(engine.IsEvaluating());
        stop = true;
    });
    t.start(20);
    QElapsedTimer clock;
    clock.start();
    const QString said = engine.EvaluateStoppable(1, QStringLiteral("I like it"), QString(), 600, stop);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(said, QStringLiteral("stopped"));
    ASSERT_EQ(engine.Evaluations().size(), 1);
    const TEvaluateCall &c = engine.Evaluations()[0];
    EXPECT_EQ(c.operation, QStringLiteral("EvaluateStoppable"));
    EXPECT_EQ(c.mode, 1);
    EXPECT_EQ(c.text, QStringLiteral("I like it"));
    EXPECT_EQ(c.seconds, 600);
    EXPECT_TRUE(c.stoppedEarly);
    EXPECT_TRUE(c.graded);
    EXPECT_EQ(decodedResult(engine.GetLastResult()).at("overall").get<double>(), 80);
}

TEST(FakeAudioEngine, EvaluationRecordsForTheSecondsAllowedAtMostAndHandsOutQueuedResultsInOrder)
{
    QTemporaryDir dir;
    ClockSpeed fast(50);
    FakeAudioEngine engine;
    engine.SetEvaluateDuration(10000000);
    engine.QueueResult(
        WordGrading(QStringLiteral("apple"), 91, {{QStringLiteral("ae"), 90}, {QStringLiteral("p"), 92}}));
    engine.QueueResult(QStringLiteral("{\"result\":\"\"}"));
    const QString wav = dir.path() + QStringLiteral("/tmp\\word.wav");

    QElapsedTimer clock;
    clock.start();
    engine.Evaluate(0, wav, QStringLiteral("apple"), 3);
    EXPECT_GE(clock.elapsed(), 50);   // 3 stated seconds at speed 50 = 60 ms
    EXPECT_LT(clock.elapsed(), 5000); // not the configured ten thousand seconds
    const ordered_json first = decodedResult(engine.GetLastResult());
    EXPECT_EQ(first.at("details")[0].at("phone")[1].at("char"), "p");
    EXPECT_EQ(QFile(dir.path() + QStringLiteral("/tmp/word.wav")).size(), 44 + 4000 * 2);

    engine.Evaluate(0, QString(), QStringLiteral("pear"), 3);
    EXPECT_EQ(engine.GetLastResult(), QStringLiteral("{\"result\":\"\"}"));
    EXPECT_EQ(engine.QueuedResults(), 0);

    engine.Evaluate(0, QString(), QStringLiteral("plum"), 3);
    EXPECT_TRUE(engine.GetLastResult().isEmpty());
    EXPECT_FALSE(engine.Evaluations().constLast().graded);
    EXPECT_EQ(engine.Evaluations().constLast().wavFileName, QString());
    EXPECT_EQ(engine.Calls().Last(QStringLiteral("Evaluate"))->args, (QStringList{"0", "", "plum", "3"}));
}

TEST(FakeAudioEngine, StopRecordOnTheSoundEngineInterruptsAPlainEvaluation)
{
    FakeSoundEngine sound;
    FakeAudioEngine engine;
    engine.SetEvaluateDuration(600000);
    sound.SetOnStopRecord([&] { engine.Interrupt(); });
    QTimer::singleShot(20, &sound, [&] { sound.StopRecord(); });
    QElapsedTimer clock;
    clock.start();
    engine.Evaluate(1, QString(), QStringLiteral("hello"), 600);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(engine.Evaluations().constLast().stoppedEarly);
}
