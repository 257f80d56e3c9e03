// Building the five lists from the shelf reply: names, tags, fields,
// boxes, grid places, and replacing a shelf by the next one.

#include "ShelfTestSupport.h"

#include "Commonconst.h"
#include "TText.h"
#include "TVertScrollBox.h"

#include "WaitUntil.h"

#include <QPointer>

#include <algorithm>

using namespace ShelfTest;

namespace {

QPointF Pos(const TBookIconFrame *tile)
{
    return {tile->X(), tile->Y()};
}

// Grid place of index n with `columns` columns for the shared tile size.
QPointF Cell(int n, int columns)
{
    return {(TBookIconFrame::kWidth + 46) * (n % columns) + 8, (TBookIconFrame::kHeight + 6) * (n / columns) + 14};
}

class ShelfBuild : public ShelfFixture
{};

} // namespace

TEST_F(ShelfBuild, SevenLessonBooksFillARowOfSixAndStartTheNext)
{
    ordered_json own = ordered_json::array();
    for (int i = 0; i < 7; ++i)
        own.push_back(Book(1000 + i, "Book " + std::to_string(i), "L"));
    Deliver({.own = own});

    ASSERT_EQ(F().UserBooks.size(), 7);
    for (int i = 0; i < 7; ++i) {
        const TBookIconFrame *tile = F().UserBooks[i];
        EXPECT_EQ(tile->Tag(), i);
        EXPECT_EQ(tile->parentWidget(), F().VertScrollBox_MyBookText->Content());
        EXPECT_TRUE(tile->isVisibleTo(F().VertScrollBox_MyBookText)) << "the tile is shown in its box";
    }
    // The box's content grows with the rows, so the second row can be scrolled to.
    EXPECT_GE(F().VertScrollBox_MyBookText->ContentHeight(), F().UserBooks[6]->Y() + F().UserBooks[6]->Height());
    EXPECT_EQ(Pos(F().UserBooks[0]), QPointF(8, 14));
    EXPECT_EQ(Pos(F().UserBooks[5]), QPointF(5 * (110 + 46) + 8, 14));
    const TBookIconFrame *seventh = F().UserBooks[6];
    EXPECT_EQ(Pos(seventh), QPointF(8, seventh->Height() + 6 + 14));
    EXPECT_EQ(seventh->Height(), 186);
}

TEST_F(ShelfBuild, BookTileCarriesEveryMemberOfItsRecord)
{
    ordered_json book = Book(1001, "Happy English", "L", "pics/book/tile_1001.png");
    book["url"] = "packages/a/b/c.7z";
    book["isRecommend"] = 1;
    book["orderId"] = 4;
    book["versionNo"] = "7"; // some services send numbers as texts
    Deliver({.own = ordered_json::array({book, Book(1002, "No Picture", "L")})});

    ASSERT_EQ(F().UserBooks.size(), 2);
    const TBookIconFrame *t = F().UserBooks[0];
    EXPECT_EQ(t->Uid(), 10001);
    EXPECT_EQ(t->PackagePic(), QStringLiteral("pics/book/tile_1001.png"));
    EXPECT_EQ(t->CourseCode(), QStringLiteral("C1001"));
    EXPECT_EQ(t->IsRecommend(), 1);
    EXPECT_EQ(t->LessonID(), 1001);
    EXPECT_EQ(t->LessonName(), QStringLiteral("Happy English"));
    EXPECT_EQ(t->GoodsName(), QStringLiteral("Happy English"));
    EXPECT_EQ(t->TitleText()->Text(), QStringLiteral("Happy English"));
    EXPECT_EQ(t->OrderId(), 4);
    EXPECT_EQ(t->Url(), QStringLiteral("packages/a/b/c.7z"));
    EXPECT_EQ(t->packageName(), QStringLiteral("c.7z"));
    EXPECT_EQ(t->Version(), QStringLiteral("3"));
    EXPECT_EQ(t->VersionNo(), 7);
    EXPECT_EQ(t->CourseType(), QStringLiteral("U"));
    EXPECT_TRUE(t->LocalIcon().startsWith(dir.path()));
    EXPECT_TRUE(t->LocalIcon().endsWith(QStringLiteral("/pics/book/tile_1001.png"))) << t->LocalIcon().toStdString();
    EXPECT_EQ(F().UserBooks[1]->LocalIcon(), QStringLiteral("default"));

    EXPECT_EQ(t->MyHint(), F().CustomHint());
    EXPECT_NE(t->MyHint(), nullptr);
}

