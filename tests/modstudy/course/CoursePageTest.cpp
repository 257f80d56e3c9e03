// The course page: its arithmetic without a window (pages, page labels, the
// progress reply and the whole-book figures), and on a running frame a book
// opened through the test host, the progress reply, the assignment flags,
// the unit press with its lesson panel and the lesson press with its menu.

#include "CourseFixture.h"
#include "UnitPaging.h"

#include "LessonDisplayFrame.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TTabControl.h"

#include <gtest/gtest.h>

using namespace CoursePaging;

namespace {

class CoursePage : public CourseFixture
{};

TEST_F(CoursePage, ProgressUpdatesUnitsAndTheWholeBookWithUnreportedUnitsInTheDivisor)
{
    OpenBook(12, false);
    // Unit 3 showed 50 % at 60 before; its item now has a total of 0.
    F().PackBook->Units[2].SetFinishPercent(50);
    F().PackBook->Units[2].SetAverageScore(60);
    Progress(nlohmann::ordered_json::array({
        {{"unitId", 101}, {"completeCount", 1}, {"avgScore", 80}, {"lessonCount", 3}},
        {{"unitId", 102}, {"completeCount", 2}, {"avgScore", 70}, {"lessonCount", 3}},
        {{"unitId", 103}, {"completeCount", 0}, {"avgScore", 99}, {"lessonCount", 0}},
    }));
    EXPECT_EQ(F().PackBook->Units[0].FinishPercent(), 33);
    EXPECT_EQ(F().PackBook->Units[1].FinishPercent(), 67);
    EXPECT_EQ(F().PackBook->Units[2].FinishPercent(), 50);
    // (33 + 67) / 12 = 8.33 -> 8; (80 + 70) / 12 = 12.5.
    EXPECT_EQ(F().Label_FullBookFinishRate->Text(), QStringLiteral("完成度8%"));
    EXPECT_EQ(F().Label_FullBookAverageScore->Text(), QStringLiteral("平均成绩 : 12.5分"));
    EXPECT_EQ(F().UnitRow(0)->Text_Percent->Text(), QStringLiteral("完成度33%"));
    EXPECT_EQ(F().UnitRow(2)->Label_AverageScore->Text(), QStringLiteral("平均成绩 : 60 分"));
}

TEST_F(CoursePage, ProgressItemsOfOtherBooksOrRepeatedUnitsDoNotInflateTheWholeBook)
{
    OpenBook(2, false);
    Progress(nlohmann::ordered_json::array({
        {{"unitId", 101}, {"completeCount", 3}, {"avgScore", 90}, {"lessonCount", 3}},
        {{"unitId", 101}, {"completeCount", 3}, {"avgScore", 90}, {"lessonCount", 3}},
        {{"unitId", 999}, {"completeCount", 3}, {"avgScore", 90}, {"lessonCount", 3}},
        {{"unitId", 102}, {"completeCount", 9}, {"avgScore", 90}, {"lessonCount", 3}},
    }));
    // 100 and a reported 300 % kept at 100: the book is complete, not beyond.
    EXPECT_EQ(F().Label_FullBookFinishRate->Text(), QStringLiteral("完成度100%"));
    EXPECT_EQ(F().Label_FullBookAverageScore->Text(), QStringLiteral("平均成绩 : 90分"));
}

TEST_F(CoursePage, TheWholeBookAverageIsSummedFromTheReplysOwnValues)
{
    // 77.35 held in single precision is just below 77.35 and would show 77.3.
    OpenBook(1, false);
    Progress(nlohmann::ordered_json::array({
        {{"unitId", 101}, {"completeCount", 1}, {"avgScore", 77.35}, {"lessonCount", 3}},
    }));
    EXPECT_EQ(F().Label_FullBookAverageScore->Text(), QStringLiteral("平均成绩 : 77.4分"));
}

// (Which learner and book get the banner, and the mark added once, are the
// query and paging tests'.)
TEST_F(CoursePage, DetailsFlagUnitsAndLessonsAndShowTheBanner)
{
    OpenBook(12, false);
    host.login->SetUserType(1);
    AddDetail(1, 101, 1010, 1); // unit 1: lesson 1 finished
    AddDetail(1, 102, 1020, 0); // unit 2: lesson 1 not finished
    Progress(nlohmann::ordered_json::array());
    EXPECT_TRUE(F().Rectangle_Remind->Visible());

    TLessonDisplayFrame *unit1 = F().UnitRow(0);
    EXPECT_TRUE(unit1->Rectangle_UnitFinishFlag->Visible());
    EXPECT_EQ(unit1->Label_UnitFinishFlag->Text(), QStringLiteral("已完成"));
    EXPECT_EQ(F().UnitRow(1)->Label_UnitFinishFlag->Text(), QStringLiteral("未完成"));
    EXPECT_EQ(unit1->CornerButton_Unit->Hint(), QStringLiteral("点击打开'No.1'（有作业）"));
    EXPECT_FALSE(F().UnitRow(2)->Rectangle_UnitFinishFlag->Visible());

    PressUnit(1);
    TLessonDisplayFrame *row = F().UnitRow(1);
    ASSERT_EQ(row->FRectangle_LessonFinishFlag.size(), 3);
    EXPECT_TRUE(row->FRectangle_LessonFinishFlag[0]->Visible());
    EXPECT_EQ(row->FLabel_LessonFinishFlag[0]->Text(), QStringLiteral("未完成"));
    EXPECT_EQ(row->FTextLesson[0]->Hint(), QStringLiteral("（有作业）"));
    EXPECT_FALSE(row->FRectangle_LessonFinishFlag[1]->Visible());

    // Pressing the assigned lesson notes the assignment; another lesson does not.
    PressLesson(1, 0);
    EXPECT_TRUE(F().isAssignment);
    PressLesson(1, 1);
    EXPECT_FALSE(F().isAssignment);
}

TEST_F(CoursePage, PressingAUnitWhileTheEngineStartsShowsTheMessageAndChangesNothing)
{
    OpenBook(12, false);
    Progress(nlohmann::ordered_json::array());
    F().curselectUnitButtonIndex = 0;
    host.grade->SetReady(false);
    PressUnit(2);
    ASSERT_EQ(host.message->Infos().size(), 1);
    EXPECT_EQ(host.message->Infos().first(),
              QStringLiteral("初始化引擎中，请等几秒再试！如果等待多时仍然不行，请检查网络是否正常，并重启程序"));
    EXPECT_EQ(F().curselectUnitButtonIndex, 0);
    for (int r = 0; r < F().LessonDisplays.size(); ++r)
        EXPECT_FALSE(F().UnitRow(r)->LessonPanelVisible()) << r;
}

TEST_F(CoursePage, AUnitPressOpensItsLessonPanelAndALessonPressItsModeMenu)
{
    OpenBook(12, false);
    Progress(nlohmann::ordered_json::array());
    PressUnit(0);
    PressUnit(3);
    EXPECT_EQ(F().curselectUnitButtonIndex, 3);
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(F().UnitRow(r)->LessonPanelVisible(), r == 3) << r;
    TLessonDisplayFrame *row = F().UnitRow(3);
    ASSERT_EQ(row->FTextLesson.size(), 3);
    EXPECT_EQ(row->FTextLesson[2]->Text(), QStringLiteral("Lesson 3 : Lesson 4-3"));
    EXPECT_EQ(row->FRectangleLesson[1]->Tag(), 1041);

    PressLesson(3, 0);
    PressLesson(3, 2);
    EXPECT_EQ(F().curSelectLessonButtonIndex, 2);
    EXPECT_TRUE(row->Rectangle_StudyMode->Visible());
    // Another unit's panel closes the menu.
    PressUnit(2);
    EXPECT_FALSE(row->Rectangle_StudyMode->isVisibleTo(row->Rectangle_LessonBack));
}

TEST_F(CoursePage, AWordBookShowsItsAssignmentCountsAndTheWordMenu)
{
    OpenBook(7, true);
    host.login->SetUserType(1);
    AddDetail(31, 101, 0, 0, QStringLiteral("3/5"));
    AddDetail(32, 102, 0, 1, QStringLiteral("5/5"));
    Progress(nlohmann::ordered_json::array({
        {{"unitId", 101}, {"completeCount", 3}, {"avgScore", 75}, {"wordsCount", 5}},
    }));
    EXPECT_EQ(F().Label_TotalUnitPage->Text(), QStringLiteral("/2"));
    TLessonDisplayFrame *first = F().UnitRow(0);
    EXPECT_TRUE(first->Rectangle_WordFinishInfo->Visible());
    EXPECT_EQ(first->Label_WordFinishCount->Text(), QStringLiteral("3"));
    EXPECT_EQ(first->Label_WordTotalCount->Text(), QStringLiteral("/5"));
    EXPECT_FALSE(first->FisAssignmentAndFinished);
    EXPECT_EQ(first->Text_Percent->Text(), QStringLiteral("完成度60%"));
    EXPECT_TRUE(F().UnitRow(1)->FisAssignmentAndFinished);
    EXPECT_FALSE(F().UnitRow(2)->Rectangle_WordFinishInfo->Visible());

    PressUnit(0);
    EXPECT_EQ(F().curAssignmentid, 31);
    EXPECT_TRUE(F().isAssignmentWordUnit);
    EXPECT_TRUE(first->Rectangle_WordStudyMode->Visible());
    PressUnit(2);
    EXPECT_EQ(F().curAssignmentid, 0);
    EXPECT_FALSE(F().isAssignmentWordUnit);

    ClickMiddle(F().UnitRow(2)->Label_Word);
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgStudy);
}

} // namespace

