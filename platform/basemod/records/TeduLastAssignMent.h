#pragma once
// A teacher's assignment pushed by the host (the "content" of notice 10000).
//
// Content format (JSON text):
//
//   {"courseType": "L",
//    "assignments": [
//       {"assignmentId": 7, "unitId": 12, "lessonId": 34, "title": "..."},
//       ...]}
//
// "courseType" is "W" for a word book and "L" (or another letter) for a
// textbook; each entry names the unit and, for a textbook, the lesson to do
// (lessonId 0 for a whole word unit). Ids are 64-bit. Also accepted, because
// hosts send them: a bare array of entries; entry members spelled in lower
// case ("assignmentid", "unitid", "lessonid") as in the assignment details;
// a "courseType" given on the entries only (the first one counts); the
// content given as a string holding the JSON text.

#include "basemod_export.h"

#include "JsonModel.h"

#include <QList>
#include <QString>

struct TeduLastAssignItem
{
    qint64 assignmentId = 0;
    qint64 unitId = 0;
    qint64 lessonId = 0;
    QString title;
};

class BASEMOD_EXPORT TeduLastAssignMent
{
public:
    QString courseType;
    QList<TeduLastAssignItem> Items;

    // Replaces the content with the one in `text`. Returns false (and leaves
    // the assignment empty) when the text is not in the format above; entries
    // that are not objects are skipped.
    bool SetJson(const QString &text);
    // The content in the format above (canonical member names).
    QString AsJsonText() const;

    int Count() const { return static_cast<int>(Items.size()); }
    // Unit id of the first entry; 0 when there is none.
    qint64 FirstUnitId() const;
    bool HasUnit(qint64 unitId) const;
    bool HasLesson(qint64 lessonId) const;
};
