// The score history's entry point reached from the dispatcher.
//
// Showing a history page is built with the score history subsystem; until
// then the entry below logs that it was reached.

#include "StudyFrame.h"

#include "PendingWork.h"

void TStudyFrame::ScoreHistoryArrived(const QString &)
{
    LogPendingWork(QStringLiteral("ScoreHistoryArrived"), QStringLiteral("showing a score history page"),
                   QStringLiteral("score history"));
}
