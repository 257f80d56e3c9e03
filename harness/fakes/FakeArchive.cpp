#include "FakeArchive.h"

#include "AniFrameList.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>

namespace {

QString key(const QString &name)
{
    QString k = name;
    k.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return k;
}

} // namespace

void FakeArchive::AddEntry(const QString &name, const QByteArray &bytes)
{
    m_entries.insert(key(name), bytes);
}

void FakeArchive::AddPicture(const QString &name, const QColor &color, const QSize &size)
{
    AddEntry(name, MakePng(size, color));
}

void FakeArchive::SetMissing(const QString &name)
{
    m_missing.insert(key(name));
}

QString FakeArchive::AddAnimation(const QString &name, int frameCount, const QSize &size, const QByteArray &sound)
{
    const QString listName = AniListName(name);
    TAniFrameList list;
    for (int i = 0; i < frameCount; ++i) {
        const QString frame = QStringLiteral("%1_%2.png").arg(name).arg(i, 3, 10, QLatin1Char('0'));
        list.frames << frame;
        AddPicture(AniEntryName(listName, frame), FrameColor(i), size);
    }
    if (!sound.isEmpty()) {
        list.sound = name + QLatin1String(".mp3");
        AddEntry(AniEntryName(listName, list.sound), sound);
    }
    AddEntry(listName, FormatAniFrameList(list));
    return listName;
}

QColor FakeArchive::FrameColor(int index)
{
    // Plain 8-bit RGB, so that it compares equal to a pixel read back.
    const QColor hsv = QColor::fromHsv((index * 47) % 360, 220, 230);
    return QColor(hsv.red(), hsv.green(), hsv.blue());
}

QByteArray FakeArchive::MakePng(const QSize &size, const QColor &color)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

int FakeArchive::RequestCount(const QString &name) const
{
    const QString k = key(name);
    return static_cast<int>(
        std::count_if(m_requests.cbegin(), m_requests.cend(), [&](const QString &r) { return key(r) == k; }));
}

std::optional<QByteArray> FakeArchive::GetResource(const QString &name)
{
    m_requests << name;
    const QString k = key(name);
    if (m_missing.contains(k))
        return std::nullopt;
    const auto it = m_entries.constFind(k);
    if (it != m_entries.constEnd())
        return *it;
    if (k.startsWith(QLatin1String("png\\"), Qt::CaseInsensitive))
        return MakePng(m_size, m_color);
    return std::nullopt;
}
