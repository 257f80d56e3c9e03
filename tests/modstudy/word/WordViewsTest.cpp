// The word card's phoneme list and its phoneme click while recording. (The
// word strip is ResultView's.)

#include "StudyWordFrame.h"

#include "FakeCustomMessage.h"
#include "FakeSoundEngine.h"
#include "GradingResults.h"

#include "JsonModel.h"

#include "TButton.h"
#include "TText.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

QString Text(const nlohmann::ordered_json &j)
{
    return QString::fromStdString(j.dump());
}

class WordCard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        card = new TStudyWordFrame(&parent);
        card->SetCustomMsg(msg);
        card->SetSoundEngine(sound);
        parent.show();
    }

    QWidget parent;
    TStudyWordFrame *card = nullptr;
    std::shared_ptr<FakeCustomMessage> msg = std::make_shared<FakeCustomMessage>();
    std::shared_ptr<FakeSoundEngine> sound = std::make_shared<FakeSoundEngine>();
};

// The phonetic symbols and the colours are TextTools' and ScoreScales'.
TEST_F(WordCard, PhonemeRowsAreReplacedByTheNextResultAndClearedByAnEmptyOne)
{
    card->DisplayPhonemeScore(Text(WordGrading(
        QStringLiteral("cat"), 68, {{QStringLiteral("ae"), 59.5}, {QStringLiteral("t"), 85}}, TResultEmbedding::Text)));
    EXPECT_EQ(card->Text_WordScore->Text(), QStringLiteral("68"));
    ASSERT_EQ(card->PhonemeTexts().size(), 2);
    EXPECT_EQ(card->PhonemeScores()[0]->Text(), QStringLiteral("59.5"));

    card->DisplayPhonemeScore(Text(WordGrading(QStringLiteral("a"), 90, {{QStringLiteral("ah"), 90}})));
    EXPECT_EQ(card->PhonemeTexts().size(), 1);
    EXPECT_EQ(card->findChild<TText *>(QStringLiteral("WordPhoneme1")), nullptr);
    card->DisplayPhonemeScore(QStringLiteral("  "));
    EXPECT_TRUE(card->PhonemeTexts().isEmpty());
    EXPECT_TRUE(card->Text_WordScore->Text().isEmpty());
}

TEST_F(WordCard, PhonemeClickRefusedWhileRecording)
{
    card->DisplayPhonemeScore(
        Text(WordGrading(QStringLiteral("at"), 70, {{QStringLiteral("ae"), 70}, {QStringLiteral("t"), 70}})));
    TButton *first = card->PhonemePlayButtons().at(0);
    TButton *second = card->PhonemePlayButtons().at(1);

    card->SetWorkState(wsRecording);
    card->PhonemeButtonOnClick(first);
    EXPECT_EQ(msg->Infos(), QStringList{QStringLiteral("请等待录音结束")});
    EXPECT_FALSE(card->bPause());
    EXPECT_FALSE(first->IsPressed());

    // Idle: the drill pauses, only the pressed button stays down.
    int pauses = 0;
    card->SetOnPause([&] { ++pauses; });
    card->SetWorkState(wsIdle);
    first->SetIsPressed(true);
    card->PhonemeButtonOnClick(second);
    EXPECT_EQ(msg->Infos().size(), 1);
    EXPECT_TRUE(card->bPause());
    EXPECT_EQ(pauses, 1);
    EXPECT_FALSE(first->IsPressed());
    EXPECT_EQ(sound->Calls().Count(QStringLiteral("StopPlay")), 2);
    // A second click while paused does not pause again.
    card->PhonemeButtonOnClick(first);
    EXPECT_EQ(pauses, 1);
}

} // namespace
