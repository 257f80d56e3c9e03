// The base phones' models read from the installed acoustic model, and what a
// damaged model file does. Needs the model (scripts/install-deps.sh).

#include "PhoneModels.h"
#include "SphinxDecoder.h"

#include <QTemporaryDir>

#include <filesystem>
#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

using namespace grader;
namespace fs = std::filesystem;

namespace {

const std::string &modelFolder()
{
    static const std::string folder = TModelFiles::Installed().acousticModel;
    return folder;
}

// A copy of the model folder in which `file` is cut to `keep` bytes.
std::string damagedCopy(const QTemporaryDir &dir, const std::string &file, std::uintmax_t keep)
{
    const fs::path to = dir.path().toStdString();
    for (const auto &entry : fs::directory_iterator(modelFolder()))
        fs::copy_file(entry.path(), to / entry.path().filename());
    fs::resize_file(to / file, keep);
    return to.string();
}

} // namespace

TEST(PhoneModelsTest, EachPhonesModelScoresItsOwnSoundBest)
{
    const TPhoneModels models(modelFolder());
    ASSERT_GE(models.PhoneIndex("AA"), 0);
    EXPECT_EQ(models.PhoneIndex("XX"), -1);
    EXPECT_FALSE(models.IsSpeech(models.PhoneIndex("SIL")));
    EXPECT_TRUE(models.IsSpeech(models.PhoneIndex("S")));

    // Frames made of the means of the densities that the phone's senones
    // weigh most: its own model must explain them better than every other
    // phone's does, over segments of any length. (Steady sounds: a stop's or
    // a nasal's most typical frame is also typical of its neighbours.)
    for (const char *name : {"S", "SH", "Z", "IY", "AA", "OW", "EH", "AE", "R"}) {
        const int phone = models.PhoneIndex(name);
        std::vector<float> frames;
        for (int state = 0; state < 3; ++state)
            for (int repeat = 0; repeat < 3; ++repeat) {
                const std::vector<float> mean = models.TypicalFrame(phone, state);
                frames.insert(frames.end(), mean.begin(), mean.end());
            }
        const std::vector<float> scores = models.SenoneScores(frames);
        for (const int last : {8, 2}) {
            const double own = models.SegmentScore(scores, phone, 0, last);
            for (int q = 0; q < models.PhoneCount(); ++q) {
                if (q == phone)
                    continue;
                EXPECT_GT(own, models.SegmentScore(scores, q, 0, last)) << name << " against " << models.PhoneName(q);
            }
        }
    }
}

TEST(PhoneModelsTest, AChainOfPhonesIsScoredOverItsFramesInOrder)
{
    const TPhoneModels models(modelFolder());
    const int s = models.PhoneIndex("S");
    const int aa = models.PhoneIndex("AA");
    const int sil = models.PhoneIndex("SIL");
    // An "S" then an "AA", each three typical frames per state.
    std::vector<float> frames;
    for (int phone : {s, aa})
        for (int state = 0; state < 3; ++state)
            for (int repeat = 0; repeat < 3; ++repeat) {
                const std::vector<float> mean = models.TypicalFrame(phone, state);
                frames.insert(frames.end(), mean.begin(), mean.end());
            }
    const std::vector<float> scores = models.SenoneScores(frames);
    using Unit = TPhoneModels::TChainUnit;
    // One unit is the phone's own segment score.
    EXPECT_NEAR(models.ChainScore(scores, {{s, false}}, 0, 8), models.SegmentScore(scores, s, 0, 8), 1e-6);
    const double both = models.ChainScore(scores, {Unit{s, false}, Unit{aa, false}}, 0, 17);
    EXPECT_GT(both, models.ChainScore(scores, {Unit{aa, false}}, 0, 17)); // without the "S"
    EXPECT_GT(both, models.ChainScore(scores, {Unit{aa, false}, Unit{s, false}}, 0, 17));
    // An optional pause may be passed by; a required one costs.
    EXPECT_DOUBLE_EQ(models.ChainScore(scores, {Unit{s, false}, Unit{sil, true}, Unit{aa, false}}, 0, 17), both);
    EXPECT_LT(models.ChainScore(scores, {Unit{s, false}, Unit{sil, false}, Unit{aa, false}}, 0, 17), both);
    // Two phones need six frames at least.
    EXPECT_EQ(models.ChainScore(scores, {Unit{s, false}, Unit{aa, false}}, 0, 4),
              -std::numeric_limits<double>::infinity());
}

TEST(PhoneModelsTest, ADamagedModelFileIsRefusedWithItsName)
{
    for (const auto &[file, keep] : std::vector<std::pair<std::string, std::uintmax_t>>{
             {"sendump", 100000}, {"means", 5000}, {"mdef", 1100}, {"transition_matrices", 100}}) {
        QTemporaryDir dir;
        const std::string folder = damagedCopy(dir, file, keep);
        try {
            TPhoneModels models(folder);
            ADD_FAILURE() << file << " cut to " << keep << " bytes was accepted";
        } catch (const std::runtime_error &e) {
            EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
        }
    }
}
