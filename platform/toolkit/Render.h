#pragma once
// Rendering a widget (and its children) to a picture without a screen.

#include "studytoolkit_export.h"

#include <QImage>
#include <QString>

class QWidget;

// The widget's picture at its current size, with transparent background
// where nothing is painted. Works for widgets never shown.
STUDYTOOLKIT_EXPORT QImage RenderToImage(QWidget *w);
// Writes that picture as PNG; false when the widget is null or empty or the
// file cannot be written.
STUDYTOOLKIT_EXPORT bool RenderToPng(QWidget *w, const QString &path);
