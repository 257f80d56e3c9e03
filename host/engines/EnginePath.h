#pragma once
// File names as the module passes them ("tmp\temp.wav") turned into real
// paths: relative names live under the host's main path, absolute ones are
// taken as they are.

#include <QString>

#include <optional>

QString EngineFilePath(const QString &mainPath, const QString &name);

// The file an address handed to PlayUrl names on this machine: the path of a
// "file:" address, or the text itself when it has no scheme (a file name as
// PlayFile takes it). Nothing for an address to fetch (http and the like).
std::optional<QString> LocalFileOfAddress(const QString &url);
