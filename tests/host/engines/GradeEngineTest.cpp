// The simulated grading engine: result shapes, determinism, recordings and
// stopping.

#include "SimGrading.h"
#include "SimWav.h"
#include "TSimGradeEngine.h"

#include "ClockSpeed.h"

#include "Mp3Encoder.h"
#include "WaveFile.h"
#include "StudyClock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using nlohmann::ordered_json;

namespace {

const QString kSentence =
    QStringLiteral("Good morning, Miss Green! How are you today? I am fine, thank you very much.");

ordered_json resultOf(TSimGradeEngine &engine)
{
    const ordered_json whole = ordered_json::parse(engine.GetLastResult().toStdString());
    EXPECT_TRUE(whole.contains("result"));
    EXPECT_TRUE(whole["result"].is_object()); // embedded, not a string
    return whole["result"];
}

bool isScore(const ordered_json &v)
{
    return v.is_number() && v.get<double>() >= 0 && v.get<double>() <= 100;
}

class GradeEngineTest : public ::testing::Test
{
protected:
    QTemporaryDir m_dir;
    ClockSpeed m_fast{50};
    TSimGradeEngine m_engine{m_dir.path()};
};

} // namespace

TEST_F(GradeEngineTest, WordResultCarriesPhonemes)
{
    m_engine.Evaluate(0, QStringLiteral("tmp\\word.wav"), QStringLiteral("teacher"), 3);
    const ordered_json r = resultOf(m_engine);
    ASSERT_TRUE(isScore(r["overall"]));
    ASSERT_EQ(r["details"].size(), 1u);
    const ordered_json &word = r["details"][0];
    EXPECT_EQ(word["char"], "teacher");
    EXPECT_EQ(word["score"], r["overall"]);
    ASSERT_TRUE(word["phone"].is_array());
    static const QSet<QString> symbols = {"aa", "ae", "ah", "ao", "aw", "ay", "b",  "ch", "d", "dh", "eh", "er", "ey",
                                          "f",  "g",  "hh", "ih", "iy", "jh", "k",  "l",  "m", "n",  "ng", "ow", "oy",
                                          "p",  "r",  "s",  "sh", "t",  "th", "uh", "uw", "v", "w",  "y",  "z",  "zh"};
    QStringList phones;
    for (const auto &p : word["phone"]) {
        phones << QString::fromStdString(p["char"].get<std::string>());
        EXPECT_TRUE(isScore(p["score"]));
    }
    EXPECT_EQ(phones, (QStringList{"t", "iy", "ch", "er"}));
    // Only symbols the module has an animation for (UIArchiveContentTest).
    for (const QString &w : {QStringLiteral("English"), QStringLiteral("quick"), QStringLiteral("box")}) {
        for (const QString &p : SimPhonemes(w))
            EXPECT_TRUE(symbols.contains(p)) << w.toStdString() << " " << p.toStdString();
    }
}

// Passage: one entry per sentence holding its words. Sentence: every word
// scored, a mix of levels, the overall their mean.
TEST_F(GradeEngineTest, PassageAndSentenceResultsScoreEveryWord)
{
    const QStringList words = SimWords(kSentence);
    EXPECT_EQ(words[2], "Miss"); // punctuation is not part of a word
    m_engine.Evaluate(2, QString(), kSentence, 20);
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("tmp")))); // no file name, no recording
    const ordered_json p = resultOf(m_engine);
    EXPECT_TRUE(isScore(p["overall"]));
    ASSERT_EQ(p["details"].size(), 3u);
    EXPECT_EQ(p["details"][1]["text"], "How are you today?");
    qsizetype inSentences = 0;
    for (const auto &sentence : p["details"])
        inSentences += static_cast<qsizetype>(sentence["words"].size());
    EXPECT_EQ(inSentences, words.size());

    m_engine.Evaluate(1, QStringLiteral("tmp\\temp.wav"), kSentence, 12);
    const ordered_json r = resultOf(m_engine);
    EXPECT_TRUE(isScore(r["fluency"]["overall"]));
    EXPECT_EQ(r["integrity"], 100.0);
    ASSERT_EQ(r["details"].size(), static_cast<size_t>(words.size()));
    int low = 0, high = 0;
    double sum = 0;
    for (size_t i = 0; i < r["details"].size(); ++i) {
        EXPECT_EQ(QString::fromStdString(r["details"][i]["char"].get<std::string>()), words[int(i)]);
        const double s = r["details"][i]["score"].get<double>();
        low += s < 60;
        high += s > 85;
        sum += s;
    }
    EXPECT_GT(low, 0);
    EXPECT_GT(high, 0);
    EXPECT_NEAR(r["overall"].get<double>(), sum / words.size(), 0.051);
}

