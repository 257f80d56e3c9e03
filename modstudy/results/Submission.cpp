#include "Submission.h"

#include "ScoreDocuments.h"
#include "ScoreTotals.h"

#include <QDir>
#include <QFileInfo>

namespace Submission {

TeduPartScore PassageScoreRecord(const TJson &document, qint64 lessonId, int lessonPartCount, int pointType,
                                 qint64 userId)
{
    TeduPartScore record;
    record.Kind = PassageSubmissionKind(document);
    record.PointCaseType = pointType;
    record.LessonId = lessonId;
    record.Score = PassageSubmissionScore(document, lessonPartCount);
    record.ResultText = QString::fromStdString(document.dump());
    record.UserId = userId;
    return record;
}

TeduPartScore WordUnitScoreRecord(const TJson &document, qint64 lessonId, int unitWordCount, qint64 userId)
{
    TeduPartScore record;
    record.Kind = QStringLiteral("W");
    record.PointCaseType = kWordUnitRecordType;
    record.LessonId = lessonId;
    record.Score = WordUnitScore(document, unitWordCount);
    record.UserId = userId;
    return record;
}

QString TimeStamp(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyMMddHHmmss"));
}

QString RetryStem(const QString &folder, qint64 userId, const QDateTime &moment, qint64 lessonId)
{
    const QDir dir(folder);
    QDateTime at = moment;
    for (;;) {
        const QString stem = QStringLiteral("%1-%2-%3").arg(userId).arg(TimeStamp(at)).arg(lessonId);
        if (!QFileInfo::exists(dir.filePath(stem + QStringLiteral(".stypt")))
            && !QFileInfo::exists(dir.filePath(stem + QStringLiteral(".mp3"))))
            return stem;
        at = at.addSecs(1);
    }
}

QString ShareUploadKey(qint64 userId, const QString &mp3FileName)
{
    return QStringLiteral("goodVoice/%1/%2").arg(userId).arg(mp3FileName);
}

QString RecreatedSharePath(const QString &mp3Path, qint64 achievementId)
{
    const QFileInfo info(mp3Path);
    return QDir(info.path()).filePath(QString::number(achievementId) + QLatin1Char('_') + info.fileName());
}

QByteArray MatchFileText(qint64 userId, qint64 achievementId, const QString &uploadKey)
{
    return QByteArray::number(userId) + "\r\n" + QByteArray::number(achievementId) + "\r\n" + uploadKey.toUtf8()
           + "\r\n";
}

} // namespace Submission
