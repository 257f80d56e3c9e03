#pragma once
// The arithmetic of the course page, kept apart from its controls: pages of
// five unit rows, the page label, the unit progress reply and its whole-book
// figures, the page a progress step shows, the word-assignment count text
// and the stacking of lesson rows whose titles wrap.

#include <nlohmann/json.hpp>

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace CoursePaging {

inline constexpr int kUnitsPerPage = 5;
inline constexpr double kUnitRowHeight = 85;
// X of the unit pager under a word book's rows and under a textbook's rows.
inline constexpr double kPagerXWordBook = 448;
inline constexpr double kPagerXTextbook = 183;

// x rounded to the nearest integer, halves to the even neighbour.
int NearestInt(double x);

// Number of pages for `unitCount` units (rounded up; 0 for no units).
int PageCount(int unitCount);
// "/" and the page count.
QString TotalPageText(int unitCount);
// Index in the book of the first unit of `page` (1-based).
int FirstUnitOfPage(int page);
// Number of rows on `page`: up to five, fewer on the last page, none
// beyond it.
int RowsOnPage(int page, int unitCount);
// The page holding the unit at `unitIndex` (0-based).
int PageOfUnit(int unitIndex);
// The page number a page label shows; 1 when the text is not a number.
int ReadPageLabel(const QString &label);
// The page the next / previous button goes to from the page in `label`;
// nothing when that is beyond the last / before the first page.
std::optional<int> NextPage(const QString &label, int unitCount);
std::optional<int> PreviousPage(const QString &label);

// One element of "items" of a unit progress reply.
struct TUnitProgressItem
{
    qint64 unitId = 0;
    double completeCount = 0;
    double total = 0; // "wordsCount" of a word book, "lessonCount" of a textbook
    double avgScore = 0;
};
// The elements of "items" (nothing when absent); members that are missing
// or not numbers read as 0.
std::vector<TUnitProgressItem> ReadProgressItems(const nlohmann::ordered_json &reply, bool wordBook);

// A unit's completion in percent: Nearest(done / total * 100); nothing for a
// total of 0, whose unit keeps what it showed before.
std::optional<int> UnitPercent(const TUnitProgressItem &item);

// The whole book's figures from the percents and averages the reply gave to
// units of the book. A unit the reply did not update still counts in the
// divisor `unitCount`. The completion is rounded down.
struct TBookProgress
{
    int finishRate = 0; // Floor(sum of percents / unitCount)
    double average = 0; // sum of averages / unitCount
};
TBookProgress BookProgress(double percentSum, double averageSum, int unitCount);
// "完成度" + rate + "%" and "平均成绩 : " + average + "分" of the book header.
QString BookRateText(int finishRate);
QString BookAverageText(double average);
// "完成度" + percent + "%" and "平均成绩 : " + average + " 分" of a unit row.
QString UnitRateText(int percent);
QString UnitAverageText(double average);
// A score as shown: PrecisionChange, written without trailing zeros.
QString ScoreText(double score);

// What a progress step does when no pushed assignment is being opened: the
// reminder is shown when units hold unfinished work, and the page of the
// selected unit is shown.
struct TPageChoice
{
    bool showRemind = false;
    int page = 1;
};
TPageChoice ChooseProgressPage(int unfinishedUnits, int selectedUnitIndex, int unitCount);

// A word unit's assignment count split for its two labels.
struct TWordFinishParts
{
    QString done;  // the count before "/"
    QString total; // "/" and the count after it
    bool complete = false;
};
// "3/5" gives "3", "/5", not complete; "5/5" complete; a text without "/"
// gives "0", "/0", not complete.
TWordFinishParts SplitWordFinish(const QString &content);

// Lesson rows of a unit's panel: the first starts at 8, each next one 20
// below the previous row's bottom; a row is 22 high unless its wrapped title
// needs more, and its corner radius is half its height.
inline constexpr double kLessonRowFirstY = 8;
inline constexpr double kLessonRowGap = 20;
inline constexpr double kLessonRowMinHeight = 22;
struct TLessonRowPlace
{
    double y = 0;
    double height = kLessonRowMinHeight;
    double radius = kLessonRowMinHeight / 2;
};
TLessonRowPlace PlaceLessonRow(const TLessonRowPlace *previous, double titleHeight);

// "Lesson " + (index + 1) + " : " + name.
QString LessonTitle(int index, const QString &name);

// The hint mark of an assigned unit or lesson, added once.
inline constexpr char16_t kAssignmentMark[] = u"（有作业）";
QString WithAssignmentMark(const QString &hint);

} // namespace CoursePaging
