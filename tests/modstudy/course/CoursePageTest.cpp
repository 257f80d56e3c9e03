// The course page on a running frame: a 12-unit book opened through the
// test host, its rows and paging, the progress reply, the assignment flags,
// the unit press with its lesson panel and the lesson press with its menu.

#include "CourseFixture.h"

#include "LessonDisplayFrame.h"

#include "TeduAssignDetail.h"

#include "TButton.h"
#include "TEffects.h"
#include "TImageControl.h"
#include "TLabel.h"
#include "TProgressBar.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TVertScrollBox.h"

#include <gtest/gtest.h>

namespace {

class CoursePage : public CourseFixture
{};

TEST_F(CoursePage, TwelveUnitsPageByFiveAndTheButtonsStopAtTheEnds)
{
    OpenBook(12, false);
    Progress(nlohmann::ordered_json::array());
    EXPECT_EQ(F().Label_TotalUnitPage->Text(), QStringLiteral("/3"));
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("1"));
    EXPECT_EQ(RowButtons(), (QStringList{"No.1", "No.2", "No.3", "No.4", "No.5"}));

    QPointer<TLessonDisplayFrame> old = F().UnitRow(0);
    Press(F().Button_UnitNexPage);
    Press(F().Button_UnitNexPage);
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("3"));
    EXPECT_EQ(RowButtons(), (QStringList{"No.11", "No.12"}));
    EXPECT_EQ(F().UnitRow(1)->Label_Title->Text(), QStringLiteral("Unit 12"));
    EXPECT_EQ(F().UnitRow(1)->CornerButton_Unit->Hint(), QStringLiteral("点击打开'No.12'"));
    EXPECT_TRUE(WaitUntil([&] { return old.isNull(); }, RealMs{2000})) << "the rows of a page left are freed";

    // Next on the last page keeps the rows that are there.
    TLessonDisplayFrame *before = F().UnitRow(0);
    Press(F().Button_UnitNexPage);
    EXPECT_EQ(F().UnitRow(0), before);
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("3"));

    // Back to 1, where previous does nothing.
    Press(F().Button_UnitPreviousPage);
    Press(F().Button_UnitPreviousPage);
    before = F().UnitRow(0);
    Press(F().Button_UnitPreviousPage);
    EXPECT_EQ(F().UnitRow(0), before);
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("1"));

    // The progress step shows the page of the selected unit.
    F().curselectUnitButtonIndex = 11;
    Progress(nlohmann::ordered_json::array());
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("3"));
    EXPECT_EQ(F().LessonDisplays.size(), 2);
}

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
    EXPECT_EQ(F().PackBook->Units[2].AverageScore(), 60);
    // (33 + 67) / 12 = 8.33 -> 8; (80 + 70) / 12 = 12.5.
    EXPECT_EQ(F().Label_FullBookFinishRate->Text(), QStringLiteral("完成度8%"));
    EXPECT_EQ(F().Label_FullBookAverageScore->Text(), QStringLiteral("平均成绩 : 12.5分"));
    EXPECT_EQ(F().UnitRow(0)->Text_Percent->Text(), QStringLiteral("完成度33%"));
    EXPECT_EQ(F().UnitRow(0)->Label_AverageScore->Text(), QStringLiteral("平均成绩 : 80 分"));
    EXPECT_EQ(F().UnitRow(2)->Text_Percent->Text(), QStringLiteral("完成度50%"));
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

