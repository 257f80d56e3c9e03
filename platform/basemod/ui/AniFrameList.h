#pragma once
// The frame list of an animation in the UI archive.
//
// An animation lives in a folder of the archive, e.g. "ani\ExpEffect\", whose
// "filelist.txt" names its frames: one PNG file name per line, relative to
// that folder, in play order. The file is UTF-8 (a byte-order mark is
// allowed), lines may end in CR LF, and surrounding blanks are ignored, as are
// empty lines and lines starting with "#". One optional line "sound:<file>"
// names a sound in the same folder that plays when the animation starts.
// Names that would leave the folder ("..", a leading "\" or a drive) are
// skipped.

#include "basemod_export.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct TAniFrameList
{
    QStringList frames; // file names relative to the list's folder
    QString sound;      // relative file name, empty when the animation is silent
};

BASEMOD_EXPORT TAniFrameList ParseAniFrameList(const QByteArray &text);

// The text of a frame list, in the syntax ParseAniFrameList reads.
BASEMOD_EXPORT QByteArray FormatAniFrameList(const TAniFrameList &list);

// The archive name of a file listed in the frame list `listName`: the list's
// folder, a "\" and the entry, with "/" written as "\".
BASEMOD_EXPORT QString AniEntryName(const QString &listName, const QString &entry);

// The frame list of the animation folder `name` under "ani\":
// "ani\" + name + "\filelist.txt".
BASEMOD_EXPORT QString AniListName(const QString &name);
