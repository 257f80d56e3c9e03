// Entering, switching and leaving the study modes on a running frame.

#include "ModeFixture.h"

#include "LogCapture.h"

#include <QRegularExpression>

#include "TButton.h"
#include "TTimer.h"

namespace {

class ModeSwitch : public ModeFixture
{};

TEST_F(ModeSwitch, EachTabBuildsItsOwnViewAndFreesTheOneBefore)
{
    OpenMode(QStringLiteral("Label_Sentence"));
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgStudy);
    EXPECT_EQ(F().curModeName, QStringLiteral("Rectangle_Sentence"));
    ASSERT_TRUE(Sentences());
    EXPECT_EQ(F().Text_TabSentence->Tag(), 1);
    EXPECT_EQ(F().Rectangle_Sentence->FillColor(), 0xFFFFA417u);
    EXPECT_EQ(F().Label_Title->Text(), QStringLiteral("请点击短文中的单句然后按下话筒开始录音。（单句练习不计成绩）"));
    EXPECT_TRUE(F().Text_SentenceTotalCount->Visible());
    EXPECT_EQ(F().Text_SentenceTotalCount->Text(), QStringLiteral("3"));
    EXPECT_EQ(F().Text_SelectSentenceIndex->Text(), QStringLiteral("1"));
    EXPECT_FALSE(Sentences()->Rectangle_Score->Visible());

    // The rows carry their address: part index, sentence index, number.
    TText *third = Sentences()->findChild<TText *>(QStringLiteral("SentenceContent2"));
    ASSERT_TRUE(third);
    EXPECT_EQ(third->TagString(), QStringLiteral("1"));
    EXPECT_EQ(third->Tag(), 0);
    EXPECT_EQ(third->TagFloat(), 2);
    EXPECT_EQ(Sentences()->findChild<TText *>(QStringLiteral("SentenceRoleName1"))->Text(), QStringLiteral("Amy :"));
    EXPECT_EQ(Sentences()->findChild<TRectangle *>(QStringLiteral("SentenceTrumpet2"))->Tag(), 2);

    const QPointer<TStudySentenceFrame> sentenceView = Sentences();
    PressTab(F().Text_TabPart);
    EXPECT_TRUE(sentenceView.isNull());
    ASSERT_TRUE(F().StudyPartFrame);
    EXPECT_EQ(F().Text_TabSentence->Tag(), 0);
    EXPECT_EQ(F().Rectangle_Sentence->FillColor(), 0xFFFFFFFFu);
    EXPECT_EQ(F().Label_Title->Text(), QStringLiteral("先全文试听 , 然后点击话筒进行全文朗读。"));
    EXPECT_FALSE(F().Text_SentenceTotalCount->Visible());
    EXPECT_TRUE(F().StudyPartFrame->PartContent().startsWith(QStringLiteral("I like apples very much. Hello.")));
    EXPECT_TRUE(F().ReadAni) << "the idle figure of the book's first speaker";

    PressTab(F().Text_TabRepeat);
    ASSERT_TRUE(F().StudyRepeatFrame);
    EXPECT_FALSE(F().StudyPartFrame);
    EXPECT_EQ(F().Label_Title->Text(), QStringLiteral("先全文试听 , 然后点击话筒进行复诵。"));

    PressTab(F().Text_TabRole);
    ASSERT_TRUE(F().StudyPlayFrame);
    EXPECT_TRUE(F().Label_Title->Text().isEmpty());
    EXPECT_TRUE(F().StudyPlayFrame->Rectangle_SelectRoleBack->Visible());
    // Roles in the order of their first sentence; the narration has none.
    EXPECT_EQ(F().StudyPlayFrame->Roles(), (QStringList{QStringLiteral("Tom"), QStringLiteral("Amy")}));
    EXPECT_TRUE(host.sound->HasFinishedHandler());
    EXPECT_EQ(Views(), 1);

    // Leaving role play clears the play-finished handler again.
    PressTab(F().Text_TabSentence);
    EXPECT_FALSE(host.sound->HasFinishedHandler());
    EXPECT_EQ(Views(), 1);
}

TEST_F(ModeSwitch, AnUnknownMenuLabelOpensRolePlayAndTheTabsHoverAsTheyShould)
{
    OpenMode(QStringLiteral("Label_Something"));
    EXPECT_TRUE(F().StudyPlayFrame);
    EXPECT_EQ(F().Text_TabRole->Tag(), 1);

    // Hover outlines a tab; leaving keeps the chosen tab's look only.
    for (TText *tab : {F().Text_TabRole, F().Text_TabPart}) {
        auto *rect = qobject_cast<TRectangle *>(tab->parentWidget());
        Q_EMIT tab->MouseEnter(tab);
        EXPECT_EQ(rect->StrokeColor(), 0xFF1E90FFu);
        EXPECT_EQ(rect->StrokeThickness(), 1.5);
        rect->SetFillColor(0xFF123456);
        Q_EMIT tab->MouseLeave(tab);
        EXPECT_EQ(rect->StrokeThickness(), 0);
        EXPECT_EQ(rect->FillColor(), tab->Tag() == 1 ? 0xFF123456u : 0xFFFFFFFFu);
    }
}

