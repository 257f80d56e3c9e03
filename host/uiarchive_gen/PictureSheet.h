#pragma once
// Contact sheets of the UI archive: every picture and animation of the list,
// read back through the archive, drawn in a grid with its name.

#include "PictureList.h"

#include <QStringList>

class IArchive;

// Writes "<prefix>1.png", "<prefix>2.png", ... and returns their paths; an
// entry the archive cannot serve or decode shows a red "missing" cell.
QStringList WritePictureSheets(const QList<TPictureEntry> &entries, IArchive &archive, const QString &prefix);
