#pragma once
// Packs a staged folder into a password-protected 7z package with hidden
// entry names, through the 7z program ("7zz"). The password is handed over
// on the program's standard input only, never on its command line.

#include <QString>

// Packs every file below `stageFolder` ("data.json" first) into `target`.
// The archive is written beside the target and renamed over it when
// complete, so a failed run leaves no half package. False with `error`.
bool WritePackage(const QString &stageFolder, const QString &target, const QString &password, QString &error);
