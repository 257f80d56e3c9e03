#include "SentenceScore.h"

#include "ScoreRounding.h"

namespace StudyModes {

TeduPartScore SentenceScoreRecord(const TGradingResult &graded, const QString &resultText, qint64 sentenceId,
                                  qint64 userId)
{
    TeduPartScore record;
    record.Kind = QStringLiteral("L");
    record.PointCaseType = kSentencePointType;
    record.LessonId = 0;
    record.SentenceId = sentenceId;
    record.Score = graded.overall;
    record.ResultText = resultText;
    record.UserId = userId;
    record.Accuracy = Nearest(graded.accuracy);
    record.Integrity = Nearest(graded.integrity);
    record.Fluency = Nearest(graded.fluency);
    record.RefId = 0;
    record.Remark.clear();
    return record;
}

bool SentenceScoreIsSent(const TGradingResult &graded)
{
    return graded.graded && graded.overall > kSentenceSendAbove;
}

} // namespace StudyModes