TEST(UnitPaging, TwelveUnitsMakeThreePagesTheLastWithTwoRows)
{
    EXPECT_EQ(PageCount(12), 3);
    EXPECT_EQ(TotalPageText(12), QStringLiteral("/3"));
    EXPECT_EQ(PageCount(10), 2);
    EXPECT_EQ(PageCount(11), 3);
    EXPECT_EQ(PageCount(0), 0);
    EXPECT_EQ(RowsOnPage(1, 12), 5);
    EXPECT_EQ(RowsOnPage(3, 12), 2);
    EXPECT_EQ(FirstUnitOfPage(3), 10);
    EXPECT_EQ(RowsOnPage(4, 12), 0);
    EXPECT_EQ(RowsOnPage(2, 10), 5);
}

TEST(UnitPaging, PageButtonsStopAtTheEndsAndAnUnreadableLabelIsPageOne)
{
    EXPECT_EQ(NextPage(QStringLiteral("2"), 12), std::optional<int>(3));
    EXPECT_FALSE(NextPage(QStringLiteral("3"), 12).has_value());
    EXPECT_FALSE(PreviousPage(QStringLiteral("1")).has_value());
    EXPECT_EQ(PreviousPage(QStringLiteral("3")), std::optional<int>(2));
    // Not a number: counted as page 1.
    EXPECT_EQ(NextPage(QStringLiteral("abc"), 12), std::optional<int>(2));
    EXPECT_FALSE(PreviousPage(QString()).has_value());
}

