#include "PackageWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

bool WritePackage(const QString &stageFolder, const QString &target, const QString &password, QString &error)
{
    const QString absolute = QFileInfo(target).absoluteFilePath();
    const QString partial = absolute + QStringLiteral(".part.7z");
    QFile::remove(partial);
    if (!QDir().mkpath(QFileInfo(absolute).absolutePath())) {
        error = QStringLiteral("cannot create the folder of ") + absolute;
        return false;
    }
    QStringList args{
        QStringLiteral("a"),        QStringLiteral("-y"),      QStringLiteral("-bd"),   QStringLiteral("-spd"),
        QStringLiteral("-p"),       QStringLiteral("-mhe=on"), QStringLiteral("-mx=5"), partial,
        QStringLiteral("data.json")};
    const QStringList top = QDir(stageFolder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : top) {
        if (name != QLatin1String("data.json"))
            args << name;
    }
    QProcess p;
    p.setWorkingDirectory(stageFolder);
    p.start(QStringLiteral("7zz"), args);
    if (!p.waitForStarted(10000)) {
        error = QStringLiteral("7zz does not start");
        return false;
    }
    // Asked for on standard input (and once more to confirm).
    const QByteArray line = password.toUtf8() + '\n';
    p.write(line + line);
    p.closeWriteChannel();
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished();
        error =
            QStringLiteral("7zz failed: ") + QString::fromUtf8(p.readAllStandardError() + p.readAllStandardOutput());
        QFile::remove(partial);
        return false;
    }
    QFile::remove(absolute);
    if (!QFile::rename(partial, absolute)) {
        error = QStringLiteral("cannot rename the package to ") + absolute;
        QFile::remove(partial);
        return false;
    }
    return true;
}
