#include "AssignWalkPlan.h"

namespace assignwalk {

int PageOfUnit(int unitIndex)
{
    // Ceil((index + 1) / 5) for a non-negative index.
    return unitIndex < 0 ? 1 : unitIndex / kRowsPerPage + 1;
}

TUnitPagePlan PlanUnitPage(const TUnFinishedInfo &units, int unitIndex, bool unitFound, int selectedUnitIndex)
{
    TUnitPagePlan plan;
    if (units.count <= 0) {
        plan.remind = TRemind::Hide;
        plan.page = PageOfUnit(selectedUnitIndex);
        return plan;
    }
    plan.remind = TRemind::Show;
    if (!unitFound) {
        plan.page = PageOfUnit(selectedUnitIndex);
        return plan;
    }
    plan.page = PageOfUnit(unitIndex);
    if (units.count == 1)
        plan.pressRow = unitIndex % kRowsPerPage;
    return plan;
}

TLessonPlan PlanLesson(const TUnFinishedInfo &lessons, int lessonIndex, bool lessonFound)
{
    TLessonPlan plan;
    if (lessons.count <= 0)
        return plan;
    plan.remind = TRemind::Show;
    if (lessons.count == 1 && lessonFound)
        plan.pressLesson = lessonIndex;
    return plan;
}

bool StartsPassage(const QString &flagText)
{
    return flagText == QStringLiteral("未完成");
}

} // namespace assignwalk
