#pragma once
// What the automatic walk to a pushed assignment does at each of its steps,
// decided from the unfinished work alone so that the course page only
// carries it out.

#include "AssignQueries.h"

namespace assignwalk {

// Units are shown five to a page.
inline constexpr int kRowsPerPage = 5;
// The walk's pauses, in milliseconds: before pressing the unit, before
// pressing the lesson, before starting passage reading.
inline constexpr int kUnitPressWaitMs = 300;
inline constexpr int kLessonPressWaitMs = 100;
inline constexpr int kModeStartWaitMs = 300;

enum class TRemind { Show, Hide };

struct TUnitPagePlan
{
    TRemind remind = TRemind::Hide;
    int page = 1;      // 1-based page of the unit list to show
    int pressRow = -1; // row on that page whose unit button is pressed; -1 none
};

// Page number (1-based) holding the unit at a 0-based index.
int PageOfUnit(int unitIndex);

// The page step. `unitIndex` is the index in the book of the first
// unfinished unit and `unitFound` whether the book holds that unit at all;
// `selectedUnitIndex` is the unit selected last. One unfinished unit is
// pressed (after kUnitPressWaitMs) only when the book holds it: a unit the
// open book does not hold is never replaced by the book's first unit.
TUnitPagePlan PlanUnitPage(const TUnFinishedInfo &units, int unitIndex, bool unitFound, int selectedUnitIndex);

struct TLessonPlan
{
    TRemind remind = TRemind::Hide;
    int pressLesson = -1; // index in the unit's lessons to press; -1 none
};

// The lesson step after a unit press, with the same rule for a lesson the
// unit does not hold.
TLessonPlan PlanLesson(const TUnFinishedInfo &lessons, int lessonIndex, bool lessonFound);

// Whether the lesson press goes on to passage reading: only for a lesson
// whose flag reads "未完成".
bool StartsPassage(const QString &flagText);

} // namespace assignwalk
