#pragma once
// File names as the module passes them ("tmp\temp.wav") turned into real
// paths: relative names live under the host's main path, absolute ones are
// taken as they are.

#include <QString>

QString EngineFilePath(const QString &mainPath, const QString &name);
