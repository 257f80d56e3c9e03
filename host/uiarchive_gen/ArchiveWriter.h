#pragma once
// Writes the UI archive's folder tree from the picture list.

#include "PictureList.h"

#include <QString>

// Draws every entry of `entries` into `outDir` ("png\study\x.png" becomes
// "png/study/x.png"; folder names that differ only in case share the first
// spelling) and finishes with "index.txt", the archive names written, one a
// line. `outDir` is emptied first, but only when it is empty or carries the
// mark ".uiarchive-output" that every run writes first, or the "index.txt" of
// a complete run (a folder of anything else is never touched). Spoken entries are made with espeak-ng and
// encoded to MP3. Returns false and sets `error` on the first failure.
bool WriteUIArchive(const QList<TPictureEntry> &entries, const QString &outDir, QString &error);
