#include "UnitPaging.h"

#include "TextTools.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace CoursePaging {

int NearestInt(double x)
{
    if (!std::isfinite(x))
        return 0;
    // The default rounding mode sends halves to the even neighbour.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(x);
    std::fesetround(saved);
    return static_cast<int>(std::clamp(r, -2147483648.0, 2147483647.0));
}

int PageCount(int unitCount)
{
    return unitCount <= 0 ? 0 : (unitCount + kUnitsPerPage - 1) / kUnitsPerPage;
}

QString TotalPageText(int unitCount)
{
    return QStringLiteral("/") + QString::number(PageCount(unitCount));
}

int FirstUnitOfPage(int page)
{
    return (std::max(page, 1) - 1) * kUnitsPerPage;
}

int RowsOnPage(int page, int unitCount)
{
    if (page < 1)
        return 0;
    return std::clamp(unitCount - FirstUnitOfPage(page), 0, kUnitsPerPage);
}

int PageOfUnit(int unitIndex)
{
    return std::max(unitIndex, 0) / kUnitsPerPage + 1;
}

int ReadPageLabel(const QString &label)
{
    bool ok = false;
    const int page = label.trimmed().toInt(&ok);
    return ok ? page : 1;
}

std::optional<int> NextPage(const QString &label, int unitCount)
{
    const int p = ReadPageLabel(label) + 1;
    if (p >= 1 && p <= PageCount(unitCount))
        return p;
    return std::nullopt;
}

std::optional<int> PreviousPage(const QString &label)
{
    const int p = ReadPageLabel(label) - 1;
    if (p >= 1)
        return p;
    return std::nullopt;
}

namespace {
double NumberOf(const nlohmann::ordered_json &item, const char *key)
{
    const auto it = item.find(key);
    if (it == item.end())
        return 0;
    if (it->is_number())
        return it->get<double>();
    if (it->is_string()) {
        bool ok = false;
        const double v = QString::fromStdString(it->get<std::string>()).toDouble(&ok);
        return ok && std::isfinite(v) ? v : 0;
    }
    return 0;
}
} // namespace

std::vector<TUnitProgressItem> ReadProgressItems(const nlohmann::ordered_json &reply, bool wordBook)
{
    std::vector<TUnitProgressItem> out;
    if (!reply.is_object())
        return out;
    const auto items = reply.find("items");
    if (items == reply.end() || !items->is_array())
        return out;
    for (const auto &item : *items) {
        if (!item.is_object())
            continue;
        TUnitProgressItem p;
        p.unitId = static_cast<qint64>(NumberOf(item, "unitId"));
        p.completeCount = NumberOf(item, "completeCount");
        p.total = NumberOf(item, wordBook ? "wordsCount" : "lessonCount");
        p.avgScore = NumberOf(item, "avgScore");
        out.push_back(p);
    }
    return out;
}

std::optional<int> UnitPercent(const TUnitProgressItem &item)
{
    if (item.total == 0)
        return std::nullopt;
    return NearestInt(item.completeCount / item.total * 100);
}

TBookProgress BookProgress(double percentSum, double averageSum, int unitCount)
{
    TBookProgress p;
    if (unitCount <= 0)
        return p;
    const double rate = percentSum / (unitCount * 100.0) * 100.0;
    p.finishRate = static_cast<int>(std::clamp(std::floor(rate), 0.0, 100.0));
    p.average = averageSum / unitCount;
    return p;
}

QString ScoreText(double score)
{
    return QString::number(PrecisionChange(score));
}

QString BookRateText(int finishRate)
{
    return QStringLiteral("完成度") + QString::number(finishRate) + QStringLiteral("%");
}

QString BookAverageText(double average)
{
    return QStringLiteral("平均成绩 : ") + ScoreText(average) + QStringLiteral("分");
}

QString UnitRateText(int percent)
{
    return QStringLiteral("完成度") + QString::number(percent) + QStringLiteral("%");
}

QString UnitAverageText(double average)
{
    return QStringLiteral("平均成绩 : ") + ScoreText(average) + QStringLiteral(" 分");
}

TPageChoice ChooseProgressPage(int unfinishedUnits, int selectedUnitIndex, int unitCount)
{
    TPageChoice c;
    c.showRemind = unfinishedUnits > 0;
    // A selection left over from a longer book falls back to the last page.
    c.page = std::min(PageOfUnit(selectedUnitIndex), std::max(PageCount(unitCount), 1));
    return c;
}

TWordFinishParts SplitWordFinish(const QString &content)
{
    TWordFinishParts parts;
    const int slash = content.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        parts.done = QStringLiteral("0");
        parts.total = QStringLiteral("/0");
        return parts;
    }
    parts.done = content.left(slash);
    const QString after = content.mid(slash + 1);
    parts.total = QStringLiteral("/") + after;
    parts.complete = parts.done == after;
    return parts;
}

TLessonRowPlace PlaceLessonRow(const TLessonRowPlace *previous, double titleHeight)
{
    TLessonRowPlace place;
    place.y = previous ? previous->y + previous->height + kLessonRowGap : kLessonRowFirstY;
    place.height = titleHeight > kLessonRowMinHeight ? titleHeight : kLessonRowMinHeight;
    place.radius = place.height / 2;
    return place;
}

QString LessonTitle(int index, const QString &name)
{
    return QStringLiteral("Lesson ") + QString::number(index + 1) + QStringLiteral(" : ") + name;
}

QString WithAssignmentMark(const QString &hint)
{
    const QString mark = QString::fromUtf16(kAssignmentMark);
    return hint.contains(mark) ? hint : hint + mark;
}

} // namespace CoursePaging
