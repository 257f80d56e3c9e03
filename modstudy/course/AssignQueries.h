#pragma once
// Questions asked of a course's assignment details, as plain functions over
// the detail list, so the course page and the automatic walk to a pushed
// assignment share one reading of them.
//
// Ids compare as 32-bit integers (the detail records hold them so; a
// pushed assignment's 64-bit ids are narrowed the same way). No details
// means no match.

#include "NoFinishWordList.h"

#include <QString>

#include <memory>
#include <vector>

class TeduAssignDetail;
class TeduLastAssignMent;

using TAssignDetails = std::vector<std::unique_ptr<TeduAssignDetail>>;
using TNoFinishWordLists = std::vector<std::unique_ptr<TNoFinishWordList>>;

// A pair (smallest id, number of distinct ids) of unfinished units or lessons.
struct TUnFinishedInfo
{
    int firstId = 0;
    int count = 0;
};

namespace assignq {

// Replaces both lists with the content of a acAssignmentDetails reply: "assignDetails"
// (detail objects) and "assignWordss" (objects with "assignmentid" and
// "unFinishWords", objects with "wordsid"). A missing or malformed member
// leaves its list empty; elements that are not objects are skipped.
void Decode(const QString &text, TAssignDetails &details, TNoFinishWordLists &words);

// True when a detail names the unit. Walks from the last detail to the first:
// each match sets `content` to its "finishwords"; the first match (from the
// end) that is unfinished sets `finished` false and ends the walk. So
// `content` is the count text of the last unfinished match when there is
// one, else of the earliest match.
bool IsUnit(const TAssignDetails &details, int unitId, bool &finished, QString &content);

// True when a detail names the lesson. Walks from the first detail; the
// first unfinished match sets `finished` false and ends the walk.
bool IsLesson(const TAssignDetails &details, int lessonId, bool &finished);

// Assignment id of the first detail naming both the unit and the lesson; 0
// when none.
int AssignmentId(const TAssignDetails &details, int unitId, int lessonId);
// Assignment id of the last detail naming the unit; 0 when none.
int AssignmentIdBy(const TAssignDetails &details, int unitId);

// Distinct units of the unfinished details; with `pushed`, only units that
// one of its entries names. firstId is the smallest of them, 0 when none.
TUnFinishedInfo UnfinishedUnits(const TAssignDetails &details, const TeduLastAssignMent *pushed);
// Distinct lessons of the unfinished details of one unit that an entry of
// `pushed` names (none without `pushed`).
TUnFinishedInfo UnfinishedLessons(const TAssignDetails &details, int unitId, const TeduLastAssignMent *pushed);

// A new list with the given assignment id and every unfinished word of the
// entries carrying that id, in order. An id of 0 or less gives an empty list
// with id 0.
std::unique_ptr<TNoFinishWordList> NoFinishWords(const TNoFinishWordLists &lists, int assignmentId);

// Whether the reminder banner may show: an open textbook and user type 1.
bool RemindShows(bool bookOpen, bool isWordBook, int userType);

} // namespace assignq
