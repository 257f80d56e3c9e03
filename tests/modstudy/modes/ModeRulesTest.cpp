#include "SentenceScore.h"
#include "StartTimerRule.h"
#include "StudyModeRules.h"

#include <gtest/gtest.h>

using namespace StudyModes;

namespace {

TEST(ModeRules, MenuLabelsOpenTheirTabAndAnyOtherNameOpensRolePlay)
{
    const struct
    {
        const char *label;
        const char *rect;
    } cases[] = {{"Label_Sentence", "Rectangle_Sentence"}, {"LABEL_PART", "Rectangle_Part"},
                 {"label_repeat", "Rectangle_Repeat"},     {"Label_Role", "Rectangle_Role"},
                 {"Label_Word", "Rectangle_Role"},         {"", "Rectangle_Role"}};
    for (const auto &c : cases) {
        const TModeTab tab = TabOfLabel(QString::fromLatin1(c.label));
        EXPECT_EQ(TabRectName(tab), QString::fromLatin1(c.rect)) << c.label;
        TModeTab back = TModeTab::Sentence;
        ASSERT_TRUE(TabOfRectName(TabRectName(tab), back));
        EXPECT_EQ(back, tab);
    }
    TModeTab unknown = TModeTab::Part;
    EXPECT_FALSE(TabOfRectName(QStringLiteral("Rectangle_Word"), unknown));
}

TEST(ModeRules, CharacterNamesAndRolePictures)
{
    EXPECT_EQ(RoleName(QStringLiteral("Man.png")), QStringLiteral("man"));
    EXPECT_EQ(RoleName(QStringLiteral("Woman.PNG")), QStringLiteral("woman"));
    EXPECT_EQ(RoleName(QStringLiteral("Boy.Cool.png")), QStringLiteral("boy"));
    EXPECT_EQ(RoleName(QStringLiteral("Cartoon")), QStringLiteral("cartoon"));
    EXPECT_EQ(RolePicture(QStringLiteral("cartoon")), QStringLiteral("ani\\robot\\0001.png"));
    EXPECT_EQ(RolePicture(QStringLiteral("girl")), QStringLiteral("ani\\girltalk\\0001.png"));
}

TEST(ModeRules, TheSpeedLabelCyclesThroughThreeValuesAndAnUnreadableOneIsNormal)
{
    const struct
    {
        const char *label;
        int percent;
        const char *next;
    } cases[] = {{"x1.0", 0, "x1.25"}, {"x1.25", 25, "x0.75"}, {"x0.75", -25, "x1.0"},
                 {"fast", 0, "x1.25"}, {"", 0, "x1.25"},       {"x2", 0, "x1.25"}};
    for (const auto &c : cases) {
        EXPECT_EQ(SpeedPercent(QString::fromLatin1(c.label)), c.percent) << c.label;
        EXPECT_EQ(NextSpeedLabel(QString::fromLatin1(c.label)), QString::fromLatin1(c.next)) << c.label;
    }
}

TEST(ModeRules, TimeLimitIsSixTenthsOfASecondPerWordRoundedPlusTwo)
{
    const struct
    {
        const char *sentence;
        const char *reference;
        int seconds;
    } cases[] = {
        {"I like apples very much.", "I like apples very much.", 5}, // 3.0 + 2
        {"Hello.", "Hello.", 3},                                     // 0.6 rounds to 1
        {"Well... I think so.", "Well  I think so.", 4},             // 2.4 rounds to 2
        {"...", " ", 2},
        {"One two three four five six seven eight.", "One two three four five six seven eight.", 7}, // 4.8 -> 5
    };
    for (const auto &c : cases) {
        const QString reference = ReferenceText(QString::fromLatin1(c.sentence));
        EXPECT_EQ(reference, QString::fromLatin1(c.reference));
        EXPECT_EQ(SentenceSeconds(reference), c.seconds) << c.sentence;
    }
}

TEST(StartTimerRule, RunsWhenReadyDropsWhileLeavingAndOtherwiseStopsTheRunningWork)
{
    using W = TStartWanted;
    using S = TStartStep;
    const TStartFlags none{}, closing{true, false, false}, returning{false, true, false}, switching{false, false, true};
    const struct
    {
        W wanted;
        TWorkState state;
        TStartFlags flags;
        S step;
    } cases[] = {
        {W::Idle, wsIdle, none, S::Run},
        {W::Idle, wsPlaying, none, S::StopRunning},
        {W::Idle, wsRecording, none, S::StopRunning},
        {W::Idle, wsBusy, none, S::StopRunning},
        {W::NotPlaying, wsRecording, none, S::Run}, // a second microphone click
        {W::NotPlaying, wsIdle, none, S::Run},
        {W::NotPlaying, wsPlaying, none, S::StopRunning},
        {W::Idle, wsIdle, closing, S::Drop},
        {W::Idle, wsPlaying, returning, S::Drop},
        {W::NotPlaying, wsRecording, switching, S::Drop},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DecideStart(c.wanted, c.state, c.flags), c.step)
            << int(c.wanted) << " " << c.state << " " << c.flags.closing << c.flags.returning << c.flags.switching;
    // The answer timer of role play.
    const struct
    {
        TWorkState state;
        bool stop;
        TStartFlags flags;
        bool turn;
        S step;
    } answers[] = {
        {wsIdle, false, none, true, S::Run},
        {wsIdle, false, none, false, S::StopRunning},
        {wsPlaying, false, none, true, S::StopRunning},
        {wsRecording, false, none, false, S::Run}, // a second click during the answer
        {wsIdle, true, none, true, S::Drop},
        {wsRecording, false, returning, true, S::Drop},
    };
    for (const auto &a : answers)
        EXPECT_EQ(DecideAnswerStart(a.state, a.stop, a.flags, a.turn), a.step) << a.state << a.stop << a.turn;
    EXPECT_TRUE(StopsRecording(W::Idle));
    EXPECT_FALSE(StopsRecording(W::NotPlaying));
}

TEST(SentenceScore, TheRecordCarriesTheSentenceAndIsSentOnlyAboveThirty)
{
    const auto result = [](const char *overall) {
        return QStringLiteral(R"({"result":{%1"accuracy":71.6,"integrity":90,"fluency":{"overall":64.5},)"
                              R"("details":[{"char":"Hello","score":80}]}})")
            .arg(QString::fromLatin1(overall));
    };
    const struct
    {
        const char *overall;
        bool sent;
    } cases[] = {{"\"overall\":30.0,", false}, {"\"overall\":30.5,", true}, {"", false}, {"\"overall\":\"\",", false}};
    for (const auto &c : cases)
        EXPECT_EQ(SentenceScoreIsSent(DecodeGradingResult(result(c.overall))), c.sent) << c.overall;

    // The record's members (their message is TeduPartScore's).
    const QString text = result("\"overall\":30.5,");
    const TeduPartScore record = SentenceScoreRecord(DecodeGradingResult(text), text, 5001, 10001);
    EXPECT_EQ(record.Kind, QStringLiteral("L"));
    EXPECT_EQ(record.PointCaseType, 2);
    EXPECT_EQ(record.SentenceId, 5001);
    EXPECT_EQ(record.UserId, 10001);
    EXPECT_DOUBLE_EQ(record.Score, 30.5);
    EXPECT_EQ(record.ResultText, text);
    EXPECT_EQ(record.Accuracy, 72);
    EXPECT_EQ(record.Integrity, 90);
    EXPECT_EQ(record.Fluency, 64); // halves go to the even neighbour
}

} // namespace