TEST(UnitPaging, NearestSendsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(NearestInt(2.5), 2);
    EXPECT_EQ(NearestInt(3.5), 4);
    EXPECT_EQ(NearestInt(66.667), 67);
    EXPECT_EQ(NearestInt(std::nan("")), 0);
}

TEST(UnitPaging, ProgressItemsReadTheTotalOfTheBookKind)
{
    const auto reply = nlohmann::ordered_json::parse(R"({"items":[
        {"unitId":7,"completeCount":3,"avgScore":81.5,"wordsCount":12,"lessonCount":4},
        "not an item",
        {"unitId":"8","completeCount":1}]})");
    const auto words = ReadProgressItems(reply, true);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].unitId, 7);
    EXPECT_EQ(words[0].total, 12);
    EXPECT_EQ(words[0].avgScore, 81.5);
    const auto lessons = ReadProgressItems(reply, false);
    EXPECT_EQ(lessons[0].total, 4);
    // A missing total reads as 0: that unit keeps what it showed.
    EXPECT_EQ(lessons[1].unitId, 8);
    EXPECT_FALSE(UnitPercent(lessons[1]).has_value());
    EXPECT_EQ(UnitPercent(lessons[0]), std::optional<int>(75));
    EXPECT_TRUE(ReadProgressItems(nlohmann::ordered_json::parse("{}"), false).empty());
    EXPECT_TRUE(ReadProgressItems(nlohmann::ordered_json::parse(R"({"items":3})"), false).empty());
}

TEST(UnitPaging, WholeBookCompletionIsRoundedDownAndEveryUnitCountsInTheDivisor)
{
    // Two of twelve units reported 33 and 67: 100 / 12 = 8.33 -> 8.
    TBookProgress p = BookProgress(33 + 67, 80 + 70, 12);
    EXPECT_EQ(p.finishRate, 8);
    EXPECT_DOUBLE_EQ(p.average, 12.5);
    // 99.9 % is not yet a finished book.
    p = BookProgress(100 * 11 + 99, 0, 12);
    EXPECT_EQ(p.finishRate, 99);
    p = BookProgress(500, 400, 0);
    EXPECT_EQ(p.finishRate, 0);
    EXPECT_EQ(p.average, 0);
    EXPECT_EQ(BookAverageText(72.25), QStringLiteral("平均成绩 : 72.2分"));
}

TEST(UnitPaging, ProgressPageFollowsTheSelectedUnit)
{
    TPageChoice c = ChooseProgressPage(0, 6, 12);
    EXPECT_EQ(c.page, 2);
    EXPECT_FALSE(c.showRemind);
    c = ChooseProgressPage(2, 0, 12);
    EXPECT_EQ(c.page, 1);
    EXPECT_TRUE(c.showRemind);
    // A selection beyond a shorter book's units shows its last page.
    EXPECT_EQ(ChooseProgressPage(0, 11, 6).page, 2);
    EXPECT_EQ(ChooseProgressPage(0, 3, 0).page, 1);
}

TEST(UnitPaging, TheAssignmentMarkIsAddedOnce)
{
    const QString once = WithAssignmentMark(QStringLiteral("点击打开'No.1'"));
    EXPECT_EQ(once, QStringLiteral("点击打开'No.1'（有作业）"));
    EXPECT_EQ(WithAssignmentMark(once), once);
    EXPECT_EQ(LessonTitle(0, QStringLiteral("Hello")), QStringLiteral("Lesson 1 : Hello"));
}