TEST_F(GradeEngineTest, SameAttemptGivesTheSameTextAndOtherTextsDiffer)
{
    TSimGradeEngine other(m_dir.path());
    m_engine.Evaluate(1, QStringLiteral("tmp\\a.wav"), QStringLiteral("Nice to meet you."), 5);
    other.Evaluate(1, QStringLiteral("tmp\\b.wav"), QStringLiteral("Nice to meet you."), 5);
    EXPECT_FALSE(m_engine.GetLastResult().isEmpty());
    EXPECT_EQ(m_engine.GetLastResult(), other.GetLastResult());

    other.Evaluate(1, QStringLiteral("tmp\\b.wav"), QStringLiteral("Nice to see you."), 5);
    EXPECT_NE(m_engine.GetLastResult(), other.GetLastResult());
}

TEST_F(GradeEngineTest, EvaluationRecordsTheSpeechIntoTheWave)
{
    QElapsedTimer t;
    t.start();
    m_engine.Evaluate(1, QStringLiteral("tmp\\study\\s.wav"), QStringLiteral("I like apples."), 10);
    const qint64 speech = SimSpeechMs(QStringLiteral("I like apples."));
    EXPECT_GE(static_cast<double>(t.elapsed()) * StudyClock::speed(), speech - 20);
    EXPECT_EQ(m_engine.LastRecordedMs(), speech);
    TWaveFormat format;
    ASSERT_TRUE(ReadWaveFormat(m_dir.filePath(QStringLiteral("tmp/study/s.wav")), format));
    EXPECT_EQ(format.sampleRate, 16000);
    EXPECT_EQ(format.channels, 1);
    EXPECT_EQ(format.dataBytes, speech * 32);
}

TEST_F(GradeEngineTest, StopFlagEndsTheEvaluationEarly)
{
    const QString text = kSentence + QLatin1Char(' ') + kSentence; // about 13 s to say
    bool stop = false;
    QTimer::singleShot(StudyClock::scaled(1500), &m_engine, [&stop] { stop = true; });
    QElapsedTimer t;
    t.start();
    m_engine.EvaluateStoppable(1, text, QStringLiteral("tmp\\temp.wav"), 60, stop);
    const double stated = static_cast<double>(t.elapsed()) * StudyClock::speed();
    EXPECT_LT(stated, 8000);
    EXPECT_LT(m_engine.LastRecordedMs(), SimSpeechMs(text));
    EXPECT_GE(m_engine.LastRecordedMs(), 1400);

    const ordered_json r = resultOf(m_engine);
    EXPECT_LT(r["integrity"].get<double>(), 100.0);
    EXPECT_EQ(r["details"].back()["score"], 0); // the last words went unsaid
    EXPECT_GT(r["details"].front()["score"].get<int>(), 0);

    // A flag already set returns at once.
    t.restart();
    m_engine.EvaluateStoppable(0, QStringLiteral("apple"), QString(), 3, stop);
    EXPECT_LT(static_cast<double>(t.elapsed()) * StudyClock::speed(), 500);
    EXPECT_EQ(resultOf(m_engine)["overall"], 0);
}

TEST_F(GradeEngineTest, MicrophoneFilesAreRecordedInTurnAndCutAtTheTimeAllowed)
{
    // Two "utterances": 1.5 s of a ramp at 8 kHz (converted to 16 kHz) and
    // 4 s of another one at 16 kHz.
    const auto writeWav = [this](const char *name, int rate, int samples, int step) {
        QList<qint16> ramp;
        for (int i = 0; i < samples; ++i)
            ramp << static_cast<qint16>((i * step) % 20000 - 10000);
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(BuildMonoWave(ramp, static_cast<quint32>(rate)));
        return file.fileName();
    };
    const QString first = writeWav("a.wav", 8000, 12000, 7);
    const QString second = writeWav("b.wav", 16000, 64000, 13);
    EXPECT_FALSE(m_engine.SetMicrophone({first, m_dir.filePath(QStringLiteral("missing.wav"))}));
    ASSERT_TRUE(m_engine.SetMicrophone({first, second}));

    const auto recordedBytes = [this](int seconds) {
        m_engine.Evaluate(1, QStringLiteral("tmp\\m.wav"), QStringLiteral("Any text at all."), seconds);
        TWaveFormat format;
        EXPECT_TRUE(ReadWaveFormat(m_dir.filePath(QStringLiteral("tmp/m.wav")), format));
        return format.dataBytes;
    };
    // The first file, whole (its conversion to 16 kHz may end a sample short).
    EXPECT_NEAR(recordedBytes(10), 1500 * 32, 64);
    EXPECT_NEAR(m_engine.LastRecordedMs(), 1500, 1);
    EXPECT_EQ(recordedBytes(3), 3000 * 32);        // the second, cut at 3 s
    EXPECT_NEAR(recordedBytes(10), 1500 * 32, 64); // the first again
    ASSERT_TRUE(m_engine.SetMicrophone({}));
    EXPECT_EQ(recordedBytes(10), SimSpeechMs(QStringLiteral("Any text at all.")) * 32); // the tone again
}
