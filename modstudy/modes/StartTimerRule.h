#pragma once
// The rule every start timer of the study modes follows on each tick.
//
// A play, record or replay is never started by its button: the button
// enables a 10 ms timer, and the timer starts the action only when the frame
// is in the state the action wants and nothing is closing, returning or
// switching. Until then each tick asks the running work to wind down, so the
// action starts on the first tick after it has ended.

#include "WorkState.h"

namespace StudyModes {

// The state a start timer waits for.
enum class TStartWanted {
    Idle,       // play, replay, role play: nothing plays or records
    NotPlaying, // record: may start while a recording runs, so that a second
                // click on the microphone reaches the record method at once
};

// What a tick does.
enum class TStartStep {
    Run,         // clear bStop, disable the timer, run the mode method
    Drop,        // disable the timer: the action is dropped
    StopRunning, // set bStop and stop playback (and, for a timer that waits
                 // for idle, recording); the timer stays enabled
};

struct TStartFlags
{
    bool closing = false;   // bCloseForm
    bool returning = false; // isStudyModeReturn
    bool switching = false; // isStudyModeChange
};

TStartStep DecideStart(TStartWanted wanted, TWorkState state, const TStartFlags &flags);

// The answer timer of role play follows a rule of its own: it runs when
// nothing plays, no stop is asked, nothing is leaving and it is the learner's
// turn (the notice shows); it is dropped when a stop is asked or the module
// is leaving; it runs during the learner's recording too (a second click on
// the microphone ends it); otherwise it stops playback (StopRunning, without
// touching bStop) and tries again.
TStartStep DecideAnswerStart(TWorkState state, bool stop, const TStartFlags &flags, bool learnersTurn);

// Whether the StopRunning step also stops recording: only timers that wait
// for idle do; a record timer stops playback only.
inline bool StopsRecording(TStartWanted wanted)
{
    return wanted == TStartWanted::Idle;
}

} // namespace StudyModes
