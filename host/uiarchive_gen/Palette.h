#pragma once
// The one look of the UI archive: flat shapes, rounded corners, a warm orange
// accent on white and light greys, dark grey text.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace uipal {

inline const QColor Accent(0xFF, 0x96, 0x0D); // the shelf's orange
inline const QColor AccentLight(0xFF, 0xD9, 0xA8);
inline const QColor AccentPale(0xFF, 0xF4, 0xE6);
inline const QColor AccentDark(0xD9, 0x74, 0x00);
inline const QColor Ink(0x33, 0x33, 0x33);
inline const QColor InkSoft(0x80, 0x80, 0x80);
inline const QColor Line(0xC8, 0xC8, 0xC8);
inline const QColor Pale(0xF6, 0xF6, 0xF6);
inline const QColor White(0xFF, 0xFF, 0xFF);
inline const QColor Blue(0x3A, 0x9B, 0xE8);
inline const QColor Green(0x4C, 0xB8, 0x6A);
inline const QColor Red(0xE8, 0x4C, 0x3D);
inline const QColor Gold(0xF5, 0xB8, 0x00);
inline const QColor Silver(0xB4, 0xBE, 0xC8);
inline const QColor Copper(0xC8, 0x7A, 0x45);

// The font of every text in the archive, sized in pixels.
QFont Font(double pixelSize, bool bold = false);
// Text centred in `rect`, shrunk until it fits the width.
void DrawFittedText(QPainter &p, const QRectF &rect, const QString &text, const QColor &color, double pixelSize,
                    bool bold = false);
// A rounded rectangle with the archive's corner radius for its height.
void FillRounded(QPainter &p, const QRectF &rect, const QColor &fill, const QColor &stroke = Qt::transparent,
                 double strokeWidth = 0);

} // namespace uipal
