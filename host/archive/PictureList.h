#pragma once
// The readable list the UI archive is generated from (content/ui/pictures.txt).
//
// One entry a line, fields separated by blanks:
//   <kind> <archive name> <width>x<height> <look> [<rest of the line>]
// kind "pic"   one PNG picture; the rest is the text drawn on it (may be empty)
//      "strip" one PNG holding a row of equal frames; the rest is "frames=N"
//      "ani"   a folder of PNG frames "0001.png", ... with its "filelist.txt";
//              the archive name is the folder ("ani\ExpEffect"); the rest is
//              "frames=N" and optionally "sound=<file in the folder>"
//      "snd"   a spoken MP3; the size and look are "-"; the rest is the words
// Empty lines and lines starting with "#" are ignored.

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

#include <optional>

enum class TPictureKind { Picture, Strip, Animation, Sound };

struct TPictureEntry
{
    TPictureKind kind = TPictureKind::Picture;
    QString name;   // archive name, Windows-style
    QSize size;     // pixels of one picture or frame; empty for a sound
    QString look;   // drawing style of the generator
    QString text;   // picture text or spoken words
    int frames = 1; // frames of a strip or animation
    QString sound;  // sound file of an animation, relative to its folder
    int line = 0;   // 1-based line in the list
};

// Parses the list. On the first malformed line returns nullopt and sets
// `error` to "line N: reason". Duplicate names (compared without regard to
// case) are malformed too.
std::optional<QList<TPictureEntry>> ParsePictureList(const QByteArray &text, QString *error = nullptr);

// Archive name of frame `index` (0-based) of an animation entry:
// "<folder>\0001.png", ...
QString AnimationFrameName(const TPictureEntry &entry, int index);
// Archive name of an animation entry's frame list: "<folder>\filelist.txt".
QString AnimationListName(const TPictureEntry &entry);
