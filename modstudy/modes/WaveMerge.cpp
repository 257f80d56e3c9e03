#include "WaveMerge.h"

#include "WaveFile.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSaveFile>

namespace {
constexpr qint64 kHeaderBytes = 44;
constexpr quint32 kSampleRate = 16000;

bool LooksLikeWave(const QByteArray &head)
{
    return head.size() >= kHeaderBytes && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}
} // namespace

TWaveMergeResult MergeWaveFiles(const QStringList &inputs, const QString &output)
{
    TWaveMergeResult result;
    QList<QByteArray> bodies;
    qint64 dataBytes = 0;
    for (const QString &path : inputs) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly)) {
            result.skipped << path;
            continue;
        }
        const QByteArray bytes = in.readAll();
        if (!LooksLikeWave(bytes)) {
            result.skipped << path;
            continue;
        }
        bodies << bytes.mid(kHeaderBytes);
        dataBytes += bodies.last().size();
    }
    if (dataBytes > 0xFFFFFFFFLL - 36) {
        result.error = QStringLiteral("the joined recording is larger than a WAV file can hold");
        return result;
    }
    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly)) {
        result.error = out.errorString();
        return result;
    }
    out.write(PcmWaveHeader(static_cast<quint32>(dataBytes), kSampleRate));
    for (const QByteArray &body : bodies)
        out.write(body);
    if (!out.commit()) {
        result.error = out.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

QStringList PartRecordingsInOrder(const QString &folder)
{
    QMap<int, QString> slots;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList({QStringLiteral("*.wav")}, QDir::Files, QDir::Name)) {
        bool ok = false;
        const int n = info.completeBaseName().toInt(&ok);
        slots.insert(ok && n >= 0 ? n : 0, info.filePath());
    }
    return slots.values();
}
