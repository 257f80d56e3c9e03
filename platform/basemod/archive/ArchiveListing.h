#pragma once
// Reading what the 7z reader prints: the technical listing of an archive and
// the reason of a failure.

#include "ArchiveResult.h"
#include "basemod_export.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// One entry of an archive, in archive order.
struct TArchiveEntry
{
    QString name;    // as stored, with "/" between folders
    qint64 size = 0; // unpacked size in bytes (0 for folders)
    bool isDirectory = false;
    bool hasCrc = false; // the archive stores a checksum of the content
    quint32 crc = 0;     // CRC-32 of the unpacked content when hasCrc
};

// Parses the reader's technical listing ("l -slt -ba"): one block of
// "Key = value" lines per entry, each block starting with "Path = ". Lines
// before the first block (the password prompt) are ignored. Returns nothing
// when a block has no readable size or a malformed checksum: the listing
// cannot be trusted to split the content of the archive.
BASEMOD_EXPORT std::optional<QList<TArchiveEntry>> ParseArchiveListing(const QByteArray &text);

// The kind of failure the reader reports on its standard error.
BASEMOD_EXPORT TArchiveError ClassifyReaderError(const QByteArray &errorText);

// The key used to look entries up: "\" and "/" both separate folders (names
// built on the host side use "\"), everything else is compared exactly.
BASEMOD_EXPORT QString ArchiveLookupKey(const QString &name);
