#include "WaveMerge.h"

#include "WaveFile.h"

#include <QDir>
#include <QFile>
#include <QMap>

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
    // First the inputs that will go in, and the data size for the header.
    QStringList usable;
    qint64 dataBytes = 0;
    for (const QString &path : inputs) {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly) || !LooksLikeWave(in.read(kHeaderBytes))) {
            result.skipped << path;
            continue;
        }
        usable << path;
        dataBytes += in.size() - kHeaderBytes;
    }
    if (dataBytes > 0xFFFFFFFFLL - 36) {
        result.error = QStringLiteral("the joined recording is larger than a WAV file can hold");
        return result;
    }
    QFile out(output);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        result.error = out.errorString();
        return result;
    }
    bool written = out.write(PcmWaveHeader(static_cast<quint32>(dataBytes), kSampleRate)) == kHeaderBytes;
    for (const QString &path : usable) {
        QFile in(path);
        written = written && in.open(QIODevice::ReadOnly) && in.seek(kHeaderBytes);
        while (written && !in.atEnd()) {
            const QByteArray chunk = in.read(1 << 20);
            written = out.write(chunk) == chunk.size();
        }
    }
    out.close();
    if (!written || out.error() != QFileDevice::NoError) {
        // Not left half written for the submission to pick up.
        result.error = out.errorString();
        QFile::remove(output);
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
