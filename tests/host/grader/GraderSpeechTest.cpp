// The grader on speech from espeak-ng: the result objects of each mode,
// silence, no audio and a recording cut at the limit. How well it grades is
// measured at scale by bench/grader (grader_eval). Needs espeak-ng and the
// installed acoustic model (both in scripts/install-deps.sh).

#include "OfflineGrader.h"
#include "Scoring.h"

#include <QTemporaryDir>

#include <cstdlib>

#include <gtest/gtest.h>

using namespace grader;
using nlohmann::ordered_json;

namespace {

class GraderSpeechTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_grader = new TOfflineGrader(); }
    static void TearDownTestSuite()
    {
        delete s_grader;
        s_grader = nullptr;
    }

    // espeak-ng's American voice reading `text` (22 kHz, resampled on
    // reading, or by sox as the evaluation's speech is).
    TAudio speak(const std::string &text, double limit = 0, bool sox = false)
    {
        const std::string path = m_dir.filePath(QString::number(++m_count) + QStringLiteral(".wav")).toStdString();
        std::string cmd = "espeak-ng -v en-us -w '" + path + "' '" + text + "'";
        if (sox)
            cmd += " && sox '" + path + "' -r 16000 -c 1 -b 16 '" + path + ".16k.wav' && mv '" + path + ".16k.wav' '"
                   + path + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
        auto audio = ReadWav(path, limit);
        EXPECT_TRUE(audio.has_value());
        return audio ? *audio : TAudio{};
    }

    static TOfflineGrader *s_grader;
    QTemporaryDir m_dir;
    int m_count = 0;
};

TOfflineGrader *GraderSpeechTest::s_grader = nullptr;

const std::string kSentence = "I saw a big ship in the harbour this morning.";

} // namespace

TEST_F(GraderSpeechTest, ReadingsAreGradedInTheShapeOfTheirMode)
{
    // With the decoder's default beams this fast reading lost every path
    // through the grammar and graded 0 although it is correct.
    const std::string text = "My cat likes to sleep in the sun";
    const ordered_json sentence = s_grader->Grade(TGradeMode::Sentence, text, speak(text));
    ASSERT_EQ(sentence["details"].size(), 8u);
    EXPECT_EQ(sentence["details"][1]["char"], "cat");
    EXPECT_GT(sentence["integrity"].get<double>(), 50.0);
    EXPECT_GT(sentence["accuracy"].get<double>(), 15.0);

    const ordered_json teacher = s_grader->Grade(TGradeMode::Word, "teacher", speak("teacher"));
    const ordered_json &word = teacher["details"][0];
    EXPECT_EQ(word["char"], "teacher");
    ASSERT_EQ(word["phone"].size(), 4u); // T IY CH ER
    EXPECT_EQ(word["phone"][2]["char"], "ch");

    const std::string passage = "Good morning. How are you today?";
    const ordered_json p = s_grader->Grade(TGradeMode::Passage, passage, speak(passage));
    ASSERT_EQ(p["details"].size(), 2u);
    EXPECT_EQ(p["details"][1]["text"], "How are you today?");
    EXPECT_EQ(p["details"][1]["words"].size(), 4u);
    EXPECT_GT(p["overall"].get<double>(), 50.0);
}

TEST_F(GraderSpeechTest, SilenceNoAudioAndAMissingFileScoreZero)
{
    TAudio silence;
    silence.samples.assign(3 * kSampleRate, 0);
    const ordered_json quiet = s_grader->Grade(TGradeMode::Sentence, kSentence, silence);
    EXPECT_EQ(quiet["overall"], 0.0);
    EXPECT_EQ(quiet["integrity"], 0.0);
    EXPECT_EQ(quiet["details"].size(), 10u);
    EXPECT_EQ(s_grader->Grade(TGradeMode::Word, "ship", TAudio{})["overall"], 0.0);
    // A constant level: nothing to hear, and nothing that is not a number.
    TAudio level;
    level.samples.assign(2 * kSampleRate, 1000);
    const ordered_json flat = s_grader->Grade(TGradeMode::Sentence, kSentence, level);
    EXPECT_EQ(flat["overall"], 0.0);
    EXPECT_EQ(flat["details"][4]["score"], 0.0);
    EXPECT_EQ(s_grader->GradeFile(TGradeMode::Passage, kSentence, "/nonexistent.wav", 5)["overall"], 0.0);
}

TEST_F(GraderSpeechTest, AReadingWithWordsLeftOutIsAlignedAndTheOthersAreFound)
{
    // With the decoder's beams alone this reading had no path at all (each
    // word left out costs far more than the word beam allows) and graded 0.
    const std::string text = "We live in a small house near the river";
    const ordered_json r =
        s_grader->Grade(TGradeMode::Sentence, text, speak("We in small house near the river", 0, true));
    EXPECT_GT(r["integrity"].get<double>(), 40.0);
    EXPECT_EQ(r["details"][1]["score"], 0.0);                // "live", left out
    EXPECT_GT(r["details"][5]["score"].get<double>(), 50.0); // "house"

    // "a", left out as well, is put in by the alignment; the stretch from
    // "in" to "small" is explained as well without it, so it is not found,
    // while the words read are.
    const TUtterance u = s_grader->Analyse(text, speak("We in small house near the river", 0, true));
    const TCalibration &c = s_grader->Calibration();
    const TWordEval &a = u.words[3];
    ASSERT_TRUE(a.aligned && a.presenceKnown);
    EXPECT_LE(a.presence, c.minPresence);
    EXPECT_FALSE(WordFound(c, a, WordScore(c, a)));
    for (std::size_t w : {2u, 5u, 6u}) { // "in", "house", "near"
        ASSERT_TRUE(u.words[w].presenceKnown) << w;
        EXPECT_GT(u.words[w].presence, c.minPresence) << w;
    }
}

TEST_F(GraderSpeechTest, ARecordingLongerThanTheLimitIsCut)
{
    // Cut after one second, the later words are not heard.
    const TAudio cut = speak(kSentence, 1.0);
    EXPECT_TRUE(cut.cut);
    const ordered_json r = s_grader->Grade(TGradeMode::Sentence, kSentence, cut);
    EXPECT_EQ(r["details"][9]["score"], 0.0); // "morning"
    EXPECT_LT(r["integrity"].get<double>(), 60.0);
}

TEST_F(GraderSpeechTest, AVowelSaidAsItsNeighbourIsHeardOverItsOwnFrames)
{
    const TUtterance right = s_grader->Analyse(kSentence, speak(kSentence));
    const TUtterance wrong = s_grader->Analyse(kSentence, speak("I saw a big sheep in the harbour this morning."));
    auto vowelOfShip = [](const TUtterance &u) {
        for (const TPhoneEval &p : u.words.at(4).phones)
            if (p.phone == "IH")
                return p;
        ADD_FAILURE() << "no IH in ship";
        return TPhoneEval{};
    };
    const TPhoneEval good = vowelOfShip(right);
    const TPhoneEval bad = vowelOfShip(wrong);
    EXPECT_LT(bad.segmentCompetitorGop, good.segmentCompetitorGop - 5);
    EXPECT_LT(bad.segmentGop, good.segmentGop);
    for (const TWordEval &w : right.words)
        for (const TPhoneEval &p : w.phones) {
            EXPECT_LE(p.segmentGop, p.segmentCompetitorGop) << w.text << " " << p.phone;
            EXPECT_LE(p.segmentCompetitorGop, 0.0) << w.text << " " << p.phone;
        }
}
