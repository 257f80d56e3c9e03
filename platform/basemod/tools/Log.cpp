#include "Log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace {

struct LogState
{
    QMutex mutex;
    TLogSink sink;
    QString file;
};

LogState &state()
{
    static LogState s;
    return s;
}

QString defaultLogFile()
{
    const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return dir + QStringLiteral("/log/study.log");
}

void writeToFile(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"))
                         + QLatin1Char(' ') + text + QLatin1Char('\n');
    f.write(line.toUtf8());
}

} // namespace

void procSaveLog(const QString &text)
{
    try {
        TLogSink sink;
        QString file;
        {
            QMutexLocker lock(&state().mutex);
            sink = state().sink;
            file = state().file;
        }
        if (sink) {
            sink(text);
            return;
        }
        writeToFile(file.isEmpty() ? defaultLogFile() : file, text);
    } catch (...) {
        // The log must never take the caller down.
    }
}

TLogSink SetLogSink(TLogSink sink)
{
    QMutexLocker lock(&state().mutex);
    TLogSink previous = std::move(state().sink);
    state().sink = std::move(sink);
    return previous;
}

void SetLogFile(const QString &path)
{
    QMutexLocker lock(&state().mutex);
    state().file = path;
}
