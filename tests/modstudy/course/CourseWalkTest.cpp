// The course page carrying a pushed assignment through: the progress step
// hands the page choice to the walk, the walk presses the unit and the
// lesson through the page's own handlers, and the lesson's passage reading
// is started from its menu.

#include "CourseFixture.h"

#include "ClockSpeed.h"

#include "TeduLastAssignMent.h"

namespace {

class CourseWalk : public CourseFixture
{
protected:
    // A pushed assignment of unit 7 naming the given lessons, each with an
    // unfinished detail.
    void PushUnitSeven(const QList<int> &lessonIds)
    {
        host.login->SetUserType(1);
        nlohmann::ordered_json entries = nlohmann::ordered_json::array();
        for (int id : lessonIds) {
            entries.push_back({{"assignmentId", 5}, {"unitId", 107}, {"lessonId", id}});
            AddDetail(5, 107, id, 0);
        }
        nlohmann::ordered_json content{{"courseType", "L"}, {"assignments", entries}};
        F().LastAssignMent = std::make_unique<TeduLastAssignMent>();
        ASSERT_TRUE(F().LastAssignMent->SetJson(QString::fromStdString(content.dump())));
        F().isAssignmentSkip = true;
    }
};

TEST_F(CourseWalk, OneUnfinishedLessonOfTheSeventhUnitIsOpenedInPassageReading)
{
    ClockSpeed speed(20);
    OpenBook(12, false);
    PushUnitSeven({1071});
    Progress(nlohmann::ordered_json::array());
    ASSERT_TRUE(WaitUntil([&] { return F().TabControl_Home->TabIndex() == pgStudy; }, StatedMs{3000}));
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("2"));
    EXPECT_EQ(F().curselectUnitButtonIndex, 6);
    TLessonDisplayFrame *row = F().UnitRow(1);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->CornerButton_Unit->Text(), QStringLiteral("No.7"));
    EXPECT_EQ(row->CornerButton_Unit->StyleLookup(), QStringLiteral("CornerButtonCustom1_qrt"));
    EXPECT_EQ(F().curSelectLessonButtonIndex, 1);
    EXPECT_EQ(row->FRectangleLesson[1]->FillColor(), 0xFFFFA417u);
    EXPECT_TRUE(F().isAssignment);
    EXPECT_EQ(F().curModeName, QStringLiteral("Rectangle_Part"));
}

TEST_F(CourseWalk, TwoUnfinishedLessonsOnlyShowTheReminder)
{
    ClockSpeed speed(20);
    OpenBook(12, false);
    PushUnitSeven({1071, 1072});
    Progress(nlohmann::ordered_json::array());
    // The unit is pressed; no lesson is, however long one waits.
    ASSERT_TRUE(WaitUntil([&] { return F().curselectUnitButtonIndex == 6; }, StatedMs{3000}));
    EXPECT_FALSE(WaitUntil([&] { return F().TabControl_Home->TabIndex() == pgStudy; }, StatedMs{800}));
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_TRUE(F().Rectangle_Remind->Visible());
    EXPECT_EQ(F().UnitRow(1)->Rectangle_StudyMode->isVisibleTo(F().UnitRow(1)->Rectangle_LessonBack), false);
}

TEST_F(CourseWalk, AStopDuringTheWaitLeavesThePageUnpressed)
{
    ClockSpeed speed(20);
    OpenBook(12, false);
    PushUnitSeven({1071});
    QTimer::singleShot(0, &host.parent, [this] { F().bStop = true; });
    Progress(nlohmann::ordered_json::array());
    EXPECT_FALSE(WaitUntil([&] { return F().curselectUnitButtonIndex == 6; }, StatedMs{800}));
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    F().bStop = false;
}

} // namespace
