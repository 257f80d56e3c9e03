#pragma once
// Text settings shared by the text-showing controls, and text measurement as
// plain functions so that layout decisions can be checked without a window.

#include "studytoolkit_export.h"

#include <QFont>
#include <QSizeF>
#include <QString>

// Family every text control starts with; the study screens use the Chinese UI
// font throughout. Changing it affects controls created afterwards.
STUDYTOOLKIT_EXPORT QString DefaultFontFamily();
STUDYTOOLKIT_EXPORT void SetDefaultFontFamily(const QString &family);

enum class TTextAlign { Leading, Center, Trailing };

// Font style bits.
enum TFontStyle { fsNone = 0, fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font of `size` logical pixels (the em height) with the style bits.
STUDYTOOLKIT_EXPORT QFont MakeFont(const QString &family, double size, int style);

// Qt alignment flags for a horizontal and vertical alignment.
STUDYTOOLKIT_EXPORT Qt::Alignment ToQtAlignment(TTextAlign horz, TTextAlign vert);

// Size the text needs. With word wrap the lines break at `width` and the
// result keeps that width; without it the text takes its natural width (lines
// break only at line feeds); a width below one pixel counts as no wrap, so a
// text not yet given a width takes its natural size. An empty text still takes the height of one line,
// so a row of texts keeps its rhythm when one of them is blank.
STUDYTOOLKIT_EXPORT QSizeF MeasureText(const QString &text, const QFont &font, double width, bool wordWrap);
