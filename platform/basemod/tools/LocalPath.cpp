#include "LocalPath.h"

#include <QDir>
#include <QStringList>

#include <algorithm>

namespace {

// Working folders that are created with one lower-case spelling.
bool isWorkFolder(const QString &segment)
{
    static const QStringList folders = {
        QStringLiteral("config"),  QStringLiteral("data"), QStringLiteral("pics"),  QStringLiteral("book"),
        QStringLiteral("tmp"),     QStringLiteral("part"), QStringLiteral("study"), QStringLiteral("role"),
        QStringLiteral("backups"), QStringLiteral("fail"),
    };
    return folders.contains(segment.toLower());
}

QString withSlashes(QString s)
{
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s;
}

// The spelling of `segment` inside the existing folder `dir`.
QString resolveSegment(const QString &dir, const QString &segment)
{
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QStringList matches;
    for (const QString &e : entries)
        if (e.compare(segment, Qt::CaseInsensitive) == 0)
            matches << e;
    if (matches.contains(segment))
        return segment;
    if (matches.contains(segment.toLower()))
        return segment.toLower();
    if (!matches.isEmpty())
        return matches.first();
    return isWorkFolder(segment) ? segment.toLower() : segment;
}

} // namespace

QString LocalPath(const QString &mainPath, const QString &relative)
{
    QString base = withSlashes(mainPath);
    while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    if (base.isEmpty())
        base = QStringLiteral(".");

    const QString rel = withSlashes(relative);
    const bool trailing = rel.endsWith(QLatin1Char('/'));
    QStringList parts;
    for (const QString &segment : rel.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String("."))
            continue;
        if (segment == QLatin1String(".."))
            return QString();
        parts << segment;
    }

    QString path = base;
    for (const QString &segment : parts) {
        const QString spelled = resolveSegment(path, segment);
        if (!path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        path += spelled;
    }
    if (trailing && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

bool IsSafeLocalName(const QString &name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QLatin1Char(':') || c == QLatin1Char('/')
            || c == QLatin1Char('\\'))
            return false;
    }
    return true;
}

QString LocalNameFromUrl(const QString &url)
{
    QString s = url;
    const qsizetype query = s.indexOf(QLatin1Char('?'));
    const qsizetype fragment = s.indexOf(QLatin1Char('#'));
    qsizetype cut = -1;
    if (query >= 0 && fragment >= 0)
        cut = std::min(query, fragment);
    else
        cut = std::max(query, fragment);
    if (cut >= 0)
        s.truncate(cut);
    s.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const QString name = s.mid(s.lastIndexOf(QLatin1Char('\\')) + 1);
    return IsSafeLocalName(name) ? name : QString();
}
