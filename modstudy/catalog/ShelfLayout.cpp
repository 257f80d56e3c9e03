#include "ShelfLayout.h"

namespace Shelf {

QPointF NextGridPlace(TGridCursor &cursor, int columns, double tileWidth, double tileHeight)
{
    if (columns <= 0)
        columns = 1;
    if (cursor.n > 0 && cursor.n % columns == 0)
        ++cursor.r;
    const QPointF place((tileWidth + kColumnGap) * (cursor.n % columns) + kLeft,
                        (tileHeight + kRowGap) * cursor.r + kTop);
    ++cursor.n;
    return place;
}

TOwnBox OwnBoxOfCourseType(const QString &courseType)
{
    if (courseType == QLatin1String("L"))
        return obText;
    if (courseType == QLatin1String("W"))
        return obWord;
    return obOther;
}

QString TileCourseType(const QString &courseType)
{
    return courseType == QLatin1String("W") ? QStringLiteral("W") : QStringLiteral("U");
}

bool NextInChain(TShelfList list, TShelfList &next)
{
    switch (list) {
    case slUsually: next = slMyCourse; return true;
    case slMyCourse: next = slOutside; return true;
    case slOutside: next = slMaterials; return true;
    case slMaterials: next = slRecommend; return true;
    case slRecommend: break;
    }
    return false;
}

QString CourseListText(const QStringList &packageTitles)
{
    QString text;
    for (const QString &title : packageTitles)
        text += QStringLiteral("\n     ") % title;
    return text;
}

QString AlreadyAddedText(const QString &goodsName, const QString &listText)
{
    return QStringLiteral("\"") % goodsName % QStringLiteral("\"已添加至【我的课程】\n 包含课程有：") % listText;
}

QString AddCourseQuestion(const QString &goodsName, const QString &listText)
{
    return QStringLiteral("是否将\"") % goodsName % QStringLiteral("\"添加至【我的课程】\n 包含课程有：") % listText;
}

QString RecentBookMissingText(const QString &caption)
{
    return QStringLiteral("我的课程中未找到“") % caption % QStringLiteral("”这本书，请选择其它课本");
}

} // namespace Shelf
