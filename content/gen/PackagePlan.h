#pragma once
// What goes into one book package: its "data.json" and every picture and
// audio entry that the description names, with what each entry is made from.
//
// Ids are derived from the book id so that they stay stable while the
// sources grow: unit = book*100 + unit number, lesson = unit*10 + lesson
// number, part = lesson*10 + part number, sentence = book*10000 + running
// number; in word books word = book*1000 + running number.

#include "BookSource.h"

#include <QList>
#include <QString>

#include <nlohmann/json.hpp>

// One model-audio entry: the text spoken and the voice that speaks it.
struct TAudioEntry
{
    QString entry; // path inside the package
    QString text;
    QString voice; // a voice of the speech program ("en-us+f4")
    int pitch = 50;
};

enum class TPictureKind { Lesson, Word };

struct TPictureEntry
{
    QString entry; // path inside the package, with extension
    TPictureKind kind = TPictureKind::Lesson;
    QString title;   // the lesson title, or the word
    QString caption; // under the title: the unit name, or the word's meaning
};

struct TPackagePlan
{
    nlohmann::ordered_json data; // the "data.json" object
    QList<TAudioEntry> audio;
    QList<TPictureEntry> pictures;
};

struct TBookHeader
{
    qint64 bookId = 0;
    QString bookName;
    QString version;
};

// The voice and pitch for a speaker picture ("Man.png", "Girl.png", ...);
// narration (empty picture) gets the plain voice.
void VoiceForSpeaker(const QString &picture, QString &voice, int &pitch);

// File name stem of a word's example audio: "?" becomes "-", double quotes
// are dropped, "." and ":" become "_", then the text is trimmed.
QString ExampleAudioStem(const QString &example);

TPackagePlan PlanLessonBook(const TBookHeader &header, const TLessonSource &book);
TPackagePlan PlanWordBook(const TBookHeader &header, const TWordSource &book);
