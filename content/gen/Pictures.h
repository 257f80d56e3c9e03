#pragma once
// Illustrations of the sample content, drawn with QPainter in one flat style:
// a soft coloured background, a few simple shapes and the title in large
// type. Colours are derived from the title so that every picture differs.

#include <QColor>
#include <QImage>
#include <QString>

// A lesson picture (480 x 300): scene with sun and hills, the lesson title
// and, smaller, the unit name.
QImage DrawLessonPicture(const QString &title, const QString &caption);
// A word card picture (300 x 300): the word and its meaning.
QImage DrawWordPicture(const QString &word, const QString &meaning);
// A shelf tile (150 x 200) in the given colour with the course name.
QImage DrawTilePicture(const QString &name, const QColor &colour, const QString &badge);
// A teaching material's picture (400 x 260) with its title.
QImage DrawMaterialPicture(const QString &title, const QColor &colour);

// A pleasant colour picked by the hash of a text.
QColor ColourFor(const QString &text);