TEST_F(CoursePage, DetailsFlagUnitsAndLessonsAndShowTheBannerForATextbookOfUserTypeOne)
{
    OpenBook(12, false);
    host.login->SetUserType(1);
    Progress(nlohmann::ordered_json::array());
    PressUnit(0);
    ExpectNoMarks();

    AddDetail(1, 101, 1010, 1); // unit 1: lesson 1 finished
    AddDetail(1, 102, 1020, 0); // unit 2: lesson 1 not finished
    Progress(nlohmann::ordered_json::array());
    EXPECT_TRUE(F().Rectangle_Remind->Visible());
    EXPECT_EQ(F().Label_Remind->Text(), QStringLiteral("您有作业未完成 , 请尽快完成哦"));

    TLessonDisplayFrame *unit1 = F().UnitRow(0);
    TLessonDisplayFrame *unit2 = F().UnitRow(1);
    EXPECT_TRUE(unit1->Rectangle_UnitFinishFlag->Visible());
    EXPECT_EQ(unit1->Label_UnitFinishFlag->Text(), QStringLiteral("已完成"));
    EXPECT_EQ(unit2->Label_UnitFinishFlag->Text(), QStringLiteral("未完成"));
    EXPECT_EQ(unit1->CornerButton_Unit->Hint(), QStringLiteral("点击打开'No.1'（有作业）"));
    EXPECT_FALSE(F().UnitRow(2)->Rectangle_UnitFinishFlag->Visible());

    PressUnit(1);
    TLessonDisplayFrame *row = F().UnitRow(1);
    ASSERT_EQ(row->FRectangle_LessonFinishFlag.size(), 3);
    EXPECT_TRUE(row->FRectangle_LessonFinishFlag[0]->Visible());
    EXPECT_EQ(row->FLabel_LessonFinishFlag[0]->Text(), QStringLiteral("未完成"));
    EXPECT_EQ(row->FTextLesson[0]->Hint(), QStringLiteral("（有作业）"));
    EXPECT_FALSE(row->FRectangle_LessonFinishFlag[1]->Visible());

    PressUnit(0);
    row = F().UnitRow(0);
    EXPECT_EQ(row->FLabel_LessonFinishFlag[0]->Text(), QStringLiteral("已完成"));

    // Pressing the assigned lesson twice marks its hint once and notes the assignment.
    PressLesson(0, 0);
    PressLesson(0, 0);
    EXPECT_EQ(row->FTextLesson[0]->Hint(), QStringLiteral("（有作业）"));
    EXPECT_TRUE(F().isAssignment);
    PressLesson(0, 1);
    EXPECT_FALSE(F().isAssignment);

    host.login->SetUserType(2);
    Progress(nlohmann::ordered_json::array());
    PressUnit(0);
    ExpectNoMarks();
    EXPECT_FALSE(F().Rectangle_Remind->Visible());
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
    for (int r = 0; r < F().LessonDisplays.size(); ++r) {
        EXPECT_FALSE(F().UnitRow(r)->LessonPanelVisible()) << r;
        EXPECT_FALSE(F().UnitRow(r)->SidesShown()) << r;
    }
}

TEST_F(CoursePage, AUnitPressOpensItsLessonPanelBesideTheListAndClosesTheOthers)
{
    OpenBook(12, false);
    F().PackBook->Units[3].Lessons[1].Name =
        QStringLiteral("A very long lesson title that cannot possibly fit on one line of the panel");
    Progress(nlohmann::ordered_json::array());
    PressUnit(0);
    PressUnit(3);
    EXPECT_EQ(F().curselectUnitButtonIndex, 3);
    for (int r = 0; r < 5; ++r) {
        TLessonDisplayFrame *row = F().UnitRow(r);
        EXPECT_EQ(row->LessonPanelVisible(), r == 3) << r;
        EXPECT_EQ(row->SidesShown(), r == 3) << r;
        EXPECT_EQ(row->FArrayIndex, r);
    }
    TLessonDisplayFrame *row = F().UnitRow(3);
    // The panel starts at the top of the list, the joint beside the row.
    EXPECT_EQ(row->LessonPanelTop(), -255);
    EXPECT_TRUE(row->Rectangle_WhiteConnect->Visible());
    ASSERT_EQ(row->FTextLesson.size(), 3);
    EXPECT_EQ(row->FTextLesson[2]->Text(), QStringLiteral("Lesson 3 : Lesson 4-3"));
    EXPECT_EQ(row->FRectangleLesson[1]->Tag(), 1041);
    // The wrapped title gets a taller rounded row and pushes the next one down.
    TRectangle *tall = row->FRectangleLesson[1];
    EXPECT_EQ(row->FRectangleLesson[0]->Height(), 22);
    EXPECT_GT(tall->Height(), 22);
    EXPECT_EQ(tall->XRadius(), tall->Height() / 2);
    EXPECT_EQ(row->FRectangle_LessonFinishFlag[1]->Height(), tall->Height());
    EXPECT_EQ(row->FRectangleLesson[2]->Y(), tall->Y() + tall->Height() + 20);
    // The first row's panel meets the joint at its top-left corner.
    PressUnit(0);
    EXPECT_FALSE(F().UnitRow(0)->Rectangle_LessonBack->Corners() & TRectangle::CornerTopLeft);
    EXPECT_TRUE(row->Rectangle_LessonBack->isHidden());
}

