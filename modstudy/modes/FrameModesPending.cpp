// Passage reading, passage repeat and role play as far as they go today.
//
// Their views are created and wired by a mode switch, and their buttons
// start their timers as in sentence practice; the actions themselves
// (reading a passage part by part, repeating it, the dialogue) are not built
// yet, so each logs that it was reached and leaves the frame idle. Nothing
// here plays, records or changes WorkState.

#include "StudyFrame.h"

#include "PendingWork.h"

#include "TTimer.h"

namespace {
const QString kPassage = QStringLiteral("passage reading");
const QString kRepeat = QStringLiteral("passage repeat");
const QString kRole = QStringLiteral("role play");

void Pending(const char *member, const QString &subsystem)
{
    LogPendingWork(QString::fromLatin1(member), QStringLiteral("this action"), subsystem);
}
} // namespace

void TStudyFrame::PartButton_ListenOnClick()
{
    bStop = false;
    Timer_PartPlay->SetEnabled(true);
}

void TStudyFrame::PartButton_RecordOnClick()
{
    bStop = false;
    Timer_PartRecord->SetEnabled(true);
}

void TStudyFrame::PartButton_ReplayOnClick()
{
    bStop = false;
    Timer_PartReplay->SetEnabled(true);
}

void TStudyFrame::RepeatButton_ListenOnClick()
{
    bStop = false;
    Timer_RepeatPlay->SetEnabled(true);
}

void TStudyFrame::RepeatButton_RecordOnClick()
{
    bStop = false;
    Timer_RepeatRecord->SetEnabled(true);
}

void TStudyFrame::RepeatButton_ReplayOnClick()
{
    bStop = false;
    Timer_RepeatReplay->SetEnabled(true);
}

void TStudyFrame::PartPlayMethod()
{
    Pending("PartPlayMethod", kPassage);
}

void TStudyFrame::PartRecordMethod()
{
    Pending("PartRecordMethod", kPassage);
}

void TStudyFrame::PartReplayMethod()
{
    Pending("PartReplayMethod", kPassage);
}

void TStudyFrame::RepeatPlayMethod()
{
    Pending("RepeatPlayMethod", kRepeat);
}

void TStudyFrame::RepeatRecordMethod()
{
    Pending("RepeatRecordMethod", kRepeat);
}

void TStudyFrame::RepeatReplayMethod()
{
    Pending("RepeatReplayMethod", kRepeat);
}

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
    Pending("Timer_PartContinueTimer", kPassage);
}

void TStudyFrame::Timer_RolePlayContinueTimer()
{
    Timer_RolePlayContinue->SetEnabled(false);
    Pending("Timer_RolePlayContinueTimer", kRole);
}
