// The study frame's score members, and the result views' entry points
// reached from the dispatcher.
//
// Playing the synthesised speech of a clicked word is built with the score
// display; until then its entry logs that it was reached.

#include "StudyFrame.h"

#include "PendingWork.h"
#include "ScoreTotals.h"

double TStudyFrame::GetSingleWordScore(const QString &entryText) const
{
    return SingleWordScore(entryText);
}

void TStudyFrame::Msg_TtsAudioUrl(const QString &)
{
    LogPendingWork(QStringLiteral("Msg_TtsAudioUrl"), QStringLiteral("playing a word's speech"),
                   QStringLiteral("score display"));
}
