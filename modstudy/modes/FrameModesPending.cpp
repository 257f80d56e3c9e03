// Role play as far as it goes today.
//
// Its view is created and wired by a mode switch; the dialogue itself is
// not built yet, so each action logs that it was reached and leaves the
// frame idle. Nothing here plays, records or changes WorkState.

#include "StudyFrame.h"

#include "PendingWork.h"

#include "TTimer.h"

namespace {
const QString kRole = QStringLiteral("role play");

void Pending(const char *member, const QString &subsystem)
{
    LogPendingWork(QString::fromLatin1(member), QStringLiteral("this action"), subsystem);
}
} // namespace

void TStudyFrame::RolePlayMethod(TControl *)
{
    Pending("RolePlayMethod", kRole);
}

void TStudyFrame::PlayRecordMethod()
{
    Pending("PlayRecordMethod", kRole);
}

void TStudyFrame::Rectangle_SelectRoleMouseDown(TControl *)
{
    Pending("Rectangle_SelectRoleMouseDown", kRole);
}

void TStudyFrame::RectangleConfirmOnClick()
{
    Pending("RectangleConfirmOnClick", kRole);
}

void TStudyFrame::RectangleEndPlayMouseUp()
{
    Pending("RectangleEndPlayMouseUp", kRole);
}

void TStudyFrame::RectangleReselectRoleMouseUp()
{
    Pending("RectangleReselectRoleMouseUp", kRole);
}

void TStudyFrame::PlayStartRecordOnClick()
{
    Pending("PlayStartRecordOnClick", kRole);
}

void TStudyFrame::SoundPlayFinished()
{
    isPlayPause = false;
    isPlayFinish = true;
}

void TStudyFrame::Timer_PartContinueTimer()
{
    Timer_PartContinue->SetEnabled(false);
    Pending("Timer_PartContinueTimer", QStringLiteral("continuing a passage reading"));
}

void TStudyFrame::Timer_RolePlayContinueTimer()
{
    Timer_RolePlayContinue->SetEnabled(false);
    Pending("Timer_RolePlayContinueTimer", kRole);
}
