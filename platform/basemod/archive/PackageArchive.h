#pragma once
// A resource package: a password-protected 7z archive opened for reading.
//
// Reading goes through the external 7z reader (see ArchiveReader.h); the
// password is handed over on the reader's standard input only.
//
// Cost model. Opening lists the entries (one reader run). The first
// extraction from an open package runs the reader once over the whole archive
// ("x -so": every file's content, in archive order, on one stream) and splits
// the stream by the sizes of the listing, checking each entry against the
// archive's own CRC-32. Every entry is kept, so later extractions are lookups
// without a reader run or a new key derivation; a word drill that extracts two
// or three entries per word pays the process start once per package.
// Packages whose files add up to more than the memory limit (64 MiB unless
// set) are kept in one private cache file inside a temporary folder that only
// the user can enter (mode 0700); the folder goes when the package is closed.
//
// ExtractUncached is for one-shot reads (the book description, one lesson
// picture): it names the wanted entries to the reader, which decompresses only
// the blocks holding them, and keeps nothing. Should that run not bring every
// wanted entry matching the listing (another reader version), the whole
// package is streamed instead and the reader stopped once they have passed.
//
// Names. Entries keep the names the reader lists ("unit1/lesson2/a.mp3").
// Lookups accept "\" as well as "/" between folders and are otherwise exact
// (case-sensitive). When several file entries share a name, the first in
// archive order is the one found. Folder entries are listed but hold no
// content: looking one up reports NotFound.
//
// Waiting. Reader runs happen on the calling (user-interface) thread and keep
// dispatching events. A handler that runs during such a wait and calls into
// the same package gets Busy (no nested reader run); a handler that closes or
// destroys the package makes the waiting call return Closed. Destroying the
// object from a handler is therefore safe: the waiting call touches only state
// it shares ownership of.

#include "ArchiveListing.h"
#include "ArchiveResult.h"
#include "basemod_export.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The password of every resource package.
inline constexpr char kPackagePassword[] = "Hv8pZt3kQm2Xr5W";

class BASEMOD_EXPORT TPackageArchive
{
public:
    TPackageArchive();
    ~TPackageArchive();
    TPackageArchive(const TPackageArchive &) = delete;
    TPackageArchive &operator=(const TPackageArchive &) = delete;

    // Opens (lists) a package; a package already open is closed first.
    TArchiveResult Open(const QString &path, const QString &password = QString::fromLatin1(kPackagePassword));
    void Close();
    bool IsOpen() const;
    QString FileName() const;

    // Every entry in archive order (folders included); empty when not open.
    QList<TArchiveEntry> Entries() const;
    // Index in Entries() of the first file entry of that name; -1 when none.
    int IndexOf(const QString &name) const;

    // One entry's content. NotFound when there is no such file entry.
    TArchiveResult Extract(const QString &name, QByteArray &data);
    // A set of entries: `found` receives every requested name that exists
    // (under the name as requested). The result fails only when reading
    // failed; `missing`, when given, lists the names that do not exist.
    TArchiveResult ExtractSet(const QStringList &names, QHash<QString, QByteArray> &found,
                              QStringList *missing = nullptr);
    // Like ExtractSet, without keeping anything for later calls.
    TArchiveResult ExtractUncached(const QStringList &names, QHash<QString, QByteArray> &found,
                                   QStringList *missing = nullptr);
    // Extracts one entry into `stream`; true when the entry was found and read.
    // On false the stream is empty and LastResult() tells why.
    bool ContentToMemory(const QString &name, QByteArray &stream);
    TArchiveResult LastResult() const;

    // True once every entry is held and extractions are lookups.
    bool IsCached() const;
    // The private folder of the cache file; empty while entries are in memory.
    QString CacheFolder() const;
    // Reader runs started by this object (listings and extractions).
    int ReaderRuns() const;

    // Program used as the reader; default: "7zz" from PATH.
    void SetReaderProgram(const QString &program);
    // Real-time limits of one reader run (see ArchiveReader.h).
    void SetReaderLimits(int stallMs, int totalMs);
    // Above this many bytes of content the cache lives in a file.
    void SetMemoryCacheLimit(qint64 bytes);

    struct Impl;

private:
    std::shared_ptr<Impl> d;
};
