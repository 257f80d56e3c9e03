// The course page's arithmetic without a window: pages, page labels, the
// progress reply and the whole-book figures, the word count text and the
// stacking of lesson rows.

#include "UnitPaging.h"

#include <gtest/gtest.h>

using namespace CoursePaging;

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
    EXPECT_EQ(ReadPageLabel(QStringLiteral("x")), 1);
    EXPECT_EQ(ReadPageLabel(QString()), 1);
    EXPECT_EQ(NextPage(QStringLiteral("abc"), 12), std::optional<int>(2));
    EXPECT_FALSE(PreviousPage(QStringLiteral("abc")).has_value());
    // A single page has nowhere to go.
    EXPECT_FALSE(NextPage(QStringLiteral("1"), 5).has_value());
}

TEST(UnitPaging, NearestSendsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(NearestInt(2.5), 2);
    EXPECT_EQ(NearestInt(3.5), 4);
    EXPECT_EQ(NearestInt(62.5), 62);
    EXPECT_EQ(NearestInt(33.333), 33);
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
    EXPECT_EQ(BookRateText(8), QStringLiteral("完成度8%"));
    EXPECT_EQ(BookAverageText(12.5), QStringLiteral("平均成绩 : 12.5分"));
    EXPECT_EQ(BookAverageText(72.25), QStringLiteral("平均成绩 : 72.2分"));
    EXPECT_EQ(UnitRateText(33), QStringLiteral("完成度33%"));
    EXPECT_EQ(UnitAverageText(80), QStringLiteral("平均成绩 : 80 分"));
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

TEST(UnitPaging, WordCountTextSplitsAtTheSlash)
{
    TWordFinishParts p = SplitWordFinish(QStringLiteral("3/5"));
    EXPECT_EQ(p.done, QStringLiteral("3"));
    EXPECT_EQ(p.total, QStringLiteral("/5"));
    EXPECT_FALSE(p.complete);
    p = SplitWordFinish(QStringLiteral("5/5"));
    EXPECT_TRUE(p.complete);
    p = SplitWordFinish(QStringLiteral("12"));
    EXPECT_EQ(p.done, QStringLiteral("0"));
    EXPECT_EQ(p.total, QStringLiteral("/0"));
    EXPECT_FALSE(p.complete);
}

TEST(UnitPaging, AWrappedLessonTitleMakesATallerRowAndTheNextStartsTwentyBelow)
{
    const TLessonRowPlace first = PlaceLessonRow(nullptr, 18);
    EXPECT_EQ(first.y, 8);
    EXPECT_EQ(first.height, 22);
    EXPECT_EQ(first.radius, 11);
    const TLessonRowPlace wrapped = PlaceLessonRow(&first, 40);
    EXPECT_EQ(wrapped.y, 8 + 22 + 20);
    EXPECT_EQ(wrapped.height, 40);
    EXPECT_EQ(wrapped.radius, 20);
    const TLessonRowPlace next = PlaceLessonRow(&wrapped, 22);
    EXPECT_EQ(next.y, wrapped.y + 40 + 20);
    EXPECT_EQ(next.height, 22);
}

TEST(UnitPaging, TheAssignmentMarkIsAddedOnce)
{
    const QString once = WithAssignmentMark(QStringLiteral("点击打开'No.1'"));
    EXPECT_EQ(once, QStringLiteral("点击打开'No.1'（有作业）"));
    EXPECT_EQ(WithAssignmentMark(once), once);
    EXPECT_EQ(LessonTitle(0, QStringLiteral("Hello")), QStringLiteral("Lesson 1 : Hello"));
}
