// The figure animations of the course and study pages.
//
// Built with the scoring subsystem; until then the entry below logs that it
// was reached.

#include "StudyFrame.h"

#include "PendingWork.h"

void TStudyFrame::PlayWelcomeAni()
{
    LogPendingWork(QStringLiteral("PlayWelcomeAni"), QStringLiteral("the welcome animation"), QStringLiteral("scoring"));
}
