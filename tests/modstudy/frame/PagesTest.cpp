// The frame's pages: the page change handler and the return buttons.

#include "TestHost.h"
#include "TestMouse.h"

#include "TBookIconFrame.h"

#include "TButton.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"

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

TEST_F(FramePages, StudyAndResultPagesSetTheirControls)
{
    F().curSelectBookType = QStringLiteral("materials");
    ShowPage(pgStudy);
    EXPECT_FALSE(F().Rectangle_StudyModeSelectTab->Visible()) << "a material has passage reading only";

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

} // namespace
