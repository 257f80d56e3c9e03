#include "EnginePath.h"

#include "LocalPath.h"

#include <QDir>
#include <QUrl>

QString EngineFilePath(const QString &mainPath, const QString &name)
{
    if (name.isEmpty())
        return {};
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    return LocalPath(mainPath, name);
}

std::optional<QString> LocalFileOfAddress(const QString &url)
{
    const QUrl address(url);
    if (address.isLocalFile())
        return address.toLocalFile();
    if (address.scheme().isEmpty())
        return url;
    return std::nullopt;
}