TEST_F(CoursePage, ALessonPressSelectsItAndOpensTheModeMenuUnderIt)
{
    OpenBook(12, false);
    Progress(nlohmann::ordered_json::array());
    PressUnit(1);
    PressLesson(1, 0);
    PressLesson(1, 2);
    TLessonDisplayFrame *row = F().UnitRow(1);
    EXPECT_EQ(F().curSelectLessonButtonIndex, 2);
    TRectangle *selected = row->FRectangleLesson[2];
    EXPECT_EQ(row->ShadowEffect_public->Target(), selected);
    // The earlier choice is back to the plain look.
    EXPECT_EQ(row->FRectangleLesson[0]->Fill(), TRectangle::FillKind::None);
    EXPECT_TRUE(row->Rectangle_StudyMode->Visible());
    EXPECT_EQ(row->Rectangle_StudyMode->Y(), selected->Y() + selected->Height() - 2);

    // Another unit's panel takes the shadow back to its own row.
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
    EXPECT_FALSE(F().Rectangle_Remind->Visible()) << "no banner for a word book";
    TLessonDisplayFrame *first = F().UnitRow(0);
    EXPECT_FALSE(first->Rectangle_UnitFinishFlag->Visible());
    EXPECT_TRUE(first->Rectangle_WordFinishInfo->Visible());
    EXPECT_EQ(first->Label_WordFinishCount->Text(), QStringLiteral("3"));
    EXPECT_EQ(first->Label_WordTotalCount->Text(), QStringLiteral("/5"));
    EXPECT_FALSE(first->FisAssignmentAndFinished);
    EXPECT_EQ(first->CornerButton_Unit->TagString(), QStringLiteral("31"));
    EXPECT_EQ(first->Text_Percent->Text(), QStringLiteral("完成度60%"));
    TLessonDisplayFrame *second = F().UnitRow(1);
    EXPECT_EQ(second->Label_WordTotalCount->Color(), second->Label_WordFinishCount->Color());
    EXPECT_TRUE(second->FisAssignmentAndFinished);
    EXPECT_FALSE(F().UnitRow(2)->Rectangle_WordFinishInfo->Visible());

    PressUnit(0);
    EXPECT_EQ(F().curAssignmentid, 31);
    EXPECT_TRUE(F().isAssignmentWordUnit);
    EXPECT_TRUE(first->Rectangle_WordStudyMode->Visible());
    EXPECT_FALSE(first->LessonPanelVisible());
    PressUnit(2);
    EXPECT_EQ(F().curAssignmentid, 0);
    EXPECT_FALSE(F().isAssignmentWordUnit);
    EXPECT_FALSE(first->Rectangle_WordStudyMode->isVisibleTo(first));

    Press(F().UnitRow(2)->Label_Word);
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgStudy);
}

TEST_F(CoursePage, LeavingTheBookAndComingBackStartsWithoutRows)
{
    OpenBook(12, false);
    Progress(nlohmann::ordered_json::array());
    ASSERT_EQ(F().LessonDisplays.size(), 5);
    F().TabControl_Home->SetTabIndex(pgHome);
    F().TabControl_Home->SetTabIndex(pgBook);
    EXPECT_TRUE(F().LessonDisplays.isEmpty());
}

TEST_F(CoursePage, IndexLookUpsFallBackToZero)
{
    OpenBook(12, false);
    EXPECT_EQ(F().GetUnitLabelIndex(107), 6);
    EXPECT_EQ(F().GetUnitLabelIndex(4242), 0);
    EXPECT_EQ(F().GetLessonLabelIndex(6, 1072), 2);
    EXPECT_EQ(F().GetLessonLabelIndex(6, 1), 0);
    EXPECT_EQ(F().GetLessonLabelIndex(40, 1072), 0);
}

} // namespace
