// Submitting a shown passage or word-unit result: the score record, the
// failure file kept until the service confirms, the recording's upload.
//
// Not built yet: the entry point logs that it was reached and leaves the
// frame idle, so that the result views can call it already.

#include "StudyFrame.h"

#include "PendingWork.h"

void TStudyFrame::SendPartScore(qint64, int, const QString &, int PointType)
{
    LogPendingWork(QStringLiteral("SendPartScore"),
                   QStringLiteral("submitting the score of point type ") + QString::number(PointType),
                   QStringLiteral("score submission"));
    WorkState = wsIdle;
}
