#pragma once
// The score record of a passage, sentence or word-unit attempt.
//
// Its text form (AsString) is the score message sent to the host; the
// service answers it with code 42. Members, in this order:
//
//   "apiCode"        41
//   "type"           kind letter: "L" lesson passage or sentence, "S" passage
//                    of a special achievement type, "W" word unit
//   "pointCaseType"  study type (1 word, 2 sentence, 3 word unit, 5 passage
//                    reading, 7 passage repeat)
//   "lessonId"       item id: the lesson (or unit) the score belongs to
//   "sentenceId"     the sentence of a sentence score, else 0
//   "score"          overall score, 0-100
//   "result"         the whole grading result or score document, as text
//   "uid"            the user's id
//   "accuracy", "integrity", "fluency"   partial scores (integers)
//   "refId"          64-bit reference to a related service object, 0 when none
//   "remark"         free text, usually empty
//
// Ids are 64-bit integers. Reading accepts the forgiving forms of the JSON
// model (numbers as strings, "result" as embedded object or as text).

#include "basemod_export.h"

#include "JsonModel.h"

#include <QString>

class BASEMOD_EXPORT TeduPartScore
{
public:
    static constexpr int kApiCode = 41;

    QString Kind = QStringLiteral("L");
    int PointCaseType = 0;
    qint64 LessonId = 0;
    qint64 SentenceId = 0;
    double Score = 0.0;
    QString ResultText;
    qint64 UserId = 0;
    int Accuracy = 0;
    int Integrity = 0;
    int Fluency = 0;
    qint64 RefId = 0;
    QString Remark;

    // The message object, members in the order above.
    TJson AsJson() const;
    // Compact JSON text of AsJson.
    QString AsString() const;
    // Fills every field from a score message; members that are missing read
    // as empty/0 ("type" as "L"). False when the text is not a JSON object.
    bool LoadFromString(const QString &text);
    // Writes AsString as UTF-8 (no byte-order mark) to `path`, creating its
    // folder and replacing an existing file only once the new content is
    // complete. False on any failure.
    bool SaveToUTF8File(const QString &path) const;
    // Reads a file written by SaveToUTF8File.
    bool LoadFromUTF8File(const QString &path);
};
