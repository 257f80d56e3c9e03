// The shelf's plain decisions (grid places, the chain order) and building
// the five lists from the shelf reply: names, tags, fields, boxes, grid
// places, replacing a shelf by the next one, and the notice to the host when
// a shelf is scrolled.

#include "ShelfLayout.h"
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
        {F().UserBooks[6], F().VertScrollBox_MyBookText, 6, Cell(6, 6)},
        {F().UserBooks[7], F().VertScrollBox_MyBookWord, 7, Cell(0, 6)},
        {F().UserBooks[9], F().VertScrollBox_MyBookExtracurricular, 9, Cell(1, 6)},
        {F().UserBooks_Outside[0], F().VertScrollBox_MyBookExtracurricular, 0, Cell(2, 6)},
        {F().Materials[1], F().VertScrollBox_MaterialsVox, 1, Cell(1, 6)},
        {F().Materials[2], F().VertScrollBox_MaterialsTeacher, 2, Cell(0, 6)},
        {F().RecommandGoods[5], F().VertScrollBox_Recommand, 5, Cell(5, 5)},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.tile->parentWidget(), c.box->Content()) << c.tile->GoodsName().toStdString();
        EXPECT_EQ(c.tile->Tag(), c.tag) << c.tile->GoodsName().toStdString();
        EXPECT_EQ(Pos(c.tile), c.place) << c.tile->GoodsName().toStdString();
    }
}

// (The ids the tiles send back, and the picture paths of the other lists,
// show in the shelf-opening and picture tests.)
TEST_F(ShelfBuild, BookTileCarriesTheMembersOfItsRecord)
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
    EXPECT_EQ(t->CourseCode(), QStringLiteral("C1001"));
    EXPECT_EQ(t->IsRecommend(), 1);
    EXPECT_EQ(t->TitleText()->Text(), QStringLiteral("Happy English"));
    EXPECT_EQ(t->OrderId(), 4);
    EXPECT_EQ(t->packageName(), QStringLiteral("c.7z"));
    EXPECT_EQ(t->Version(), QStringLiteral("3"));
    EXPECT_EQ(t->VersionNo(), 7);
    EXPECT_EQ(t->CourseType(), QStringLiteral("U"));
    EXPECT_TRUE(t->LocalIcon().startsWith(dir.path()));
    EXPECT_TRUE(t->LocalIcon().endsWith(QStringLiteral("/pics/book/tile_1001.png"))) << t->LocalIcon().toStdString();
    EXPECT_EQ(F().UserBooks[1]->LocalIcon(), QStringLiteral("default"));
}

// The second shelf has no key for the lists it leaves out: they are empty.
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

TEST_F(ShelfBuild, ScrollingAShelfTellsTheHost)
{
    ordered_json own = ordered_json::array();
    for (int i = 0; i < 30; ++i)
        own.push_back(Book(100 + i, "Book", "L"));
    Deliver({.own = own});
    F().VertScrollBox_MyBookText->SetBounds(0, 0, 1024, 300);
    ASSERT_GT(F().VertScrollBox_MyBookText->MaxViewportY(), 0);
    const int before = TestHost::WithCode(host.jobs, 10007).size();
    F().VertScrollBox_MyBookText->SetViewportY(120);
    EXPECT_GT(TestHost::WithCode(host.jobs, 10007).size(), before);
}

TEST(ShelfLayout, GridStartsANewRowOnlyAfterAFullOne)
{
    using namespace Shelf;
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
    using namespace Shelf;
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
