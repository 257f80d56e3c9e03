#pragma once
// One-shot reads from a resource package file: its book description and its
// lesson pictures.

#include "ArchiveResult.h"
#include "basemod_export.h"

#include <QByteArray>
#include <QString>

#include <optional>

#include <nlohmann/json.hpp>

// The parsed "data.json" of a package (the entry of exactly that name,
// case-sensitive). Nothing when the package cannot be opened, has no such
// entry, or the entry is not UTF-8 text holding a JSON object. The package
// file is only read, never changed. `why`, when given, receives the reason.
BASEMOD_EXPORT std::optional<nlohmann::ordered_json> getJBookFromFile(const QString &path,
                                                                      TArchiveResult *why = nullptr);

// The content of the first entry, in archive order, named fileName + ".png"
// or fileName + ".jpg" (neither extension is preferred); empty when there is
// none or the package cannot be read.
BASEMOD_EXPORT QByteArray GetLessonPicture(const QString &fileName, const QString &packFileName);

// Parses package text as a JSON object: nothing when it is not valid UTF-8,
// not JSON, or not an object.
BASEMOD_EXPORT std::optional<nlohmann::ordered_json> ParsePackageJson(const QByteArray &text);
