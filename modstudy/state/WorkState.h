#pragma once
// What the study frame is busy with. Every wait, playback, recording and
// close request reads it: closing or returning waits until it is wsIdle.

enum TWorkState : int {
    wsBusy = 1,      // waiting for a reply or running a long task
    wsIdle = 2,      // nothing running; the state after construction
    wsRecording = 3, // recording and grading an attempt
    wsPlaying = 4,   // playing model audio
};
