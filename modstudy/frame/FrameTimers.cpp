// The frame's timers: creation (all disabled, with their intervals) and the
// handlers of the shelf request, the close answer, opening a course and
// starting an assignment. The start timers of the study modes hand their
// ticks to the study modes.

#include "StudyFrame.h"

#include "RequestWait.h"
#include "Requests.h"

#include "TTimer.h"
#include "TeduLastAssignMent.h"

#include <QTimer>

TTimer *TStudyFrame::MakeTimer(const QString &name, int intervalMs, void (TStudyFrame::*handler)())
{
    auto *timer = new TTimer(this, false, intervalMs);
    timer->SetName(name);
    connect(timer, &TTimer::Timer, this,
            [this, handler, name](TTimer *) { RunHandler(name, [this, handler] { (this->*handler)(); }); });
    return timer;
}

TTimer *TStudyFrame::MakeModeTimer(const QString &name, int intervalMs)
{
    auto *timer = new TTimer(this, false, intervalMs);
    timer->SetName(name);
    connect(timer, &TTimer::Timer, this,
            [this, name](TTimer *sender) { RunHandler(name, [this, sender] { StudyModeTimerTick(sender); }); });
    return timer;
}

void TStudyFrame::CreateTimers()
{
    Timer_QueryAllBook = MakeTimer(QStringLiteral("Timer_QueryAllBook"), 400, &TStudyFrame::Timer_QueryAllBookTimer);
    Timer_MyCourse = MakeTimer(QStringLiteral("Timer_MyCourse"), 50, &TStudyFrame::Timer_MyCourseTimer);
    Timer_Assignment = MakeTimer(QStringLiteral("Timer_Assignment"), 50, &TStudyFrame::Timer_AssignmentTimer);
    Timer_Close = MakeTimer(QStringLiteral("Timer_Close"), 200, &TStudyFrame::Timer_CloseTimer);
    // Returning from and switching study modes, continuing a passage and the
    // one-shot start timers of play, record and replay belong to the modes.
    Timer_Return = MakeModeTimer(QStringLiteral("Timer_Return"), 200);
    Timer_ChangeMode = MakeModeTimer(QStringLiteral("Timer_ChangeMode"), 200);
    Timer_PartContinue = MakeModeTimer(QStringLiteral("Timer_PartContinue"), 500);
    Timer_SentencePlay = MakeModeTimer(QStringLiteral("Timer_SentencePlay"), 10);
    Timer_SentenceRecord = MakeModeTimer(QStringLiteral("Timer_SentenceRecord"), 10);
    Timer_SentenceReplay = MakeModeTimer(QStringLiteral("Timer_SentenceReplay"), 10);
    Timer_PartPlay = MakeModeTimer(QStringLiteral("Timer_PartPlay"), 10);
    Timer_PartRecord = MakeModeTimer(QStringLiteral("Timer_PartRecord"), 10);
    Timer_PartReplay = MakeModeTimer(QStringLiteral("Timer_PartReplay"), 10);
    Timer_RepeatPlay = MakeModeTimer(QStringLiteral("Timer_RepeatPlay"), 10);
    Timer_RepeatRecord = MakeModeTimer(QStringLiteral("Timer_RepeatRecord"), 10);
    Timer_RepeatReplay = MakeModeTimer(QStringLiteral("Timer_RepeatReplay"), 10);
    Timer_RolePlay = MakeModeTimer(QStringLiteral("Timer_RolePlay"), 10);
    Timer_RolePlayContinue = MakeModeTimer(QStringLiteral("Timer_RolePlayContinue"), 10);
    Timer_PlayRecord = MakeModeTimer(QStringLiteral("Timer_PlayRecord"), 10);
}

void TStudyFrame::Timer_QueryAllBookTimer()
{
    Timer_QueryAllBook->SetEnabled(false);
    // A host that asked the module to close (or switch) before the first
    // tick gets no request after the module's answer.
    if (bCloseForm)
        return;
    const TRequestIdentity who{Uid(), SchoolUserId()};
    TRequestWait wait(
        ShelfRequestWait(), [this, who] { SendRequest(Request::QueryALLBooks(who)); }, bResponse, bStop,
        [this](TWorkState state) { WorkState = state; }, [this](const QString &text) { ShowInfo(text); }, this);
    bShelfRequestWaiting = true;
    if (wait.Run() == TRequestWaitEnd::Gone)
        return;
    bShelfRequestWaiting = false;
    if (bShelfFollowUpPending)
        PostShelfFollowUp();
}

void TStudyFrame::PostShelfFollowUp()
{
    QTimer::singleShot(0, this,
                       [this] { RunHandler(QStringLiteral("ShelfFollowUp"), [this] { RunShelfFollowUp(); }); });
}

void TStudyFrame::RunShelfFollowUp()
{
    if (!bShelfFollowUpPending)
        return;
    bShelfFollowUpPending = false;
    if (bStop)
        return;
    if (isAssignmentSkip) {
        QueryPackageVersion(AssignmentUnitId, LastAssignMent ? LastAssignMent->courseType : QString(), true);
    } else if (isUsually_Skip) {
        isUsually_Skip = false;
        if (UsuallyLessonId_Skip > 0) {
            const int index = FindBook(UserBooks_Usually, UsuallyName_Skip, UsuallyLessonId_Skip);
            if (index >= 0)
                StudyMyCourse_UsuallyMouseUp(UserBooks_Usually.at(index), Qt::LeftButton, 5, 5);
        }
        UsuallyLessonId_Skip = 0;
    }
}

void TStudyFrame::Timer_MyCourseTimer()
{
    // Another course is still being opened (its decode or its question keeps
    // events running): this one follows at a later tick.
    if (!isAllowOperate)
        return;
    Timer_MyCourse->SetEnabled(false);
    EnterMyCourse();
}

void TStudyFrame::Timer_AssignmentTimer()
{
    Timer_Assignment->SetEnabled(false);
    StartAssignment();
}

void TStudyFrame::Timer_CloseTimer()
{
    // Waits until every playback, recording and request wait has ended.
    if (WorkState != wsIdle)
        return;
    Timer_Close->SetEnabled(false);
    SendJob(Request::CloseAnswer(ExitMode));
}
