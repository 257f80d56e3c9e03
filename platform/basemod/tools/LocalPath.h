#pragma once
// Local working paths under the main path.
//
// Every working file lives under the main path (the host executable's
// folder) and is named with Windows-style relative names such as
// "tmp\temp.wav", "Data\x.mp3" or "tmp\study\Role\1.wav". File and folder
// names are compared without regard to case, so "data\" and "Data\" must be
// one folder on a case-sensitive file system too.

#include "basemod_export.h"

#include <QString>

// The real path of `relative` under `mainPath`, with "/" separators.
//
// "\" and "/" both separate segments in either argument; empty and "."
// segments are skipped. Each segment is resolved against what exists on disk,
// ignoring case: an existing entry's spelling is reused (the exact spelling
// when it exists, else the all-lower-case one, else the first in name
// order). A segment with no existing match keeps its own spelling, except the
// working folders "config", "data", "pics", "book", "tmp", "part", "study",
// "role", "backups" and "fail", which are created lower-case, so that every
// spelling of them leads to one folder. A trailing separator is kept.
//
// A ".." segment would leave the main path: the result is then empty. An
// empty main path stands for the current folder (".").
BASEMOD_EXPORT QString LocalPath(const QString &mainPath, const QString &relative);

// The local file name for a download or upload address: without query
// ("?...") and fragment ("#..."), every "/" turned into "\", the part after
// the last "\". "a/b/c.7z" and "a\b\c.7z" both give "c.7z".
//
// Returns an empty text for a name that cannot be stored safely: an empty
// name (the address ends with a separator), ".", "..", a name of blanks only,
// or one containing a control character or ":".
BASEMOD_EXPORT QString LocalNameFromUrl(const QString &url);

// True when `name` is usable as a single file name inside a working folder
// (the rules of LocalNameFromUrl).
BASEMOD_EXPORT bool IsSafeLocalName(const QString &name);
