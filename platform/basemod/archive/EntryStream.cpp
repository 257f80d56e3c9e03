#include "EntryStream.h"

#include <QDir>

#include <zlib.h>

#include <algorithm>

TEntrySplitter::TEntrySplitter(const QList<TArchiveEntry> &entries, TPieceSink sink) : m_sink(std::move(sink))
{
    for (int i = 0; i < entries.size(); ++i) {
        const TArchiveEntry &e = entries.at(i);
        if (!e.isDirectory)
            m_files.append({i, e.size, e.hasCrc, e.crc});
    }
    m_crc = crc32(0L, Z_NULL, 0);
    Advance();
}

// Closes every entry whose bytes are all in (empty ones at once); false when
// a finished entry does not match its checksum.
bool TEntrySplitter::Advance()
{
    while (m_current < m_files.size() && m_received == m_files.at(m_current).size) {
        const File &f = m_files.at(m_current);
        if (f.hasCrc && f.size > 0 && static_cast<quint32>(m_crc) != f.crc) {
            m_failed = true;
            return false;
        }
        m_done.insert(f.index);
        ++m_current;
        m_received = 0;
        m_crc = crc32(0L, Z_NULL, 0);
    }
    return true;
}

bool TEntrySplitter::Feed(const QByteArray &chunk)
{
    if (m_failed)
        return false;
    const char *p = chunk.constData();
    qint64 left = chunk.size();
    while (left > 0) {
        if (m_current >= m_files.size()) {
            m_failed = true; // more content than the listing announced
            return false;
        }
        const File &f = m_files.at(m_current);
        const qint64 take = std::min(left, f.size - m_received);
        m_crc = crc32_z(m_crc, reinterpret_cast<const Bytef *>(p), static_cast<z_size_t>(take));
        if (m_sink && !m_sink(f.index, p, take)) {
            m_failed = true;
            m_sinkFailed = true;
            return false;
        }
        m_received += take;
        p += take;
        left -= take;
        if (!Advance())
            return false;
    }
    return true;
}

bool TEntrySplitter::Complete() const
{
    return !m_failed && m_current >= m_files.size();
}

bool TEntryCache::Begin(const QList<TArchiveEntry> &entries, qint64 memoryLimit, QString *error)
{
    qint64 total = 0;
    m_size.clear();
    m_offset.clear();
    for (const TArchiveEntry &e : entries) {
        m_offset.append(total);
        m_size.append(e.isDirectory ? 0 : e.size);
        total += e.isDirectory ? 0 : e.size;
    }
    if (total <= memoryLimit) {
        m_memory.resize(entries.size());
        for (int i = 0; i < entries.size(); ++i)
            m_memory[i].reserve(m_size.at(i));
        return true;
    }
    // QTemporaryDir makes the folder with mode 0700; the file is 0600.
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/studypack-XXXXXX"));
    if (!m_dir->isValid()) {
        *error = QStringLiteral("cannot create the cache folder: ") + m_dir->errorString();
        return false;
    }
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_file = std::make_unique<QFile>(m_dir->filePath(QStringLiteral("entries.bin")));
    if (!m_file->open(QIODevice::ReadWrite | QIODevice::Truncate)) {
        *error = QStringLiteral("cannot create the cache file: ") + m_file->errorString();
        return false;
    }
    m_file->setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

bool TEntryCache::Append(int index, const char *data, qint64 size)
{
    if (!m_file) {
        m_memory[index].append(data, size);
        return true;
    }
    // Entries arrive in order, so appending at the end is their offset.
    return m_file->write(data, size) == size;
}

std::optional<QByteArray> TEntryCache::Read(int index)
{
    if (index < 0 || index >= m_size.size())
        return std::nullopt;
    if (!m_file)
        return m_memory.at(index);
    if (!m_file->flush() || !m_file->seek(m_offset.at(index)))
        return std::nullopt;
    QByteArray data = m_file->read(m_size.at(index));
    if (data.size() != m_size.at(index))
        return std::nullopt;
    m_file->seek(m_file->size());
    return data;
}

QString TEntryCache::Folder() const
{
    return m_dir ? m_dir->path() : QString();
}
