#pragma once
// File helpers of the base package: folders and files in use.

#include "basemod_export.h"

#include <QString>

// Creates the folder `path` with every missing level ("\" accepted as a
// separator). True when the folder exists afterwards.
BASEMOD_EXPORT bool ForceDirectories(const QString &path);

// Deletes every file (and symbolic link) directly inside `folder`; the folder
// itself and its sub-folders stay. A missing folder is fine. True when every
// file could be deleted.
BASEMOD_EXPORT bool DeleteAllFile(const QString &folder);

// True while the file at `path` is not ready to be read whole by someone
// else, that is when any of these holds:
//  - this process is still writing it through the base package (the MP3
//    encoder marks its target from start to end, see TFileWriteMark);
//  - a process of this user has it open for writing;
//  - another open file description holds an exclusive or shared lock on it
//    (flock), so it cannot be locked exclusively now.
// A file marked by this process is in use even before it exists; any other
// file that does not exist is not in use.
BASEMOD_EXPORT bool IsFileInUse(const QString &path);

// Marks a file as being written by this process for as long as the object
// lives (IsFileInUse reports it). Marks nest: the same file may be marked
// twice and stays marked until both are gone.
class BASEMOD_EXPORT TFileWriteMark
{
public:
    explicit TFileWriteMark(const QString &path);
    ~TFileWriteMark();
    TFileWriteMark(const TFileWriteMark &) = delete;
    TFileWriteMark &operator=(const TFileWriteMark &) = delete;

    // True when another mark for the same file existed when this one was made.
    bool wasAlreadyMarked() const { return FAlreadyMarked; }

private:
    QString FKey;
    bool FAlreadyMarked = false;
};
