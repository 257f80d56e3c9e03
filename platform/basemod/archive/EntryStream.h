#pragma once
// Splitting the reader's extraction stream back into entries, and keeping
// them. Internal to the package archive.

#include "ArchiveListing.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QSet>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

// Cuts the concatenated content of every file entry (archive order) into the
// entries, by the sizes of the listing, and checks each against its CRC-32.
// Folder entries take no bytes.
class TEntrySplitter
{
public:
    // Receives the bytes of one entry, possibly in several pieces.
    using TPieceSink = std::function<bool(int index, const char *data, qint64 size)>;

    TEntrySplitter(const QList<TArchiveEntry> &entries, TPieceSink sink);

    // Feeds the next chunk of the stream. False when the stream no longer
    // matches the listing (more bytes than listed, a checksum that differs)
    // or the sink failed; the splitter then ignores everything after.
    bool Feed(const QByteArray &chunk);
    // Entry `index` has been received completely and checked.
    bool IsDone(int index) const { return m_done.contains(index); }
    // Every listed byte has arrived.
    bool Complete() const;
    bool Failed() const { return m_failed; }
    bool SinkFailed() const { return m_sinkFailed; }

private:
    bool Advance();

    struct File
    {
        int index;
        qint64 size;
        bool hasCrc;
        quint32 crc;
    };
    QList<File> m_files;
    TPieceSink m_sink;
    int m_current = 0;
    qint64 m_received = 0;
    unsigned long m_crc = 0;
    QSet<int> m_done;
    bool m_failed = false;
    bool m_sinkFailed = false;
};

// Every file entry of a package, in memory or in one private cache file.
class TEntryCache
{
public:
    // Prepares room for the entries; a file when their total exceeds
    // memoryLimit. False (with a message) when the cache file cannot be made.
    bool Begin(const QList<TArchiveEntry> &entries, qint64 memoryLimit, QString *error);
    bool Append(int index, const char *data, qint64 size);
    // The content of a completely received entry.
    std::optional<QByteArray> Read(int index);
    QString Folder() const;

private:
    QList<QByteArray> m_memory;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QFile> m_file;
    QList<qint64> m_offset;
    QList<qint64> m_size;
};
