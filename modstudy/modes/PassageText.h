#pragma once
// The texts of a passage that passage reading and passage repeat show and
// grade against, the seconds a reading may take, and the name of a lesson's
// backup recording.

#include <QString>

class TeduPack_Lesson;

namespace PassageText {

// The passage of a lesson as shown and read: every sentence, part after
// part, spaced out by AddSpace with ", " and followed by one blank unless it
// ends in one; line breaks ("\r\n") removed.
QString ReadingText(const TeduPack_Lesson &lesson);
// The passage repeat grades against: every sentence spaced out by AddSpace
// with ", ", joined with nothing added between them.
QString RepeatText(const TeduPack_Lesson &lesson);
// A passage for the plain engine: line breaks removed, "..." made a blank.
QString PlainReference(const QString &text);
// A course passage for the stoppable engine: every sentence text followed
// by "\r\n".
QString SentenceLines(const TeduPack_Lesson &lesson);
// A material's passage for the stoppable engine: "\r\n" made a blank, then a
// line break after "...", "?", "." and "!" (replaced in this order, as the
// engine has always received it).
QString MaterialLines(const QString &text);
// Seconds a passage may be read: its word count times 0.6, rounded, plus 5
// (40 words -> 29, 50 words -> 35).
int PassageSeconds(const QString &text);
// The backup of a lesson's last reading: book, unit, lesson and first part
// ids joined by "-", and ".wav".
QString BackupName(qint64 bookId, qint64 unitId, qint64 lessonId, qint64 firstPartId);

} // namespace PassageText
