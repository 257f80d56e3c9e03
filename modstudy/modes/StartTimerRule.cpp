#include "StartTimerRule.h"

namespace StudyModes {

TStartStep DecideStart(TStartWanted wanted, TWorkState state, const TStartFlags &flags)
{
    const bool leaving = flags.closing || flags.returning || flags.switching;
    const bool ready = wanted == TStartWanted::Idle ? state == wsIdle : state != wsPlaying;
    if (ready && !leaving)
        return TStartStep::Run;
    if (leaving)
        return TStartStep::Drop;
    return TStartStep::StopRunning;
}

TStartStep DecideAnswerStart(TWorkState state, bool stop, const TStartFlags &flags, bool learnersTurn)
{
    const bool leaving = flags.closing || flags.returning || flags.switching;
    if (state != wsPlaying && !stop && !leaving && learnersTurn)
        return TStartStep::Run;
    if (stop || leaving)
        return TStartStep::Drop;
    if (state == wsRecording)
        return TStartStep::Run;
    return TStartStep::StopRunning;
}

} // namespace StudyModes
