#include "TFrame.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TVertScrollBox.h"
#include "WaitUntil.h"

#include <QPointer>
#include <QScrollArea>

#include <gtest/gtest.h>

namespace {

class TabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tabs.SetSize(300, 200);
        for (const char *name : {"TabItem_Home", "TabItem_Book", "TabItem_Study", "TabItem_DisplayScore"})
            tabs.AddTab(QString::fromLatin1(name));
        QObject::connect(&tabs, &TTabControl::Change, &tabs, [this](TControl *) { ++changes; });
    }
    TTabControl tabs;
    int changes = 0;
};

TEST_F(TabTest, ChangeOnlyWhenTheIndexReallyChangesAndOnlyTheActivePageShows)
{
    EXPECT_EQ(tabs.ActiveTab(), tabs.Tabs(0));
    EXPECT_EQ(tabs.Tabs(4), nullptr);
    tabs.SetTabIndex(0);
    EXPECT_EQ(changes, 0);
    tabs.SetTabIndex(2);
    tabs.SetTabIndex(2);
    tabs.SetTabIndex(7);
    tabs.SetTabIndex(-1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(tabs.TabIndex(), 2);
    for (int i = 0; i < tabs.TabCount(); ++i)
        EXPECT_EQ(tabs.Tabs(i)->Visible(), i == 2) << i;
    tabs.SetActiveTab(tabs.Tabs(3));
    EXPECT_EQ(tabs.TabIndex(), 3);
    EXPECT_EQ(changes, 2);
}

TEST_F(TabTest, DeletingAPageKeepsTheIndexPointingAtAPage)
{
    tabs.SetTabIndex(2);
    delete tabs.Tabs(0); // before the active page: the same page stays active
    EXPECT_EQ(tabs.TabCount(), 3);
    EXPECT_EQ(tabs.ActiveTab()->objectName(), QStringLiteral("TabItem_Study"));
    EXPECT_EQ(changes, 1);
    delete tabs.Tabs(2);
    delete tabs.ActiveTab(); // the active page goes: a neighbour is shown
    ASSERT_NE(tabs.ActiveTab(), nullptr);
    EXPECT_TRUE(tabs.ActiveTab()->Visible());
    EXPECT_EQ(tabs.TabCount(), 1);
}

// The content height follows the lowest visible row; ScrollTo moves the view
// as little as it takes to show the row.
TEST(ScrollBox, ContentFollowsTheLowestVisibleRowAndScrollToMovesTheLeast)
{
    TVertScrollBox box;
    box.SetSize(200, 300);
    QList<TRectangle *> rows;
    for (int i = 0; i < 10; ++i) {
        rows << new TRectangle(box.Content());
        rows.last()->SetBounds(0, i * 100, 180, 90);
    }
    QList<double> moves;
    QObject::connect(&box, &TVertScrollBox::ViewportPositionChange, &box,
                     [&](TVertScrollBox *, QPointF, QPointF newPos) { moves << newPos.y(); });
    EXPECT_DOUBLE_EQ(box.ContentHeight(), 990);
    box.ScrollTo(rows[5]); // 500..590 lies below the view 0..300
    box.ScrollTo(rows[4]); // 400..490 is already inside 290..590
    EXPECT_EQ(moves, QList<double>{290});
    box.ScrollTo(rows[1]); // above the view: its top goes to the top
    EXPECT_DOUBLE_EQ(box.ViewportY(), 100);
    // The rows really move with the view.
    EXPECT_EQ(rows[1]->mapTo(box.Area()->viewport(), QPoint(0, 0)).y(), 0);
    box.SetViewportY(5000); // kept within the content
    EXPECT_DOUBLE_EQ(box.ViewportY(), 690);

    rows[9]->SetY(100); // the lowest one moving up: row 8 is now the lowest
    rows[8]->SetVisible(false);
    EXPECT_DOUBLE_EQ(box.ContentHeight(), 790);
    // Rows created elsewhere and added later count too.
    auto *late = new TRectangle;
    late->SetBounds(0, 2000, 50, 50);
    box.AddToContent(late);
    EXPECT_DOUBLE_EQ(box.MaxViewportY(), 1750);

    QPointer<TRectangle> first(rows.first());
    box.ClearContent();
    EXPECT_TRUE(first.isNull());
    EXPECT_DOUBLE_EQ(box.ViewportY(), 0);
}

// Qt writes a warning and drops the connection when a unique connection is
// asked for with a lambda; rows then moved in a hidden box went unnoticed.
QStringList g_warnings;
void CollectWarnings(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << text;
}

TEST(ScrollBoxOnScreen, ABoxMadeInsideAShownWindowShowsAndScrollsItsRows)
{
    TFrame window;
    window.SetSize(400, 400);
    window.show();
    ASSERT_TRUE(WaitUntil([&] { return window.isVisible(); }));
    g_warnings.clear();
    const QtMessageHandler old = qInstallMessageHandler(CollectWarnings);
    auto *box = new TVertScrollBox(&window);
    box->SetBounds(0, 0, 300, 200);
    box->show();
    auto *row = new TRectangle;
    row->SetBounds(0, 0, 280, 90);
    box->AddToContent(row);
    auto *later = new TRectangle(box->Content());
    later->SetBounds(0, 100, 280, 90);
    later->show();
    later->SetY(400);
    qInstallMessageHandler(old);
    EXPECT_TRUE(g_warnings.isEmpty()) << g_warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(row->isVisible());
    EXPECT_TRUE(later->isVisible());
    box->ScrollTo(later);
    EXPECT_DOUBLE_EQ(box->ViewportY(), 290);
    EXPECT_EQ(later->mapTo(box, QPoint(0, 0)).y(), 400 - 290);
}

} // namespace
