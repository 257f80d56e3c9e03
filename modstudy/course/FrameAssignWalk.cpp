// The automatic walk to an assignment the host pushed (isAssignmentSkip):
// from the unit progress to the unit's page and its unit button, from the
// unit press to the one unfinished lesson, and from the lesson press to its
// passage reading. Each step waits a moment first so the learner sees where
// the walk goes; a stop (bStop) during a wait ends the walk there.

#include "StudyFrame.h"

#include "AssignWalkPlan.h"
#include "LessonDisplayFrame.h"

#include "PackBook.h"
#include "Wait.h"

#include "TButton.h"
#include "TLabel.h"

#include <QPointer>

namespace {

// A press as the walk gives it: left button at (5, 5).
constexpr Qt::MouseButton kButton = Qt::LeftButton;
constexpr double kPressAt = 5;

} // namespace

void TStudyFrame::AssignmentWalk_UnitPage()
{
    if (!isAssignmentSkip)
        return;
    TUnFinishedInfo units;
    GetUnFinishedInfo_Single(units);
    if (bStop)
        return;
    int unitIndex = 0;
    bool unitFound = false;
    if (units.count > 0 && PackBook) {
        unitIndex = GetUnitLabelIndex(units.firstId);
        unitFound = unitIndex >= 0 && unitIndex < PackBook->Units.size()
                    && static_cast<int>(PackBook->Units.at(unitIndex).Id) == units.firstId;
    }
    const assignwalk::TUnitPagePlan plan =
        assignwalk::PlanUnitPage(units, unitIndex, unitFound, curselectUnitButtonIndex);
    if (plan.remind == assignwalk::TRemind::Show)
        DisplayRemind();
    else
        NotDisplayRemind();
    if (plan.pressRow < 0) {
        ShowUnitPage(plan.page);
        return;
    }
    if (!WaitTime(assignwalk::kUnitPressWaitMs, bStop, this) || bStop)
        return;
    ShowUnitPage(plan.page);
    TLessonDisplayFrame *row = UnitRow(plan.pressRow);
    if (!row)
        return;
    UnitButtonMouseDown(row->CornerButton_Unit, kButton, Qt::NoModifier, kPressAt, kPressAt);
}

void TStudyFrame::AssignmentWalk_Lesson(int RowIndex, int UnitIndex)
{
    if (!isAssignmentSkip || !PackBook || UnitIndex < 0 || UnitIndex >= PackBook->Units.size())
        return;
    const bool wordBook = PackBook->IsWordBook;
    TUnFinishedInfo lessons;
    GetLessonUnFinishedInfo_Single(static_cast<int>(PackBook->Units.at(UnitIndex).Id), lessons);
    if (bStop)
        return;
    int k = 0;
    bool lessonFound = wordBook; // a word unit is studied as a whole
    if (!wordBook && lessons.count > 0) {
        k = GetLessonLabelIndex(UnitIndex, lessons.firstId);
        const auto &list = PackBook->Units.at(UnitIndex).Lessons;
        lessonFound = k >= 0 && k < list.size() && static_cast<int>(list.at(k).Id) == lessons.firstId;
    }
    const assignwalk::TLessonPlan plan = assignwalk::PlanLesson(lessons, k, lessonFound);
    if (plan.remind == assignwalk::TRemind::Show)
        DisplayRemind();
    else
        NotDisplayRemind();
    if (plan.pressLesson < 0)
        return;
    if (!WaitTime(assignwalk::kLessonPressWaitMs, bStop, this) || bStop)
        return;
    // The learner may have paged meanwhile: press only on the row that still
    // stands for this unit.
    TLessonDisplayFrame *row = UnitRow(RowIndex);
    if (!row || qRound(row->CornerButton_Unit->TagFloat()) != UnitIndex)
        return;
    if (wordBook) {
        // The pushed word unit is open now; the walk is over.
        isAssignmentSkip = false;
        WordStudyModeButtonUp(row->Label_Word, kButton, Qt::NoModifier, kPressAt, kPressAt);
        return;
    }
    if (plan.pressLesson < row->FTextLesson.size())
        LessonButtonMouseDown(row->FTextLesson.at(plan.pressLesson), kButton, Qt::NoModifier, kPressAt, kPressAt);
}

void TStudyFrame::AssignmentWalk_Mode(int RowIndex, int LessonIndex)
{
    if (!isAssignmentSkip)
        return;
    TLessonDisplayFrame *row = UnitRow(RowIndex);
    if (!row || LessonIndex < 0 || LessonIndex >= row->FLabel_LessonFinishFlag.size())
        return;
    if (!assignwalk::StartsPassage(row->FLabel_LessonFinishFlag.at(LessonIndex)->Text()))
        return;
    const QPointer<TLabel> part = row->Label_Part;
    Q_EMIT part->MouseEnter(part);
    if (!WaitTime(assignwalk::kModeStartWaitMs, bStop, this))
        return;
    if (!bStop && part) {
        // The pushed assignment is open now. Coming back to the course page
        // must not walk into the same lesson again, so the walk ends here.
        isAssignmentSkip = false;
        StudyModeButtonUp(part, kButton, Qt::NoModifier, kPressAt, kPressAt);
    }
    if (part)
        Q_EMIT part->MouseLeave(part);
}