TEST_F(ModeSwitch, MissingLessonContentStillOpensThePassageModesWithoutTheFigure)
{
    LogCapture log;
    // A lesson without parts, and then a book without units at all.
    F().curSelectLessonButtonIndex = 1;
    F().PackBook->Units[0].Lessons[0].Parts.clear();
    OpenMode(QStringLiteral("Label_Part"));
    EXPECT_TRUE(F().StudyPartFrame);
    EXPECT_FALSE(F().ReadAni);
    EXPECT_TRUE(log.Lines().contains(QStringLiteral("error:curModeName Rectangle_Part")));

    F().PackBook->Units.clear();
    PressTab(F().Text_TabRepeat);
    EXPECT_TRUE(F().StudyRepeatFrame);
    EXPECT_TRUE(log.Lines().contains(QStringLiteral("error:curModeName Rectangle_Repeat")));
    PressTab(F().Text_TabSentence);
    ASSERT_TRUE(Sentences());
    EXPECT_EQ(Sentences()->SentenceCount(), 0);
    EXPECT_EQ(F().curSelectSentenceIndex, -1);
    // Play without a sentence says so and plays nothing.
    ClickMiddle(Sentences()->Rectangle_Read);
    ASSERT_TRUE(WaitUntil([&] { return host.message->Infos().size() == 1; }, StatedMs{2000}));
    EXPECT_EQ(host.message->Infos().first(), QStringLiteral("请先选择要朗读的句子"));
    EXPECT_EQ(host.sound->Calls().Count(QStringLiteral("PlayFile")), 0);
}

TEST_F(ModeSwitch, ReturnWaitsForThePlaybackToStopAndGoesToTheUnitOrHomePage)
{
    host.sound->SetPlayDuration(600000);
    for (const bool material : {false, true}) {
        F().curSelectBookType = material ? QStringLiteral("materials") : QString();
        OpenMode(QStringLiteral("Label_Sentence"));
        const QPointer<TStudySentenceFrame> view = Sentences();
        bool viewAliveWhileReturning = false;
        When([&] { return host.sound->IsPlaying(); },
             [&] {
                 ClickMiddle(F().Button_Study_LearningReturn);
                 viewAliveWhileReturning = !view.isNull() && F().isStudyModeReturn;
             });
        ClickMiddle(Sentences()->Rectangle_Read);
        ASSERT_TRUE(WaitUntil([&] { return view.isNull() && !F().Timer_Return->Enabled(); }, StatedMs{5000}));
        EXPECT_TRUE(viewAliveWhileReturning);
        EXPECT_FALSE(host.sound->IsPlaying());
        EXPECT_EQ(F().WorkState, wsIdle);
        EXPECT_EQ(F().TabControl_Home->TabIndex(), material ? pgHome : pgBook) << material;
        EXPECT_EQ(F().StudyModule, material ? smHome : smBookUnit);
        EXPECT_FALSE(F().isStudyModeReturn);
        EXPECT_EQ(Views(), 0);
        if (material) // the home page forgets the open book
            F().curSelectBook = &tile;
    }
}

TEST_F(ModeSwitch, AStartRequestWhileSwitchingIsDroppedAndManySwitchesUnderPlaybackLeaveNoError)
{
    LogCapture log;
    OpenMode(QStringLiteral("Label_Sentence"));
    host.sound->SetPlayDuration(600000);
    Sentences()->Rectangle_LoopPlayClick();

    // A switch asked while the model plays; a play request meanwhile is dropped.
    When([&] { return host.sound->IsPlaying(); },
         [&] {
             ClickMiddle(F().Text_TabPart);
             F().Timer_SentencePlay->SetEnabled(true);
         });
    ClickMiddle(Sentences()->Rectangle_Read);
    ASSERT_TRUE(WaitUntil([&] { return F().StudyPartFrame && !F().isStudyModeChange; }, StatedMs{5000}));
    EXPECT_FALSE(F().Timer_SentencePlay->Enabled());
    EXPECT_EQ(host.sound->Calls().Count(QStringLiteral("PlayFile")), 1);

    // Then back and forth, each time switching away while a sentence plays.
    PressTab(F().Text_TabSentence);
    int round = 0;
    bool done = false;
    std::function<void()> playThenSwitch = [&] {
        ClickMiddle(Sentences()->FSentenceContent.at(round % 3));
        When([&] { return host.sound->IsPlaying(); },
             [&] {
                 ClickMiddle(round % 2 ? F().Text_TabRepeat : F().Text_TabRole);
                 When([&] { return !F().isStudyModeChange && !Sentences(); },
                      [&] {
                          ClickMiddle(F().Text_TabSentence);
                          When([&] { return !F().isStudyModeChange && Sentences(); },
                               [&] {
                                   if (++round < 8)
                                       playThenSwitch();
                                   else
                                       done = true;
                               });
                      });
             });
    };
    playThenSwitch();
    ASSERT_TRUE(WaitUntil([&] { return done; }, StatedMs{20000}));
    EXPECT_EQ(host.sound->Calls().Count(QStringLiteral("PlayFile")), 9);
    EXPECT_EQ(Views(), 1);
    EXPECT_EQ(F().WorkState, wsIdle);
    // The test archive has no figure animations; nothing else may go wrong.
    const QStringList errors = log.LinesStartingWith(QStringLiteral("error:"))
                                   .filter(QRegularExpression(QStringLiteral("^(?!.*not found ani\\\\).*$")));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

} // namespace
