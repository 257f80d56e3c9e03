#pragma once
// The sound and grading engines studyhost hands to the module, by
// `--audio auto|devices|none` (see AudioChoice.h): on audio devices, the
// device sound engine with score comments from the UI archive and a grading
// engine that records through it and grades with the scorer it is given.

#include "AudioChoice.h"
#include "HostServices.h"
#include "RecordingScorer.h"

#include <QString>

struct TStudyHostOptions;

struct THostSound
{
    // Empty when the host's own device-free engines are used.
    ISoundEnginePtr sound;
    IAudioEnginePtr grade;
    // Descriptions of the devices in use; empty without devices.
    QString outputName;
    QString inputName;
    QString line;  // what was chosen and why
    QString error; // set when the mode cannot be had
};

// "none" never looks at the machine's devices. On devices, recordings are
// graded by `scorer`.
THostSound MakeHostSound(TAudioMode mode, const TStudyHostOptions &options, TRecordingScorer scorer);