TEST_F(ShelfBuild, BooksGoToTheBoxOfTheirCourseTypeAndOtherBooksShareOneGrid)
{
    Deliver({.own = ordered_json::array(
                 {Book(1, "Text", "L"), Book(2, "Words", "W"), Book(3, "Extra", "X"), Book(4, "Untyped", "")}),
             .outside = ordered_json::array({Book(5, "Outside", "L")})});

    ASSERT_EQ(F().UserBooks.size(), 4);
    ASSERT_EQ(F().UserBooks_Outside.size(), 1);
    const auto box = [this](const TBookIconFrame *t) { return t->parentWidget(); };
    EXPECT_EQ(box(F().UserBooks[0]), F().VertScrollBox_MyBookText->Content());
    EXPECT_EQ(box(F().UserBooks[1]), F().VertScrollBox_MyBookWord->Content());
    EXPECT_EQ(box(F().UserBooks[2]), F().VertScrollBox_MyBookExtracurricular->Content());
    EXPECT_EQ(box(F().UserBooks[3]), F().VertScrollBox_MyBookExtracurricular->Content());
    EXPECT_EQ(box(F().UserBooks_Outside[0]), F().VertScrollBox_MyBookExtracurricular->Content());

    // Each box counts on its own; the outside book follows the own other books.
    EXPECT_EQ(Pos(F().UserBooks[0]), Cell(0, 6));
    EXPECT_EQ(Pos(F().UserBooks[1]), Cell(0, 6));
    EXPECT_EQ(Pos(F().UserBooks[2]), Cell(0, 6));
    EXPECT_EQ(Pos(F().UserBooks[3]), Cell(1, 6));
    EXPECT_EQ(Pos(F().UserBooks_Outside[0]), Cell(2, 6));
}

TEST_F(ShelfBuild, ElevenRecommendedCoursesMakeRowsOfFiveFiveAndOne)
{
    ordered_json goods = ordered_json::array();
    for (int i = 0; i < 11; ++i)
        goods.push_back(Goods(3001 + i, "Course " + std::to_string(i)));
    Deliver({.recommended = goods});

    ASSERT_EQ(F().RecommandGoods.size(), 11);
    QList<int> rowSizes;
    double lastY = -1;
    for (int i = 0; i < 11; ++i) {
        const TBookIconFrame *t = F().RecommandGoods[i];
        EXPECT_TRUE(t->isVisibleTo(F().VertScrollBox_Recommand));
        EXPECT_EQ(t->parentWidget(), F().VertScrollBox_Recommand->Content());
        EXPECT_EQ(Pos(t), Cell(i, 5));
        if (t->Y() != lastY)
            rowSizes << 0;
        ++rowSizes.last();
        lastY = t->Y();
    }
    EXPECT_EQ(rowSizes, (QList<int>{5, 5, 1}));

    const TBookIconFrame *t = F().RecommandGoods[2];
    EXPECT_EQ(t->GoodsID(), 3003);
    EXPECT_EQ(t->GoodsName(), QStringLiteral("Course 2"));
    EXPECT_EQ(t->Description(), QStringLiteral("About Course 2"));
    EXPECT_EQ(t->GoodsLevel(), 2);
    EXPECT_EQ(t->Price(), 12.5);
    EXPECT_EQ(t->TradePrice(), 9.5);
    EXPECT_EQ(t->rebate(), 0.8);
    EXPECT_EQ(t->WordCount(), 420);
    EXPECT_EQ(t->Memo(), QStringLiteral("memo Course 2"));
    EXPECT_EQ(t->IsRecommand(), 1);
    EXPECT_EQ(t->LessonID(), 1003);
    EXPECT_EQ(t->LocalIcon(), QStringLiteral("default"));
}

