#include "PackageMaker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

QString run7z(const QStringList &args, const QString &workDir, const QString &password)
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(QStringLiteral("7zz"), args);
    if (!p.waitForStarted(10000))
        return QStringLiteral("7zz does not start");
    // Updating an archive with hidden names asks twice (open, then write).
    const QByteArray line = password.toUtf8() + '\n';
    if (!password.isEmpty())
        p.write(line + line + line);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return QStringLiteral("7zz did not finish");
    }
    if (p.exitCode() != 0)
        return QString::fromUtf8(p.readAllStandardError() + p.readAllStandardOutput());
    return {};
}

QStringList cryptSwitches(const PackageOptions &o)
{
    QStringList s{QStringLiteral("-y"), QStringLiteral("-bd"), QStringLiteral("-spd")};
    if (!o.password.isEmpty()) {
        s << QStringLiteral("-p"); // asks for the password on standard input
        s << (o.encryptHeaders ? QStringLiteral("-mhe=on") : QStringLiteral("-mhe=off"));
    }
    return s;
}

} // namespace

QString MakePackage(const QString &archive, const QList<TestEntry> &entries, const PackageOptions &options)
{
    QTemporaryDir staging;
    if (!staging.isValid())
        return QStringLiteral("no staging folder");
    auto stage = [&](const TestEntry &e) -> bool {
        const QString path = staging.filePath(e.name);
        if (e.isDirectory)
            return QDir().mkpath(path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(e.data) == e.data.size();
    };
    const QString target = QFileInfo(archive).absoluteFilePath();
    QFile::remove(target);
    if (options.singleRun) {
        QStringList args{QStringLiteral("a")};
        args += cryptSwitches(options);
        args << target;
        for (const TestEntry &e : entries) {
            if (!stage(e))
                return QStringLiteral("cannot stage ") + e.name;
            args << e.name;
        }
        return run7z(args, staging.path(), options.password);
    }
    // Each entry is staged just before it is added, so that adding a folder
    // does not bring in files meant to come later.
    for (const TestEntry &e : entries) {
        if (!stage(e))
            return QStringLiteral("cannot stage ") + e.name;
        QStringList args{QStringLiteral("a")};
        args += cryptSwitches(options);
        args << target << e.name;
        if (QString err = run7z(args, staging.path(), options.password); !err.isEmpty())
            return err;
    }
    return {};
}

QString RenameEntry(const QString &archive, const QString &from, const QString &to, const PackageOptions &options)
{
    QStringList args{QStringLiteral("rn")};
    args += cryptSwitches(options);
    args << QFileInfo(archive).absoluteFilePath() << from << to;
    return run7z(args, QFileInfo(archive).absolutePath(), options.password);
}

QByteArray NoiseBytes(int size, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = static_cast<char>(gen.bounded(256));
    return data;
}
