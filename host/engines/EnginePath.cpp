#include "EnginePath.h"

#include "LocalPath.h"

#include <QDir>

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