TEST_F(ShelfBuild, MaterialsAreOneListPlacedInTwoBoxesCountedApart)
{
    Deliver({.vox = ordered_json::array({Material(1, "Vox A", "pics/m/v1.png"), Material(2, "Vox B")}),
             .self = ordered_json::array({Material(3, "Teacher A"), Material(4, "Teacher B")})});

    ASSERT_EQ(F().Materials.size(), 4);
    EXPECT_EQ(F().Materials[2]->Tag(), 2);
    EXPECT_EQ(F().Materials[1]->parentWidget(), F().VertScrollBox_MaterialsVox->Content());
    EXPECT_EQ(F().Materials[2]->parentWidget(), F().VertScrollBox_MaterialsTeacher->Content());
    EXPECT_EQ(Pos(F().Materials[1]), Cell(1, 6));
    EXPECT_EQ(Pos(F().Materials[2]), Cell(0, 6));
    EXPECT_EQ(Pos(F().Materials[3]), Cell(1, 6));

    const TBookIconFrame *m = F().Materials[0];
    EXPECT_EQ(m->MaterialId(), 1);
    EXPECT_EQ(m->GoodsName(), QStringLiteral("Vox A"));
    EXPECT_EQ(m->OrigiVoice(), QStringLiteral("audio/material/material_1.mp3"));
    EXPECT_EQ(m->TeacherId(), QStringLiteral("501"));
    EXPECT_EQ(m->Picture(), QStringLiteral("pics/m/v1.png"));
    EXPECT_EQ(m->IsNetMate(), 0);
    EXPECT_TRUE(m->LocalIcon().endsWith(QStringLiteral("/pics/book/v1.png")));
}

TEST_F(ShelfBuild, AMissingListKeyGivesThatListEmptyAndLeavesTheOthers)
{
    Deliver(
        {.own = ordered_json::array({Book(1, "Text", "L")}), .recommended = ordered_json::array({Goods(3001, "G")})});
    EXPECT_EQ(F().UserBooks.size(), 1);
    EXPECT_EQ(F().RecommandGoods.size(), 1);
    EXPECT_TRUE(F().UserBooks_Usually.isEmpty());
    EXPECT_TRUE(F().UserBooks_Outside.isEmpty());
    EXPECT_TRUE(F().Materials.isEmpty());
}

TEST_F(ShelfBuild, ASecondShelfLeavesNoTileOfTheFirst)
{
    Deliver({.recent = ordered_json::array({Book(1, "Text", "L")}),
             .own = ordered_json::array({Book(1, "Text", "L"), Book(2, "Words", "W"), Book(3, "Extra", "X")}),
             .self = ordered_json::array({Material(9, "M")}),
             .recommended = ordered_json::array({Goods(3001, "G"), Goods(3002, "H")})});
    ASSERT_EQ(F().findChildren<TBookIconFrame *>().size(), 7);
    QList<QPointer<TBookIconFrame>> first;
    for (TBookIconFrame *t : F().findChildren<TBookIconFrame *>())
        first << t;
    F().curSelectBook = F().UserBooks[1];

    Deliver({.own = ordered_json::array({Book(4, "New", "L")})});

    const QList<TBookIconFrame *> now = F().findChildren<TBookIconFrame *>();
    ASSERT_EQ(now.size(), 1);
    EXPECT_EQ(now[0], F().UserBooks[0]);
    EXPECT_EQ(Pos(now[0]), QPointF(8, 14));
    EXPECT_EQ(F().curSelectBook, nullptr) << "the open book was a tile of the old shelf";
    EXPECT_TRUE(F().RecommandGoods.isEmpty());
    EXPECT_TRUE(F().Materials.isEmpty());
    // The old tiles are freed from the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](const QPointer<TBookIconFrame> &p) { return p.isNull(); }));
}
