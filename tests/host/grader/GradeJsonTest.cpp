// The result objects the module decodes, for a word, a sentence and a
// passage.

#include "GradeJson.h"

#include <gtest/gtest.h>

using namespace grader;
using nlohmann::ordered_json;

namespace {

TCalibration calibration()
{
    TCalibration c;
    c.defaultExpected = 0;
    c.mid = -5;
    c.slope = 2;
    c.worstWeight = 0;
    return c;
}

TWordEval word(const char *text, int sentence, std::vector<std::pair<const char *, double>> phones, bool aligned = true)
{
    TWordEval w;
    w.text = text;
    w.sentence = sentence;
    w.aligned = aligned;
    int frame = 0;
    for (const auto &[p, gop] : phones) {
        w.reference.push_back(p);
        if (!aligned)
            continue;
        TPhoneEval e;
        e.phone = p;
        e.startFrame = frame;
        e.endFrame = frame + 9;
        e.gop = gop;
        w.phones.push_back(e);
        frame += 10;
    }
    return w;
}

// "Good morning. How are you?" with "are" left out and "you" poorly read.
TUtterance passage()
{
    TUtterance u;
    u.sentences = {"Good morning.", "How are you?"};
    u.words = {word("Good", 0, {{"G", 0}, {"UH", 0}, {"D", 0}}),
               word("morning", 0, {{"M", 0}, {"AO", -1}, {"R", 0}, {"N", 0}, {"IH", 0}, {"NG", 0}}),
               word("How", 1, {{"HH", 0}, {"AW", 0}}), word("are", 1, {{"AA", 0}, {"R", 0}}, false),
               word("you", 1, {{"Y", -12}, {"UW", -12}})};
    return u;
}

std::vector<std::string> keys(const ordered_json &o)
{
    std::vector<std::string> out;
    for (const auto &item : o.items())
        out.push_back(item.key());
    return out;
}

} // namespace

TEST(GradeJsonTest, SentenceResultHasOneEntryPerWordAndPassageResultGroupsThemBySentence)
{
    const std::vector<std::string> scores = {"overall", "accuracy", "integrity", "fluency", "details"};
    const ordered_json r = GradeResultJson(TGradeMode::Sentence, calibration(), passage());
    EXPECT_EQ(keys(r), scores);
    EXPECT_TRUE(r["fluency"]["overall"].is_number());
    ASSERT_EQ(r["details"].size(), 5u);
    EXPECT_EQ(r["details"][0]["char"], "Good");
    EXPECT_EQ(r["details"][3]["char"], "are");
    EXPECT_EQ(r["details"][3]["score"], 0.0);
    EXPECT_GT(r["details"][0]["score"].get<double>(), 90.0);
    EXPECT_LT(r["details"][4]["score"].get<double>(), 10.0);
    EXPECT_DOUBLE_EQ(r["integrity"].get<double>(), 60.0); // "are" skipped, "you" under the read floor

    const ordered_json p = GradeResultJson(TGradeMode::Passage, calibration(), passage());
    EXPECT_EQ(keys(p), scores);
    ASSERT_EQ(p["details"].size(), 2u);
    const ordered_json &first = p["details"][0];
    EXPECT_EQ(keys(first), (std::vector<std::string>{"text", "score", "words"}));
    EXPECT_EQ(first["text"], "Good morning.");
    ASSERT_EQ(first["words"].size(), 2u);
    EXPECT_EQ(first["words"][1]["char"], "morning");
    const ordered_json &second = p["details"][1];
    ASSERT_EQ(second["words"].size(), 3u);
    // The sentence's score is the mean of its words, the one left out as 0.
    const double mean = (second["words"][0]["score"].get<double>() + second["words"][2]["score"].get<double>()) / 3;
    EXPECT_NEAR(second["score"].get<double>(), mean, 0.1);
    EXPECT_GT(first["score"].get<double>(), second["score"].get<double>());
}

TEST(GradeJsonTest, WordResultListsPhonesInTheModulesNotation)
{
    TUtterance u;
    u.sentences = {"ship"};
    u.words = {word("ship", 0, {{"SH", 0}, {"IH", -9}, {"P", 0}})};
    const ordered_json r = GradeResultJson(TGradeMode::Word, calibration(), u);
    EXPECT_EQ(keys(r), (std::vector<std::string>{"overall", "details"}));
    ASSERT_EQ(r["details"].size(), 1u);
    const ordered_json &d = r["details"][0];
    EXPECT_EQ(keys(d), (std::vector<std::string>{"char", "score", "phone"}));
    EXPECT_EQ(d["char"], "ship");
    EXPECT_EQ(d["score"], r["overall"]);
    ASSERT_EQ(d["phone"].size(), 3u);
    EXPECT_EQ(d["phone"][0]["char"], "sh");
    EXPECT_EQ(d["phone"][1]["char"], "ih");
    EXPECT_LT(d["phone"][1]["score"].get<double>(), d["phone"][0]["score"].get<double>());

    // Not heard: the reference phones, every score 0.
    u.words = {word("ship", 0, {{"SH", 0}, {"IH", 0}, {"P", 0}}, false)};
    const ordered_json silent = GradeResultJson(TGradeMode::Word, calibration(), u);
    EXPECT_EQ(silent["overall"], 0.0);
    ASSERT_EQ(silent["details"][0]["phone"].size(), 3u);
    for (const auto &p : silent["details"][0]["phone"])
        EXPECT_EQ(p["score"], 0);
}

TEST(GradeJsonTest, AWordWithoutAnEnglishPronunciationCountsNeitherWay)
{
    // "你好" in the text: listed, but left out of every score of its
    // sentence, its passage sentence and a word result.
    TUtterance u = passage();
    const ordered_json before = GradeResultJson(TGradeMode::Passage, calibration(), u);
    u.words.insert(u.words.begin() + 3, word("\u4f60\u597d", 1, {}, false));
    const ordered_json after = GradeResultJson(TGradeMode::Passage, calibration(), u);
    for (const char *key : {"overall", "accuracy", "integrity"})
        EXPECT_EQ(after[key], before[key]) << key;
    EXPECT_EQ(after["fluency"], before["fluency"]);
    EXPECT_EQ(after["details"][1]["score"], before["details"][1]["score"]);
    ASSERT_EQ(after["details"][1]["words"].size(), 4u);
    EXPECT_EQ(after["details"][1]["words"][1]["score"], 0.0);

    u.sentences = {"ship \u4f60\u597d"};
    u.words = {word("ship", 0, {{"SH", 0}, {"IH", 0}, {"P", 0}}), word("\u4f60\u597d", 0, {}, false)};
    const ordered_json w = GradeResultJson(TGradeMode::Word, calibration(), u);
    u.words.pop_back();
    EXPECT_EQ(w["overall"], GradeResultJson(TGradeMode::Word, calibration(), u)["overall"]);
    u.words = {word("\u4f60\u597d", 0, {}, false)};
    EXPECT_EQ(GradeResultJson(TGradeMode::Sentence, calibration(), u)["overall"], 0.0);
}

TEST(GradeJsonTest, EmptyTextGivesZeroScoresNotAnError)
{
    TUtterance u;
    for (TGradeMode mode : {TGradeMode::Word, TGradeMode::Sentence, TGradeMode::Passage}) {
        const ordered_json r = GradeResultJson(mode, calibration(), u);
        EXPECT_EQ(r["overall"], 0.0);
        EXPECT_TRUE(r["details"].is_array());
    }
}
