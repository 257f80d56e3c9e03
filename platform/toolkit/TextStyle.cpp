#include "TextStyle.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {
QString &defaultFamily()
{
    static QString family = QStringLiteral("WenQuanYi Zen Hei");
    return family;
}
} // namespace

QString DefaultFontFamily()
{
    return defaultFamily();
}

void SetDefaultFontFamily(const QString &family)
{
    if (!family.isEmpty())
        defaultFamily() = family;
}

QFont MakeFont(const QString &family, double size, int style)
{
    QFont font(family.isEmpty() ? DefaultFontFamily() : family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setBold(style & fsBold);
    font.setItalic(style & fsItalic);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    return font;
}

Qt::Alignment ToQtAlignment(TTextAlign horz, TTextAlign vert)
{
    Qt::Alignment a;
    switch (horz) {
    case TTextAlign::Leading: a |= Qt::AlignLeft; break;
    case TTextAlign::Center: a |= Qt::AlignHCenter; break;
    case TTextAlign::Trailing: a |= Qt::AlignRight; break;
    }
    switch (vert) {
    case TTextAlign::Leading: a |= Qt::AlignTop; break;
    case TTextAlign::Center: a |= Qt::AlignVCenter; break;
    case TTextAlign::Trailing: a |= Qt::AlignBottom; break;
    }
    return a;
}

QSizeF MeasureText(const QString &text, const QFont &font, double width, bool wordWrap)
{
    const QFontMetricsF fm(font);
    if (text.isEmpty())
        return QSizeF(wordWrap && width >= 1 ? width : 0.0, std::ceil(fm.height()));
    if (wordWrap && width >= 1) {
        const double w = width;
        const QRectF r = fm.boundingRect(QRectF(0, 0, w, 1e6), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
        return QSizeF(w, std::ceil(r.height()));
    }
    const QRectF r = fm.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, text);
    return QSizeF(std::ceil(r.width()), std::ceil(r.height()));
}
