// The ticks of the study-mode timers: the switch and return timers, the
// continuation timers of passage reading and role play, and the ten start
// timers of play, record and replay, which all follow one rule
// (StartTimerRule.h).

#include "StudyFrame.h"

#include "StartTimerRule.h"
#include "StudyPlayFrame.h"

#include "TRectangle.h"

#include "TTimer.h"

using namespace StudyModes;

namespace {
struct TStartTimer
{
    TTimer *TStudyFrame::*timer;
    TStartWanted wanted;
    void (*run)(TStudyFrame &);
};

// The start timers, each with the state it waits for and the action it runs.
const TStartTimer kStartTimers[] = {
    {&TStudyFrame::Timer_SentencePlay, TStartWanted::Idle, [](TStudyFrame &f) { f.SentencePlayMethod(); }},
    {&TStudyFrame::Timer_SentenceRecord, TStartWanted::NotPlaying, [](TStudyFrame &f) { f.SentenceRecordMethod(); }},
    {&TStudyFrame::Timer_SentenceReplay, TStartWanted::Idle, [](TStudyFrame &f) { f.SentenceReplayMethod(); }},
    {&TStudyFrame::Timer_PartPlay, TStartWanted::Idle, [](TStudyFrame &f) { f.PartPlayMethod(); }},
    {&TStudyFrame::Timer_PartRecord, TStartWanted::NotPlaying, [](TStudyFrame &f) { f.PartRecordMethod(); }},
    {&TStudyFrame::Timer_PartReplay, TStartWanted::Idle, [](TStudyFrame &f) { f.PartReplayMethod(); }},
    {&TStudyFrame::Timer_RepeatPlay, TStartWanted::Idle, [](TStudyFrame &f) { f.RepeatPlayMethod(); }},
    {&TStudyFrame::Timer_RepeatRecord, TStartWanted::NotPlaying, [](TStudyFrame &f) { f.RepeatRecordMethod(); }},
    {&TStudyFrame::Timer_RepeatReplay, TStartWanted::Idle, [](TStudyFrame &f) { f.RepeatReplayMethod(); }},
    {&TStudyFrame::Timer_RolePlay, TStartWanted::Idle, [](TStudyFrame &f) { f.RolePlayMethod(f.RoleSender); }},
};
} // namespace

void TStudyFrame::StudyModeTimerTick(TTimer *sender)
{
    if (sender == Timer_ChangeMode)
        return Timer_ChangeModeTimer();
    if (sender == Timer_Return)
        return Timer_ReturnTimer();
    if (sender == Timer_PartContinue)
        return Timer_PartContinueTimer();
    if (sender == Timer_RolePlayContinue)
        return Timer_RolePlayContinueTimer();
    if (sender == Timer_PlayRecord)
        return Timer_PlayRecordTimer();

    for (const TStartTimer &t : kStartTimers) {
        if (this->*t.timer != sender)
            continue;
        switch (DecideStart(t.wanted, WorkState, TStartFlags{bCloseForm, isStudyModeReturn, isStudyModeChange})) {
        case TStartStep::Run:
            // The action runs from the event loop rather than inside this
            // tick: a timer's tick is not delivered while its own handler
            // runs, and a record timer must tick again during the recording
            // it started (a second click on the microphone ends it). The
            // rule is applied again then, as a click or another timer may
            // have come in between.
            sender->SetEnabled(false);
            QMetaObject::invokeMethod(
                this,
                [this, &t, name = sender->Name()] {
                    RunHandler(name, [this, &t] {
                        switch (DecideStart(t.wanted, WorkState,
                                            TStartFlags{bCloseForm, isStudyModeReturn, isStudyModeChange})) {
                        case TStartStep::Run:
                            bStop = false;
                            t.run(*this);
                            break;
                        case TStartStep::Drop: break;
                        case TStartStep::StopRunning: (this->*t.timer)->SetEnabled(true); break;
                        }
                    });
                },
                Qt::QueuedConnection);
            return;
        case TStartStep::Drop: sender->SetEnabled(false); return;
        case TStartStep::StopRunning:
            bStop = true;
            if (FSoundEngine) {
                FSoundEngine->StopPlay();
                if (StopsRecording(t.wanted))
                    FSoundEngine->StopRecord();
            }
            return;
        }
    }
    sender->SetEnabled(false);
}

void TStudyFrame::Timer_PlayRecordTimer()
{
    const bool learnersTurn = StudyPlayFrame && StudyPlayFrame->Rectangle_NoticeBackground->Visible();
    switch (DecideAnswerStart(WorkState, bStop, TStartFlags{bCloseForm, isStudyModeReturn, isStudyModeChange},
                              learnersTurn)) {
    case TStartStep::Run:
        Timer_PlayRecord->SetEnabled(false);
        // From the event loop, as the other start timers do, so that a second
        // click can tick this timer again during the answer.
        QMetaObject::invokeMethod(
            this, [this] { RunHandler(QStringLiteral("Timer_PlayRecord"), [this] { PlayRecordMethod(); }); },
            Qt::QueuedConnection);
        return;
    case TStartStep::Drop: Timer_PlayRecord->SetEnabled(false); return;
    case TStartStep::StopRunning:
        if (FSoundEngine)
            FSoundEngine->StopPlay();
        return;
    }
}
