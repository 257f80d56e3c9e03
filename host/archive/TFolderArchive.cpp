#include "TFolderArchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

std::optional<QString> ArchiveRelativePath(const QString &name)
{
    QString path = name.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char(':')))
        return std::nullopt;
    const QStringList segments = path.split(QLatin1Char('/'));
    for (const QString &segment : segments) {
        if (segment.isEmpty() || segment == QLatin1String(".") || segment == QLatin1String(".."))
            return std::nullopt;
    }
    return path;
}

TFolderArchive::TFolderArchive(const QString &root)
{
    const QFileInfo info(root);
    m_root = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    Rescan();
}

void TFolderArchive::Rescan()
{
    m_index.clear();
    const QDir root(m_root);
    if (!root.exists())
        return;
    QStringList files;
    QDirIterator it(m_root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(root.relativeFilePath(it.next()));
    // Sorted so that names differing only in case resolve the same way on
    // every run; an exact spelling still wins in FilePath.
    files.sort();
    for (const QString &file : files) {
        const QString key = file.toLower();
        if (!m_index.contains(key))
            m_index.insert(key, file);
    }
}

QStringList TFolderArchive::Files() const
{
    QStringList files = m_index.values();
    files.sort();
    return files;
}

QString TFolderArchive::FilePath(const QString &name) const
{
    const std::optional<QString> relative = ArchiveRelativePath(name);
    if (!relative)
        return {};
    QString onDisk;
    const QString exact = m_root + QLatin1Char('/') + *relative;
    if (QFileInfo(exact).isFile())
        onDisk = exact;
    else if (const auto it = m_index.constFind(relative->toLower()); it != m_index.constEnd())
        onDisk = m_root + QLatin1Char('/') + *it;
    if (onDisk.isEmpty())
        return {};
    // A link inside the folder must not lead out of it.
    const QString real = QFileInfo(onDisk).canonicalFilePath();
    if (real.isEmpty() || !real.startsWith(m_root + QLatin1Char('/')))
        return {};
    return real;
}

std::optional<QByteArray> TFolderArchive::GetResource(const QString &name)
{
    const QString path = FilePath(name);
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}
