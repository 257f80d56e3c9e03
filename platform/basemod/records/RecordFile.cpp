#include "RecordFile.h"

#include "FileTools.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
QString withSlashes(QString s)
{
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s;
}
} // namespace

bool WriteRecordFile(const QString &path, const QByteArray &bytes)
{
    const QString p = withSlashes(path);
    if (p.isEmpty() || !ForceDirectories(QFileInfo(p).absolutePath()))
        return false;
    QSaveFile f(p);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool ReadRecordFile(const QString &path, QByteArray &bytes)
{
    QFile f(withSlashes(path));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    return true;
}
