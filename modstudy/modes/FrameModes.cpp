// The study modes' entry points reached from the frame.
//
// Returning from a mode, the start timers of play, record and replay and the
// passage backups are built with the lesson study modes subsystem; until then
// each entry below logs that it was reached (a mode timer also switches
// itself off, so that it does not tick on).

#include "StudyFrame.h"

#include "PendingWork.h"

#include "TTimer.h"

namespace {
const QString kModes = QStringLiteral("lesson study modes");
}

void TStudyFrame::ModeFrameReturnUp()
{
    LogPendingWork(QStringLiteral("ModeFrameReturnUp"), QStringLiteral("returning from a study mode"), kModes);
}

void TStudyFrame::StudyModeTimerTick(TTimer *sender)
{
    sender->SetEnabled(false);
    LogPendingWork(QStringLiteral("StudyModeTimerTick"), sender->Name(), kModes);
}

void TStudyFrame::DeleteBackupsFile(const nlohmann::ordered_json &)
{
    LogPendingWork(QStringLiteral("DeleteBackupsFile"), QStringLiteral("deleting passage backups"), kModes);
}
