#include "ArchiveListing.h"

namespace {

const QByteArray kPath = "Path = ";
const QByteArray kSize = "Size = ";
const QByteArray kAttributes = "Attributes = ";
const QByteArray kFolder = "Folder = ";
const QByteArray kCrc = "CRC = ";

struct Block
{
    TArchiveEntry entry;
    bool sizeSeen = false;
    bool bad = false;
};

bool finish(Block &b, QList<TArchiveEntry> &out)
{
    if (b.bad)
        return false;
    if (!b.sizeSeen) {
        // Folders may come without a size; a file without one cannot be split.
        if (!b.entry.isDirectory)
            return false;
        b.entry.size = 0;
    }
    if (b.entry.isDirectory)
        b.entry.size = 0;
    out.append(b.entry);
    return true;
}

} // namespace

std::optional<QList<TArchiveEntry>> ParseArchiveListing(const QByteArray &text)
{
    QList<TArchiveEntry> entries;
    std::optional<Block> block;
    const QList<QByteArray> lines = text.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.startsWith(kPath)) {
            if (block && !finish(*block, entries))
                return std::nullopt;
            block.emplace();
            block->entry.name = QString::fromUtf8(line.mid(kPath.size()));
            continue;
        }
        if (!block)
            continue;
        if (line.startsWith(kSize)) {
            const QByteArray v = line.mid(kSize.size()).trimmed();
            if (v.isEmpty())
                continue;
            bool ok = false;
            const qint64 size = v.toLongLong(&ok);
            if (!ok || size < 0)
                block->bad = true;
            block->entry.size = size;
            block->sizeSeen = true;
        } else if (line.startsWith(kAttributes)) {
            // Windows attribute letters first ("D" marks a folder), then an
            // optional Unix mode ("drwxr-xr-x").
            const QByteArray v = line.mid(kAttributes.size()).trimmed();
            const QByteArray letters = v.left(v.indexOf(' ') < 0 ? v.size() : v.indexOf(' '));
            if (letters.contains('D'))
                block->entry.isDirectory = true;
        } else if (line.startsWith(kFolder)) {
            if (line.mid(kFolder.size()).trimmed() == "+")
                block->entry.isDirectory = true;
        } else if (line.startsWith(kCrc)) {
            const QByteArray v = line.mid(kCrc.size()).trimmed();
            if (v.isEmpty())
                continue;
            bool ok = false;
            const uint crc = v.toUInt(&ok, 16);
            if (!ok || v.size() > 8)
                block->bad = true;
            block->entry.crc = crc;
            block->entry.hasCrc = true;
        }
    }
    if (block && !finish(*block, entries))
        return std::nullopt;
    return entries;
}

TArchiveError ClassifyReaderError(const QByteArray &errorText)
{
    if (errorText.contains("Wrong password"))
        return TArchiveError::WrongPassword;
    if (errorText.contains("Unexpected end of archive") || errorText.contains("Unexpected end of data"))
        return TArchiveError::Truncated;
    if (errorText.contains("Is not archive") || errorText.contains("Cannot open the file as"))
        return TArchiveError::NotArchive;
    if (errorText.contains("Data Error") || errorText.contains("CRC Failed") || errorText.contains("Headers Error"))
        return TArchiveError::Corrupt;
    return TArchiveError::ReaderFailed;
}

QString ArchiveLookupKey(const QString &name)
{
    QString key = name;
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return key;
}
