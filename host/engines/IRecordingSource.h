#pragma once
// What a grading engine needs of the sound engine that records for it: start
// a recording into a file, see whether it is still running (the learner or
// the module may stop it) and stop it so that the file is complete.

#include <QString>

class IRecordingSource
{
public:
    virtual ~IRecordingSource() = default;
    // Starts recording into `path`; false (and logged) when it cannot.
    virtual bool StartRecording(const QString &path) = 0;
    virtual bool IsRecording() const = 0;
    // The file of the running recording; empty when none runs.
    virtual QString RecordingPath() const = 0;
    // Ends the running recording and completes its file.
    virtual void StopRecording() = 0;
};
