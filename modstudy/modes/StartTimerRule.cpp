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

} // namespace StudyModes
