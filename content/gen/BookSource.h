#pragma once
// The readable source of a sample book: a lesson book (".book") or a word
// book (".words"), parsed into plain structures. The text formats are
// described in content/README.md.

#include <QList>
#include <QString>

struct TSourceLine
{
    QString speaker; // empty for narration
    QString picture; // the speaker's picture ("Boy.png"); empty for narration
    QString text;
};

struct TSourcePart
{
    QList<TSourceLine> lines;
};

struct TSourceLesson
{
    QString name;
    QList<TSourcePart> parts;
};

struct TSourceUnit
{
    QString name;
    QList<TSourceLesson> lessons;
};

struct TSourceWord
{
    QString content;
    QString phonetic;
    QString translate;
    QString example;
};

struct TSourceWordUnit
{
    QString name;
    QList<TSourceWord> words;
};

struct TLessonSource
{
    QList<TSourceUnit> units;
};

struct TWordSource
{
    QList<TSourceWordUnit> units;
};

// Parse the text of a lesson book. On failure returns false and `error` names
// the line ("line 12: unknown speaker 'Tim'"). A book must have at least one
// unit; every unit a lesson, every lesson a part and every part a line.
bool ParseLessonSource(const QString &text, TLessonSource &book, QString &error);

// Parse the text of a word book ("word | phonetic | meaning | example" lines
// under "unit:" lines). Same error reporting as ParseLessonSource.
bool ParseWordSource(const QString &text, TWordSource &book, QString &error);
