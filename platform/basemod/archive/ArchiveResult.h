#pragma once
// The outcome of every package archive operation: a kind the caller can act
// on and a message for the log.

#include "basemod_export.h"

#include <QString>

enum class TArchiveError {
    None,
    NotOpen,       // no package was opened (or opening failed)
    FileMissing,   // the package file does not exist or is not a regular file
    NotArchive,    // the file is not a 7z archive
    Truncated,     // the archive ends before its end (incomplete download)
    WrongPassword, // the archive is encrypted with another password
    NotFound,      // no file entry of the requested name
    Corrupt,       // the archive's content does not match its own listing
    ReaderMissing, // the archive reader program could not be started
    ReaderFailed,  // the reader ended with an error not listed above
    Timeout,       // the reader did not finish in time and was stopped
    Busy,          // the package is being read by a call further up the stack
    Closed,        // the package was closed while the call was waiting
    CacheFailed,   // the private cache of extracted entries could not be written or read
};

struct BASEMOD_EXPORT TArchiveResult
{
    TArchiveError error = TArchiveError::None;
    QString message;

    bool ok() const { return error == TArchiveError::None; }
    explicit operator bool() const { return ok(); }

    static TArchiveResult Ok() { return {}; }
    static TArchiveResult Fail(TArchiveError error, const QString &message) { return {error, message}; }
};

// Short English name of an error kind ("WrongPassword"), for logs and tests.
BASEMOD_EXPORT QString ArchiveErrorName(TArchiveError error);
