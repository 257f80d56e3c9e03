#include "Palette.h"

#include <QFontMetricsF>
#include <QPainterPath>

namespace uipal {

QFont Font(double pixelSize, bool bold)
{
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void DrawFittedText(QPainter &p, const QRectF &rect, const QString &text, const QColor &color, double pixelSize,
                    bool bold)
{
    double size = pixelSize;
    QFont font = Font(size, bold);
    while (size > 6 && QFontMetricsF(font).horizontalAdvance(text) > rect.width()) {
        size -= 1;
        font = Font(size, bold);
    }
    p.save();
    p.setFont(font);
    p.setPen(color);
    p.drawText(rect, Qt::AlignCenter, text);
    p.restore();
}

void FillRounded(QPainter &p, const QRectF &rect, const QColor &fill, const QColor &stroke, double strokeWidth)
{
    const double radius = qMin(rect.height(), rect.width()) * 0.22;
    p.save();
    p.setPen(strokeWidth > 0 ? QPen(stroke, strokeWidth) : QPen(Qt::NoPen));
    p.setBrush(fill);
    const double inset = strokeWidth / 2;
    p.drawRoundedRect(rect.adjusted(inset, inset, -inset, -inset), radius, radius);
    p.restore();
}

} // namespace uipal
