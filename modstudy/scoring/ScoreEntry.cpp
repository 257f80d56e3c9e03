// The result views' entry points reached from the dispatcher.
//
// Playing the synthesised speech of a clicked word and uploading a shared
// recording are built with the score display and submission subsystems;
// until then each entry below logs that it was reached.

#include "StudyFrame.h"

#include "PendingWork.h"

void TStudyFrame::TtsAudioArrived(const QString &)
{
    LogPendingWork(QStringLiteral("TtsAudioArrived"), QStringLiteral("playing a word's speech"),
                   QStringLiteral("score display"));
}

void TStudyFrame::UploadAddressArrived(const QString &)
{
    LogPendingWork(QStringLiteral("UploadAddressArrived"), QStringLiteral("uploading the shared recording"),
                   QStringLiteral("score submission"));
}
