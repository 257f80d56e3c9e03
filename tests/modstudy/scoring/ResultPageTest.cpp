// The result page on a running frame: a passage and a word drill result
// shown in a fresh result view and handed to the submission, and the word
// speech asked for and played. (Its return button is FramePages'.)

#include "ClockSpeed.h"
#include "GradingResults.h"
#include "TestHost.h"
#include "TestMouse.h"

#include "MyRectangle.h"
#include "StudyDisplayFrame.h"
#include "StudyWordFrame.h"
#include "StudyWordScoreDetailsFrame.h"
#include "WordTable.h"

#include "TButton.h"
#include "TCheckBox.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"

#include <gtest/gtest.h>

namespace {

using Json = nlohmann::ordered_json;

QString Text(const Json &j)
{
    return QString::fromStdString(j.dump());
}

Json Passage()
{
    const QList<TScoredSentence> sentences{
        {QStringLiteral("Last summer we swam."), 80, ScoreWords(QStringLiteral("Last summer we swam."), 80)},
        {QStringLiteral("It was the best holiday."), 77, ScoreWords(QStringLiteral("It was the best holiday."), 77)}};
    return {{"parts", Json::array({PassageGrading(sentences, 78.5, TResultEmbedding::Text)})},
            {"audios", Json::array()},
            {"achiveType", "L"},
            {"partcount", 1}};
}

// Three words, the second not graded.
Json Words()
{
    return {{"uid", 7},
            {"bookId", 30},
            {"unitId", 301},
            {"wordTotalCount", 3},
            {"wordResult",
             Json::array({WordGrading(QStringLiteral("teacher"), 82, ScoreWords(QStringLiteral("t iy ch er"), 90)),
                          Json{{"result", ""}}, WordGrading(QStringLiteral("apple"), 91, {})})}};
}

class ResultPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.Start(false);
        host.sound->SetPlayDuration(30);
        F().curSelectLessonId = 111;
        F().CurSelectPartCount = 1;
    }
    TStudyFrame &F() { return *host.Frame(); }
    TStudyDisplayFrame *View() { return qobject_cast<TStudyDisplayFrame *>(F().StudyDisplayFrame.data()); }

    TestHost host;
};

TEST_F(ResultPage, PassageResultShownAndHandedToTheSubmission)
{
    ClockSpeed fast(50);
    F().Rectangle_Exp->SetVisible(true);
    F().Text_MedalCount->SetVisible(true);
    F().DisplayScore(7, Text(Passage()));
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgDisplayScore);
    EXPECT_EQ(F().StudyModule, smBookResult);
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->parentWidget(), F().Rectangle_StudyDisplayScoreBackground);
    EXPECT_EQ(View()->FSentenceContent.size(), 2);
    EXPECT_EQ(F().Text_DisplayTotalScore->Text(), QStringLiteral("78.5"));
    EXPECT_FALSE(F().Rectangle_Exp->Visible());
    EXPECT_FALSE(F().Text_MedalCount->Visible());
    // Handed to the submission: the score record went out (nobody answers it here).
    EXPECT_EQ(TestHost::WithCode(host.requests, 41).size(), 1);
    EXPECT_EQ(F().WorkState, wsIdle);

    // A second result replaces the view.
    QPointer<TStudyDisplayFrame> first = View();
    F().DisplayScore(5, Text(Passage()));
    EXPECT_TRUE(first.isNull());
    EXPECT_NE(View(), nullptr);

    // With a result shown, the service's answer with an achievement shows
    // the share button (the rewards are FrameDispatch's).
    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":42,"errorCode":0,"point":12,"achivementId":55})"));
    EXPECT_TRUE(F().CornerButton_SharedAudio->Visible());
}

TEST_F(ResultPage, WordSpeechAskedForAndPlayed)
{
    ClockSpeed fast(20);
    F().DisplayScore(5, Text(Passage()));
    ClickMiddle(View()->FSentenceContent[0]->Text);
    TButton *play = View()->WordTables[0]->PlayButtons[1];
    host.requests.clear();
    ClickMiddle(play);
    const QList<TSentText> asked = TestHost::WithCode(host.requests, 281);
    ASSERT_EQ(asked.size(), 1);
    const Json request = Json::parse(asked[0].text.toStdString());
    EXPECT_EQ(request["text"], "summer");
    EXPECT_EQ(F().LastRectangleClickControl.data(), play);
    EXPECT_TRUE(play->IsPressed());

    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":282,"errorCode":0,"url":"http://127.0.0.1:1/speech/a.wav"})"));
    const QList<TFakeCall> urls = host.sound->Calls().Named(QStringLiteral("PlayUrl"));
    ASSERT_EQ(urls.size(), 1);
    EXPECT_EQ(urls[0].args.value(0), QStringLiteral("http://127.0.0.1:1/speech/a.wav"));
    EXPECT_EQ(urls[0].args.value(1), QStringLiteral("true"));
    EXPECT_FALSE(play->IsPressed());

    // A failed speech request releases the button; a blank word asks nothing.
    ClickMiddle(play);
    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":282,"errorCode":5,"errorText":"语音合成失败"})"));
    EXPECT_FALSE(play->IsPressed());
    host.requests.clear();
    TButton blank;
    F().WordResultTextClick(&blank);
    EXPECT_TRUE(TestHost::WithCode(host.requests, 281).isEmpty());
    EXPECT_FALSE(blank.IsPressed());

    // Without a clicked control the speech plays without waiting.
    F().LastRectangleClickControl = nullptr;
    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":282,"url":"http://127.0.0.1:1/speech/b.wav"})"));
    const QList<TFakeCall> all = host.sound->Calls().Named(QStringLiteral("PlayUrl"));
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[1].args.value(1), QStringLiteral("false"));
}

TEST_F(ResultPage, WordResultShownAndTheCardBackHome)
{
    ClockSpeed fast(50);
    auto *card = new TStudyWordFrame(F().Rectangle_StudyCenterBackground);
    F().StudyWordFrame = card;
    card->CheckBox_AutoPlayExample->SetIsChecked(false);
    card->CheckBox_OnlyStudyUnread->SetIsChecked(false);
    card->Rectangle_WordStudy->SetVisible(true);

    F().DisplayWordScore(1, Text(Words()));
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgDisplayScore);
    ASSERT_NE(View(), nullptr);
    EXPECT_EQ(View()->WordDetails.size(), 2);
    // (82 + 91) / 3 words, the one not graded counting 0.
    EXPECT_EQ(F().Text_DisplayTotalScore->Text(), QStringLiteral("57.7"));
    // Handed to the submission: the score record went out (nobody answers it here).
    EXPECT_EQ(TestHost::WithCode(host.requests, 41).size(), 1);
    EXPECT_EQ(F().StudyModule, smWordHome);
    EXPECT_TRUE(card->CheckBox_AutoPlayExample->IsChecked());
    EXPECT_TRUE(card->Rectangle_WordStudyHome->Visible());
    EXPECT_FALSE(card->Rectangle_WordStudy->Visible());
    EXPECT_EQ(F().Text_SelectSentenceIndex->Text(), QStringLiteral("1"));
}

} // namespace
