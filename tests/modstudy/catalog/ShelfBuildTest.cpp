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

// Each box counts its grid on its own: six columns on the own-book and
// material boxes (the outside books follow the own other books), five on
// the recommended courses; the box's content grows with the rows.
TEST_F(ShelfBuild, EveryListGoesToTheBoxOfItsTypeAndFillsItsOwnGrid)
{
    ordered_json own = ordered_json::array(), goods = ordered_json::array();
    for (int i = 0; i < 7; ++i)
        own.push_back(Book(1000 + i, "Book " + std::to_string(i), "L"));
    own.push_back(Book(2, "Words", "W"));
    own.push_back(Book(3, "Extra", "X"));
    own.push_back(Book(4, "Untyped", ""));
    for (int i = 0; i < 11; ++i)
        goods.push_back(Goods(3001 + i, "Course " + std::to_string(i)));
    Deliver({.own = own,
             .outside = ordered_json::array({Book(5, "Outside", "L")}),
             .vox = ordered_json::array({Material(1, "Vox A"), Material(2, "Vox B")}),
             .self = ordered_json::array({Material(3, "Teacher A"), Material(4, "Teacher B")}),
             .recommended = goods});

    ASSERT_EQ(F().UserBooks.size(), 10);
    ASSERT_EQ(F().UserBooks_Outside.size(), 1);
    ASSERT_EQ(F().Materials.size(), 4);
    ASSERT_EQ(F().RecommandGoods.size(), 11);
    const struct
    {
        const TBookIconFrame *tile;
        TVertScrollBox *box;
        int tag;
        QPointF place;
    } cases[] = {
        {F().UserBooks[0], F().VertScrollBox_MyBookText, 0, Cell(0, 6)},
        {F().UserBooks[5], F().VertScrollBox_MyBookText, 5, Cell(5, 6)},
        {F().UserBooks[6], F().VertScrollBox_MyBookText, 6, Cell(6, 6)},
        {F().UserBooks[7], F().VertScrollBox_MyBookWord, 7, Cell(0, 6)},
        {F().UserBooks[8], F().VertScrollBox_MyBookExtracurricular, 8, Cell(0, 6)},
        {F().UserBooks[9], F().VertScrollBox_MyBookExtracurricular, 9, Cell(1, 6)},
        {F().UserBooks_Outside[0], F().VertScrollBox_MyBookExtracurricular, 0, Cell(2, 6)},
        {F().Materials[1], F().VertScrollBox_MaterialsVox, 1, Cell(1, 6)},
        {F().Materials[2], F().VertScrollBox_MaterialsTeacher, 2, Cell(0, 6)},
        {F().Materials[3], F().VertScrollBox_MaterialsTeacher, 3, Cell(1, 6)},
        {F().RecommandGoods[4], F().VertScrollBox_Recommand, 4, Cell(4, 5)},
        {F().RecommandGoods[5], F().VertScrollBox_Recommand, 5, Cell(5, 5)},
        {F().RecommandGoods[10], F().VertScrollBox_Recommand, 10, Cell(10, 5)},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.tile->parentWidget(), c.box->Content()) << c.tile->GoodsName().toStdString();
        EXPECT_EQ(c.tile->Tag(), c.tag) << c.tile->GoodsName().toStdString();
        EXPECT_EQ(Pos(c.tile), c.place) << c.tile->GoodsName().toStdString();
    }
    EXPECT_TRUE(F().UserBooks[6]->isVisibleTo(F().VertScrollBox_MyBookText));
    EXPECT_GE(F().VertScrollBox_MyBookText->ContentHeight(), F().UserBooks[6]->Y() + F().UserBooks[6]->Height());
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
}

TEST_F(ShelfBuild, CourseAndMaterialTilesCarryTheMembersOfTheirRecords)
{
    Deliver({.self = ordered_json::array({Material(1, "Vox A", "pics/m/v1.png")}),
             .recommended = ordered_json::array({Goods(3003, "Course 2")})});
    const TBookIconFrame *t = F().RecommandGoods[0];
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
