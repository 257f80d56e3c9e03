#include "PackBook.h"

#include "PackageArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

float clampPercent(float value)
{
    if (std::isnan(value))
        return 0;
    return std::clamp(value, 0.0f, 100.0f);
}

} // namespace

QString TeduPack_Sentence::TempAudioPath() const
{
    if (!m_source)
        return {};
    return QDir(m_source->mainPath).filePath(QStringLiteral("tmp/temp.mp3"));
}

bool TeduPack_Sentence::SaveToFile() const
{
    const QString target = TempAudioPath();
    if (target.isEmpty())
        return false;
    if (SaveToFile(target))
        return true;
    // Never leave another sentence's audio where this one's is expected.
    QFile::remove(target);
    return false;
}

bool TeduPack_Sentence::SaveToFile(const QString &target) const
{
    // Reading may dispatch events during which this sentence's book is
    // replaced: work on copies only.
    const std::shared_ptr<TBookSource> source = m_source;
    const QString entry = AudioEntry;
    if (!source || !source->package || entry.isEmpty())
        return false;
    const std::shared_ptr<TPackageArchive> package = source->package;
    QByteArray audio;
    if (!package->ContentToMemory(entry, audio))
        return false;
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(audio) != audio.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void TeduPack_Unit::SetFinishPercent(float value)
{
    m_finishPercent = clampPercent(value);
}

void TeduPack_Unit::SetAverageScore(float value)
{
    m_averageScore = clampPercent(value);
}

TeduPack_Book::TeduPack_Book() : m_source(std::make_shared<TBookSource>())
{
    m_source->mainPath = QCoreApplication::applicationDirPath();
}

void TeduPack_Book::SetMainPath(const QString &path)
{
    m_source->mainPath = path;
}

QString TeduPack_Book::MainPath() const
{
    return m_source->mainPath;
}

std::shared_ptr<TPackageArchive> TeduPack_Book::Package() const
{
    return m_source->package;
}
