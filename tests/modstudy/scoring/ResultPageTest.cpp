// The result page on a running frame: a passage and a word drill result
// shown in a fresh result view and handed to the submission, the word speech
// asked for and played, and pictures of the page and of the word card for a
// look (written to /tmp).

#include "ClockSpeed.h"
#include "GradingResults.h"
#include "TestHost.h"
#include "TestMouse.h"

#include "MyRectangle.h"
#include "StudyDisplayFrame.h"
#include "StudyWordFrame.h"
#include "StudyWordScoreDetailsFrame.h"
#include "WordTable.h"

#include "Render.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TLabel.h"
#include "TMemo.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

using Json = nlohmann::ordered_json;

QString Text(const Json &j)
{
    return QString::fromStdString(j.dump());
}

const QString kSentences[] = {
    QStringLiteral("Last summer my family and I went to the seaside for a week."),
    QStringLiteral("We stayed in a small hotel near the beach and swam every morning before breakfast together."),
    QStringLiteral("My little brother built a big sandcastle."),
    QStringLiteral(
        "In the evening we walked along the shore and watched the sun go down slowly behind the hills far away."),
    QStringLiteral("It was the best holiday ever."),
};

Json Passage()
{
    QList<TScoredSentence> sentences;
    int seed = 0;
    for (const QString &s : kSentences) {
        TScoredSentence sentence{s, 0, {}};
        double sum = 0;
        for (const QString &w : s.split(QLatin1Char(' '))) {
            const double score = 45 + (seed++ * 37) % 55;
            sentence.words.push_back({QString(w).remove(QLatin1Char('.')).remove(QLatin1Char(',')), score});
            sum += score;
        }
        sentence.score = std::round(sum / sentence.words.size());
        sentences.push_back(sentence);
    }
    return {{"parts", Json::array({PassageGrading(sentences, 78.5, TResultEmbedding::Text)})},
            {"audios", Json::array()},
            {"achiveType", "L"},
            {"partcount", 1}};
}

Json Words()
{
    const Json placeholder = {{"result", ""}};
    return {{"uid", 7},
            {"bookId", 30},
            {"unitId", 301},
            {"wordTotalCount", 5},
            {"wordId", 0},
            {"wordIndex", 0},
            {"wordResult", Json::array({WordGrading(QStringLiteral("teacher"), 82,
                                                    {{QStringLiteral("t"), 90},
                                                     {QStringLiteral("iy"), 85},
                                                     {QStringLiteral("ch"), 72},
                                                     {QStringLiteral("er"), 58}}),
                                        placeholder,
                                        WordGrading(QStringLiteral("beautiful"), 66,
                                                    {{QStringLiteral("b"), 88},
                                                     {QStringLiteral("y"), 60},
                                                     {QStringLiteral("uw"), 64},
                                                     {QStringLiteral("t"), 59.5},
                                                     {QStringLiteral("ih"), 71},
                                                     {QStringLiteral("f"), 70}},
                                                    TResultEmbedding::Text),
                                        WordGrading(QStringLiteral("apple"), 91, {}), placeholder})}};
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
    EXPECT_EQ(View()->FSentenceContent.size(), 5);
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

    // The service's answer shows the rewards and, with an achievement, the
    // share button.
    host.mod->ReceiveMsg(QStringLiteral(
        R"({"apiCode":42,"errorCode":0,"point":12,"eMoneys":3,"medalName":"金奖章","achivementId":55})"));
    EXPECT_TRUE(F().Rectangle_Medal->Visible());
    EXPECT_EQ(F().Text_Exp->Text(), QStringLiteral("12"));
    EXPECT_TRUE(F().CornerButton_SharedAudio->Visible());

    // One sentence unfolded, for a look.
    ClickMiddle(View()->FSentenceContent[1]->Text);
    ASSERT_EQ(View()->WordTables.size(), 2);
    const QString path = QStringLiteral("/tmp/result_passage_unfolded.png");
    ASSERT_TRUE(RenderToPng(&F(), path));
    EXPECT_EQ(QImage(path).size(), QSize(TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight));
}

TEST_F(ResultPage, ReturnButtonGoesBackToTheStudyPage)
{
    F().DisplayScore(5, Text(Passage()));
    F().PartStartIndex = 3;
    F().PartResultJson = std::make_unique<Json>(Json{{"bContinue", 1}});
    host.sound->Calls().Clear();
    ClickMiddle(F().Button_DisplayReturn);
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgStudy);
    EXPECT_EQ(host.sound->Calls().Count(QStringLiteral("StopPlay")), 1);
    EXPECT_EQ(F().PartStartIndex, 0);
    EXPECT_EQ(F().PartResultJson, nullptr);
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
    ASSERT_EQ(View()->WordDetails.size(), 3);
    EXPECT_EQ(View()->WordDetails[1]->Phonemes().size(), 8);
    // (82 + 66 + 91) / 5 words, the two not graded counting 0.
    EXPECT_EQ(F().Text_DisplayTotalScore->Text(), QStringLiteral("47.8"));
    // Handed to the submission: the score record went out (nobody answers it here).
    EXPECT_EQ(TestHost::WithCode(host.requests, 41).size(), 1);
    EXPECT_EQ(F().StudyModule, smWordHome);
    EXPECT_TRUE(card->CheckBox_AutoPlayExample->IsChecked());
    EXPECT_TRUE(card->Rectangle_WordStudyHome->Visible());
    EXPECT_FALSE(card->Rectangle_WordStudy->Visible());
    EXPECT_EQ(F().Text_SelectSentenceIndex->Text(), QStringLiteral("1"));

    // Without a medal only the experience and coins show.
    host.mod->ReceiveMsg(QStringLiteral(R"({"apiCode":42,"point":5,"eMoneys":1,"medalName":"","achivementId":9})"));
    EXPECT_FALSE(F().Rectangle_Medal->Visible());
    EXPECT_TRUE(F().Rectangle_Exp->Visible());

    const QString path = QStringLiteral("/tmp/result_word_list.png");
    ASSERT_TRUE(RenderToPng(&F(), path));
    EXPECT_EQ(QImage(path).size(), QSize(TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight));
}

TEST_F(ResultPage, WordCardPicture)
{
    F().TabControl_Home->SetTabIndex(pgStudy);
    auto *card = new TStudyWordFrame(F().Rectangle_StudyCenterBackground);
    F().StudyWordFrame = card;
    card->SetUIArchive(host.archive);
    card->show();
    card->Text_WordContent->SetText(QStringLiteral("beautiful"));
    card->Text_WordPhonetic->SetText(QStringLiteral("/ˈbjuːtɪfl/"));
    card->Text_WordTranslate->SetText(QStringLiteral("adj. 美丽的"));
    card->Memo_WordExample->SetText(QStringLiteral("Beautiful flowers grow in our garden."));
    ASSERT_TRUE(card->SelWord(QStringLiteral("beautiful")));
    card->DisplayPhonemeScore(Text(Words()["wordResult"][2]));
    ASSERT_EQ(card->PhonemeTexts().size(), 6);
    const QString path = QStringLiteral("/tmp/result_word_card.png");
    ASSERT_TRUE(RenderToPng(&F(), path));
    EXPECT_EQ(QImage(path).size(), QSize(TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight));
}

} // namespace
