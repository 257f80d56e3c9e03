// Entering, switching and leaving the study modes on a running frame.

#include "ModeFixture.h"

#include "LogCapture.h"

#include <QRegularExpression>

#include "TButton.h"
#include "TTimer.h"

namespace {

class ModeSwitch : public ModeFixture
{};

// What each mode shows (titles, counters, rows, roles) is checked end to end
// by the sentence practice and passage reading scenarios.
TEST_F(ModeSwitch, EachTabBuildsItsOwnViewAndFreesTheOneBefore)
{
    OpenMode(QStringLiteral("Label_Sentence"));
    const QPointer<TStudySentenceFrame> sentenceView = Sentences();
    ASSERT_TRUE(sentenceView);
    EXPECT_EQ(F().curModeName, QStringLiteral("Rectangle_Sentence"));

    PressTab(F().Text_TabPart);
    EXPECT_TRUE(sentenceView.isNull());
    ASSERT_TRUE(F().StudyPartFrame);
    EXPECT_EQ(F().Text_TabSentence->Tag(), 0);
    EXPECT_FALSE(F().Text_SentenceTotalCount->Visible());
    EXPECT_TRUE(F().StudyPartFrame->PartContent().startsWith(QStringLiteral("I like apples very much. Hello.")));
    EXPECT_TRUE(F().ReadAni) << "the idle figure of the book's first speaker";

    PressTab(F().Text_TabRepeat);
    ASSERT_TRUE(F().StudyRepeatFrame);
    EXPECT_FALSE(F().StudyPartFrame);

    // Role play sets a play-finished handler, and leaving it clears it again.
    PressTab(F().Text_TabRole);
    ASSERT_TRUE(F().StudyPlayFrame);
    EXPECT_EQ(F().StudyPlayFrame->Roles(), (QStringList{QStringLiteral("Tom"), QStringLiteral("Amy")}));
    EXPECT_TRUE(host.sound->HasFinishedHandler());
    EXPECT_EQ(Views(), 1);
    PressTab(F().Text_TabSentence);
    EXPECT_FALSE(host.sound->HasFinishedHandler());
    EXPECT_EQ(Views(), 1);
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

TEST_F(ModeSwitch, AStartRequestWhileSwitchingIsDroppedAndTheSwitchLeavesNoError)
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
    EXPECT_EQ(Views(), 1);
    EXPECT_EQ(F().WorkState, wsIdle);
    // The test archive has no figure animations; nothing else may go wrong.
    const QStringList errors = log.LinesStartingWith(QStringLiteral("error:"))
                                   .filter(QRegularExpression(QStringLiteral("^(?!.*not found ani\\\\).*$")));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

} // namespace
