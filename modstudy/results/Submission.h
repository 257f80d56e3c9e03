#pragma once
// What a score submission and a share write and send, without a window: the
// score records of a passage and a word unit, the names of the retry files
// kept under "Fail\Study\" until the service confirms, the upload key and the
// share record file.

#include "JsonModel.h"

#include "TeduPartScore.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace Submission {

// The point type of a word unit's score (the record carries 3).
inline constexpr int kWordUnitPointType = 1;
inline constexpr int kWordUnitRecordType = 3;

// The score record of a shown passage: kind "S" when the document's
// "achiveType" is "S", else "L"; the point type; the lesson id; the rounded
// sum of the parts' "overall" (0 when the lesson has no parts); the whole
// document as result text; the user id; every other field 0 or empty.
TeduPartScore PassageScoreRecord(const TJson &document, qint64 lessonId, int lessonPartCount, int pointType,
                                 qint64 userId);
// The score record of a word unit: kind "W", type 3, the lesson id, the
// rounded average over the unit's words (0 without words), no result text.
TeduPartScore WordUnitScoreRecord(const TJson &document, qint64 lessonId, int unitWordCount, qint64 userId);

// The moment of a submission as "yymmddhhmmss".
QString TimeStamp(const QDateTime &moment);
// The stem uid + "-" + time + "-" + lesson id of a submission's retry files
// (".stypt", ".mp3") in `folder`. Two submissions within one second would
// get the same stem and overwrite each other's files; when a file of the
// stem exists already, the next second is taken until the stem is free, so
// that every name keeps the form the host's recovery reads.
QString RetryStem(const QString &folder, qint64 userId, const QDateTime &moment, qint64 lessonId);

// The upload key of a shared recording: "goodVoice/" + uid + "/" + file name.
QString ShareUploadKey(qint64 userId, const QString &mp3FileName);
// The MP3 made again for a share after the submitted one was deleted: the
// achievement id, "_" and the old file name, in the old folder.
QString RecreatedSharePath(const QString &mp3Path, qint64 achievementId);
// The share record file's text: the user id, the achievement id and the
// upload key, each on a line ended by CR LF.
QByteArray MatchFileText(qint64 userId, qint64 achievementId, const QString &uploadKey);

} // namespace Submission
