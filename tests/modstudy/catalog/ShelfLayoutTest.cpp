// The shelf's plain decisions: grid places, box and course type of a book,
// the chain order and the exact texts of the recommended-course panel.

#include "ShelfLayout.h"

#include <gtest/gtest.h>

using namespace Shelf;

TEST(ShelfLayout, GridStartsANewRowOnlyAfterAFullOne)
{
    TGridCursor cursor;
    QList<QPointF> places;
    for (int i = 0; i < 11; ++i)
        places << NextGridPlace(cursor, 5, 100, 50);
    EXPECT_EQ(places[0], QPointF(8, 14));
    EXPECT_EQ(places[4], QPointF(4 * 146 + 8, 14));
    EXPECT_EQ(places[5], QPointF(8, 56 + 14));
    EXPECT_EQ(places[9], QPointF(4 * 146 + 8, 56 + 14));
    EXPECT_EQ(places[10], QPointF(8, 2 * 56 + 14));
    EXPECT_EQ(cursor.n, 11);
    EXPECT_EQ(cursor.r, 2);
}

TEST(ShelfLayout, ChainRunsRecentOwnOutsideMaterialsRecommendedAndEnds)
{
    QList<int> order{slUsually};
    TShelfList next;
    TShelfList at = slUsually;
    while (NextInChain(at, next)) {
        order << next;
        at = next;
        ASSERT_LE(order.size(), kShelfListCount);
    }
    EXPECT_EQ(order, (QList<int>{slUsually, slMyCourse, slOutside, slMaterials, slRecommend}));
}

TEST(ShelfLayout, RecommendedCourseTextsAreExact)
{
    const QString list = CourseListText({QStringLiteral("Book A"), QStringLiteral("Book B")});
    EXPECT_EQ(list, QStringLiteral("\n     Book A\n     Book B"));
    EXPECT_EQ(CourseListText({}), QString());
    EXPECT_EQ(AlreadyAddedText(QStringLiteral("Happy"), list),
              QStringLiteral("\"Happy\"已添加至【我的课程】\n 包含课程有：\n     Book A\n     Book B"));
    EXPECT_EQ(AddCourseQuestion(QStringLiteral("Happy"), list),
              QStringLiteral("是否将\"Happy\"添加至【我的课程】\n 包含课程有：\n     Book A\n     Book B"));
    EXPECT_EQ(RecentBookMissingText(QStringLiteral("Story Time")),
              QStringLiteral("我的课程中未找到“Story Time”这本书，请选择其它课本"));
}
