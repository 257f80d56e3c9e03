// The word card's phoneme list, its phoneme click while recording, the word
// search in its example, and the word strip of an unfolded sentence.

#include "StudyWordFrame.h"
#include "WordTable.h"

#include "FakeCustomMessage.h"
#include "FakeSoundEngine.h"
#include "GradingResults.h"
#include "TestMouse.h"

#include "JsonModel.h"

#include "TButton.h"
#include "TCheckBox.h"
#include "TMemo.h"
#include "TRectangle.h"
#include "TText.h"

#include <QSettings>
#include <QTemporaryDir>
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

TEST_F(WordCard, PhonemeRowsStackedAndColouredByScore)
{
    card->DisplayPhonemeScore(
        Text(WordGrading(QStringLiteral("cat"), 68,
                         {{QStringLiteral("k"), 59.5}, {QStringLiteral("ae"), 60}, {QStringLiteral("qx"), 85}},
                         TResultEmbedding::Text)));
    EXPECT_EQ(card->Text_WordScore->Text(), QStringLiteral("68"));
    ASSERT_EQ(card->PhonemeTexts().size(), 3);
    const struct
    {
        QString shown;
        QString score;
        TAlphaColor colour;
    } rows[] = {{QStringLiteral("[k]"), QStringLiteral("59.5"), 0xFFFF0202u},
                {QStringLiteral("[æ]"), QStringLiteral("60"), 0xFFC832FAu},
                // Not a known phoneme: shown as the engine wrote it.
                {QStringLiteral("[qx]"), QStringLiteral("85"), 0xFF000000u}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(card->PhonemeTexts()[k]->Text(), rows[k].shown);
        EXPECT_DOUBLE_EQ(card->PhonemeTexts()[k]->Y(), 26.0 * k);
        EXPECT_EQ(card->PhonemeScores()[k]->Text(), rows[k].score);
        EXPECT_EQ(card->PhonemeScores()[k]->Color(), rows[k].colour) << k;
    }
    // A new result replaces the rows; an empty one clears them and the total.
    card->DisplayPhonemeScore(Text(WordGrading(QStringLiteral("a"), 90, {{QStringLiteral("ah"), 90}})));
    EXPECT_EQ(card->PhonemeTexts().size(), 1);
    EXPECT_EQ(card->findChild<TText *>(QStringLiteral("WordPhoneme1")), nullptr);
    card->DisplayPhonemeScore(QStringLiteral("  "));
    EXPECT_TRUE(card->PhonemeTexts().isEmpty());
    EXPECT_TRUE(card->Text_WordScore->Text().isEmpty());
    // Without phonemes only the total shows.
    card->DisplayPhonemeScore(Text(WordGrading(QStringLiteral("a"), 71, {})));
    EXPECT_EQ(card->Text_WordScore->Text(), QStringLiteral("71"));
    EXPECT_TRUE(card->PhonemeTexts().isEmpty());
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
    EXPECT_FALSE(card->Rectangle_PhonemeAnimationBackground->Visible());

    // Idle: the drill pauses, only the pressed button stays down.
    int pauses = 0;
    card->SetOnPause([&] { ++pauses; });
    card->SetWorkState(wsIdle);
    first->SetIsPressed(true);
    card->PhonemeButtonOnClick(second);
    EXPECT_EQ(msg->Infos().size(), 1);
    EXPECT_TRUE(card->bPause());
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(card->CornerButton_StudyPause->Text(), QStringLiteral("继    续"));
    EXPECT_FALSE(first->IsPressed());
    EXPECT_EQ(sound->Calls().Count(QStringLiteral("StopPlay")), 2);
    // A second click while paused does not pause again.
    card->PhonemeButtonOnClick(first);
    EXPECT_EQ(pauses, 1);
}

TEST_F(WordCard, SelWordSelectsTheWordInTheExampleAndOptionsAreWrittenToTheParameterFile)
{
    // The search itself is WordFlow's: here the selection it leads to.
    card->Memo_WordExample->SetText(QStringLiteral("Apple pie is an apple dessert."));
    ASSERT_TRUE(card->SelWord(QStringLiteral(" PIE ")));
    EXPECT_EQ(card->Memo_WordExample->SelStart(), 6);
    EXPECT_EQ(card->Memo_WordExample->SelText(), QStringLiteral("pie"));
    EXPECT_FALSE(card->SelWord(QStringLiteral("pear")));

    QTemporaryDir dir;
    card->SetMainPath(dir.path() + QLatin1Char('/'));
    EXPECT_TRUE(card->CheckBox_AutoPlayExample->IsChecked());
    EXPECT_TRUE(card->CheckBox_OnlyStudyUnread->IsChecked());
    ClickMiddle(card->CheckBox_OnlyStudyUnread);
    QSettings ini(dir.filePath(QStringLiteral("config/Param.ini")), QSettings::IniFormat);
    EXPECT_TRUE(ini.value(QStringLiteral("wordParam/autoPlayExample")).toBool());
    EXPECT_FALSE(ini.value(QStringLiteral("wordParam/OnlyUnread"), true).toBool());
}

TEST(WordTable, ThreeEntriesFillColumnsOneToThreeInTheirScoresColoursOnly)
{
    QWidget parent;
    TWordTable table(&parent);
    table.SetWordContent({QStringLiteral(R"({"char":"I","score":92})"),
                          QStringLiteral(R"({"char":"like","score":65.5})"),
                          QStringLiteral(R"({"char":"apples","score":40})")});
    const struct
    {
        const char *word;
        const char *score;
        TAlphaColor colour;
    } filled[] = {{"I", "92", 0xFF000000u}, {"like", "65.5", 0xFFC832FAu}, {"apples", "40", 0xFFFF0202u}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table.Texts[i]->Text(), QString::fromLatin1(filled[i].word));
        EXPECT_EQ(table.Texts[i]->Color(), filled[i].colour);
        EXPECT_EQ(table.Texts[i + 8]->Text(), QString::fromLatin1(filled[i].score));
        EXPECT_EQ(table.PlayButtons[i]->TagString(), QString::fromLatin1(filled[i].word));
    }
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(table.PlayButtons[i]->Visible(), i < 3) << i;
}

} // namespace
