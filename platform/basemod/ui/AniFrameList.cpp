#include "AniFrameList.h"

namespace {

const QLatin1String kSoundKey("sound:");

QString archiveSeparators(QString name)
{
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return name;
}

// A relative name that stays inside the list's folder.
bool isSafeEntry(const QString &entry)
{
    if (entry.isEmpty() || entry.startsWith(QLatin1Char('\\')) || entry.contains(QLatin1Char(':')))
        return false;
    const QStringList parts = entry.split(QLatin1Char('\\'));
    for (const QString &p : parts)
        if (p.isEmpty() || p == QLatin1String(".."))
            return false;
    return true;
}

} // namespace

TAniFrameList ParseAniFrameList(const QByteArray &text)
{
    TAniFrameList out;
    QString all = QString::fromUtf8(text);
    if (all.startsWith(QChar(0xFEFF)))
        all.remove(0, 1);
    const QStringList lines = all.split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(kSoundKey, Qt::CaseInsensitive)) {
            const QString sound = archiveSeparators(line.mid(kSoundKey.size()).trimmed());
            if (isSafeEntry(sound))
                out.sound = sound;
            continue;
        }
        const QString frame = archiveSeparators(line);
        if (isSafeEntry(frame))
            out.frames << frame;
    }
    return out;
}

QByteArray FormatAniFrameList(const TAniFrameList &list)
{
    QString text;
    if (!list.sound.isEmpty())
        text += kSoundKey + list.sound + QLatin1String("\r\n");
    for (const QString &f : list.frames)
        text += f + QLatin1String("\r\n");
    return text.toUtf8();
}

QString AniEntryName(const QString &listName, const QString &entry)
{
    const QString list = archiveSeparators(listName);
    const int cut = list.lastIndexOf(QLatin1Char('\\'));
    const QString folder = cut < 0 ? QString() : list.left(cut + 1);
    return folder + archiveSeparators(entry);
}

QString AniListName(const QString &name)
{
    return QLatin1String("ani\\") + name + QLatin1String("\\filelist.txt");
}
