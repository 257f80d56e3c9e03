#include "PictureList.h"

#include "TFolderArchive.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace {

std::optional<QSize> ParseSize(const QString &field)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,4})x(\\d{1,4})$"));
    const QRegularExpressionMatch match = pattern.match(field);
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1)
        return std::nullopt;
    return size;
}

// Reads "frames=N" and "sound=file" options; false on anything else.
bool ParseOptions(const QString &rest, TPictureEntry &entry, bool allowSound, QString &reason)
{
    bool haveFrames = false;
    const QStringList options = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &option : options) {
        if (option.startsWith(QLatin1String("frames="))) {
            bool ok = false;
            entry.frames = option.mid(7).toInt(&ok);
            if (!ok || entry.frames < 1 || entry.frames > 999) {
                reason = QStringLiteral("bad frame count");
                return false;
            }
            haveFrames = true;
        } else if (allowSound && option.startsWith(QLatin1String("sound="))) {
            entry.sound = option.mid(6);
            if (!ArchiveRelativePath(entry.sound) || entry.sound.contains(QLatin1Char('\\'))
                || entry.sound.contains(QLatin1Char('/'))) {
                reason = QStringLiteral("bad sound name");
                return false;
            }
        } else {
            reason = QStringLiteral("unknown option ") + option;
            return false;
        }
    }
    if (!haveFrames) {
        reason = QStringLiteral("missing frames=N");
        return false;
    }
    return true;
}

} // namespace

std::optional<QList<TPictureEntry>> ParsePictureList(const QByteArray &text, QString *error)
{
    QList<TPictureEntry> entries;
    QSet<QString> seen;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        auto fail = [&](const QString &reason) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(i + 1).arg(reason);
            return std::nullopt;
        };
        static const QRegularExpression fields(QStringLiteral("^(\\S+)\\s+(\\S+)\\s+(\\S+)\\s+(\\S+)(?:\\s+(.*))?$"));
        const QRegularExpressionMatch match = fields.match(line);
        if (!match.hasMatch())
            return fail(QStringLiteral("expected kind, name, size and look"));
        TPictureEntry entry;
        entry.line = i + 1;
        entry.name = match.captured(2);
        entry.look = match.captured(4);
        const QString kind = match.captured(1);
        const QString rest = match.captured(5).trimmed();
        if (!ArchiveRelativePath(entry.name))
            return fail(QStringLiteral("name leaves the archive: ") + entry.name);
        if (kind == QLatin1String("snd")) {
            entry.kind = TPictureKind::Sound;
            entry.text = rest;
            if (match.captured(3) != QLatin1String("-") || entry.look != QLatin1String("-"))
                return fail(QStringLiteral("a sound has \"-\" as size and look"));
            if (entry.text.isEmpty())
                return fail(QStringLiteral("a sound needs its words"));
            if (!entry.name.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive))
                return fail(QStringLiteral("a sound is an .mp3 file"));
        } else {
            const std::optional<QSize> size = ParseSize(match.captured(3));
            if (!size)
                return fail(QStringLiteral("bad size ") + match.captured(3));
            entry.size = *size;
            QString reason;
            if (kind == QLatin1String("pic")) {
                entry.kind = TPictureKind::Picture;
                entry.text = rest;
            } else if (kind == QLatin1String("strip")) {
                entry.kind = TPictureKind::Strip;
                if (!ParseOptions(rest, entry, false, reason))
                    return fail(reason);
            } else if (kind == QLatin1String("ani")) {
                entry.kind = TPictureKind::Animation;
                if (!ParseOptions(rest, entry, true, reason))
                    return fail(reason);
            } else {
                return fail(QStringLiteral("unknown kind ") + kind);
            }
            if (entry.kind != TPictureKind::Animation
                && !entry.name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
                return fail(QStringLiteral("a picture is a .png file"));
        }
        const QString key = ArchiveRelativePath(entry.name)->toLower();
        if (seen.contains(key))
            return fail(QStringLiteral("duplicate name ") + entry.name);
        seen.insert(key);
        entries.append(entry);
    }
    return entries;
}

QString AnimationFrameName(const TPictureEntry &entry, int index)
{
    return entry.name + QStringLiteral("\\%1.png").arg(index + 1, 4, 10, QLatin1Char('0'));
}

QString AnimationListName(const TPictureEntry &entry)
{
    return entry.name + QStringLiteral("\\filelist.txt");
}
