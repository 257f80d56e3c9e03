// The frame's pages: the page change handler, the return buttons, the
// timers at start and the rendering of the four pages.

#include "TestHost.h"
#include "TestMouse.h"

#include "TBookIconFrame.h"

#include "Render.h"
#include "TButton.h"
#include "TImageControl.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"
#include "TTimer.h"

#include <QImage>
#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

class FramePages : public ::testing::Test
{
protected:
    void SetUp() override { host.Start(false); }
    TStudyFrame &F() { return *host.Frame(); }
    void ShowPage(int page) { F().TabControl_Home->SetTabIndex(page); }
    TestHost host;
};

TEST_F(FramePages, ReturningHomeForgetsTheOpenBookAndPositions)
{
    TBookIconFrame tile;
    tile.SetGoodsName(QStringLiteral("New Concept 1"));
    tile.SetCourseType(QStringLiteral("U"));
    tile.SetLessonID(77);
    F().curSelectBook = &tile;
    ShowPage(pgBook);
    EXPECT_EQ(F().Text_Description->Text(), QStringLiteral("New Concept 1"));
    ASSERT_EQ(TestHost::WithCode(host.requests, 1145).size(), 1) << "the book's assignments are asked for";

    F().curselectUnitButtonIndex = 3;
    F().curSelectLessonButtonIndex = 2;
    F().isAssignmentSkip = true;
    F().isStudyModeChange = true;
    F().isStudyModeReturn = true;
    F().bStopDownloadBookPicture = true;
    F().bStop = true;
    F().MyCourse_UsuallyIndex = 4;
    ClickMiddle(F().Button_Return);
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgHome);
    EXPECT_EQ(F().curSelectBook, nullptr);
    EXPECT_EQ(F().curselectUnitButtonIndex, 0);
    EXPECT_EQ(F().curSelectLessonButtonIndex, 0);
    EXPECT_FALSE(F().isAssignmentSkip);
    EXPECT_FALSE(F().isStudyModeChange);
    EXPECT_FALSE(F().isStudyModeReturn);
    EXPECT_FALSE(F().bStopDownloadBookPicture);
    EXPECT_FALSE(F().bStop);
    EXPECT_EQ(F().MyCourse_UsuallyIndex, 0);
}

TEST_F(FramePages, OpeningTheBookPageTwiceLoadsTheUnitPicturesOnce)
{
    const QString finished = QStringLiteral("png\\study\\book\\UnitFinished.png");
    const QString unfinished = QStringLiteral("png\\study\\book\\UnitUnFinished.png");
    ShowPage(pgBook);
    ShowPage(pgHome);
    ShowPage(pgBook);
    EXPECT_EQ(host.archive->RequestCount(finished), 1);
    EXPECT_EQ(host.archive->RequestCount(unfinished), 1);
    EXPECT_EQ(F().Image1->ImageCount(), 2);
}

TEST_F(FramePages, StudyAndResultPagesSetTheirControls)
{
    F().curSelectBookType = QStringLiteral("materials");
    ShowPage(pgStudy);
    EXPECT_FALSE(F().Rectangle_StudyModeSelectTab->Visible());
    EXPECT_TRUE(F().Rectangle_RecordImage->HasBitmap());
    ShowPage(pgHome);
    F().curSelectBookType = QStringLiteral("mycourse");
    ShowPage(pgStudy);
    EXPECT_TRUE(F().Rectangle_StudyModeSelectTab->Visible());
    EXPECT_EQ(host.archive->RequestCount(QStringLiteral("png\\Recording.png")), 1);

    F().CornerButton_SharedAudio->SetVisible(true);
    F().isStudyModeChange = true;
    ShowPage(pgDisplayScore);
    EXPECT_FALSE(F().CornerButton_SharedAudio->Visible());
    EXPECT_FALSE(F().isStudyModeChange);

    F().PartStartIndex = 4;
    F().PartResultJson = std::make_unique<nlohmann::ordered_json>(nlohmann::ordered_json{{"bContinue", 1}});
    ClickMiddle(F().Button_DisplayReturn);
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgStudy);
    EXPECT_EQ(F().PartStartIndex, 0);
    EXPECT_FALSE(F().PartResultJson);
    EXPECT_GE(host.sound->Calls().Count(QStringLiteral("StopPlay")), 1);
}

// Every page renders at the design size with its visible controls inside
// the frame; the pictures go to /tmp for a look.
TEST_F(FramePages, PagesRenderInsideTheFrame)
{
    host.archive->SetPictureColor(QColor(0x4C, 0x9E, 0xE8));
    for (int page = 0; page < 4; ++page) {
        ShowPage(page);
        const QString path = QStringLiteral("/tmp/frame_page%1.png").arg(page);
        ASSERT_TRUE(RenderToPng(&F(), path)) << page;
        const QImage image(path);
        EXPECT_EQ(image.size(), QSize(TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight));
        TTabItem *tab = F().TabControl_Home->Tabs(page);
        for (TControl *c : tab->findChildren<TControl *>()) {
            if (!c->isVisibleTo(tab))
                continue;
            const QRect r(c->mapTo(&F(), QPoint(0, 0)), c->size());
            if (c->parentWidget() && c->parentWidget()->inherits("QScrollArea"))
                continue;
            EXPECT_TRUE(QRect(0, 0, TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight).contains(r))
                << c->Name().toStdString() << " on page " << page;
        }
    }
    ShowPage(pgHome);
}

} // namespace
