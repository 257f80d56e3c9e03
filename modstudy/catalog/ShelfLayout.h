#pragma once
// The course shelf's plain decisions, kept apart from the widgets so that
// they can be checked without a window: the shelf selection types, the grid
// of tile places, which own-book box a course type goes to, the order of
// the picture chain and the texts of the recommended-course panel.

#include <QPointF>
#include <QString>
#include <QStringList>

// Which shelf is shown (SetCoursePanel).
enum TCouserType : int { ctMyCourse = 0, ctMaterials = 1, ctRecommand = 2, ctUsually = 3 };
// Which own-book box is shown (SetMyBookPanel): lesson, word or other books.
enum TBookType : int { btMyBookTT = 0, btMyBookWd = 1, btMyBookEx = 2 };
// Which material box is shown (SetMaterialsPanel).
enum TMaterialsType : int { mtMaterialsVox = 0, mtMaterialsTh = 1 };

namespace Shelf {

// Grid constants of every shelf box.
inline constexpr int kColumns = 6;          // book and material boxes
inline constexpr int kRecommendColumns = 5; // the recommended box
inline constexpr double kColumnGap = 46;    // added to the tile width
inline constexpr double kLeft = 8;
inline constexpr double kRowGap = 6; // added to the tile height
inline constexpr double kTop = 14;

// The running place of one box: n tiles placed so far, current row r.
struct TGridCursor
{
    int n = 0;
    int r = 0;
};

// The place of the next tile of a box, and the cursor moved past it: before
// placing, when n > 0 and n is a multiple of the column count, the row
// advances; x = (tile width + 46) * (n mod columns) + 8,
// y = (tile height + 6) * r + 14.
QPointF NextGridPlace(TGridCursor &cursor, int columns, double tileWidth, double tileHeight);

// The own-book box of a course type as the shelf reply gives it.
enum TOwnBox { obText, obWord, obOther };
TOwnBox OwnBoxOfCourseType(const QString &courseType);
// The course type a book tile keeps: "W" stays, everything else is "U".
QString TileCourseType(const QString &courseType);

// The five lists in the order of the picture chain.
enum TShelfList : int { slUsually = 0, slMyCourse = 1, slOutside = 2, slMaterials = 3, slRecommend = 4 };
inline constexpr int kShelfListCount = 5;
// The list after `list` in the chain; false for the recommended list, which
// ends it.
bool NextInChain(TShelfList list, TShelfList &next);

// Contents of a recommended course: for each title a line break, five spaces
// and the title.
QString CourseListText(const QStringList &packageTitles);
// The panel text for a course the learner already has.
QString AlreadyAddedText(const QString &goodsName, const QString &listText);
// The question that offers to add a course.
QString AddCourseQuestion(const QString &goodsName, const QString &listText);
// The message for a recent tile whose book is not among the own books.
QString RecentBookMissingText(const QString &caption);

} // namespace Shelf
