#include "Mp3Encoder.h"

#include "FileTools.h"
#include "Log.h"
#include "Wait.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <lame/lame.h>

#include <memory>
#include <vector>

namespace {

constexpr quint32 kUnknownSize = 0xFFFFFFFFu;
constexpr int kBitratePerChannel = 64;

QString withSlashes(QString s)
{
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return s;
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

struct LameCloser
{
    void operator()(lame_global_flags *gf) const { lame_close(gf); }
};

bool stopped(const bool *stop)
{
    return stop && *stop;
}

} // namespace

bool ReadWaveFormat(const QString &wavPath, TWaveFormat &format, QString *error)
{
    format = TWaveFormat{};
    QFile f(withSlashes(wavPath));
    if (!f.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("cannot open the WAV file"));
    const qint64 fileSize = f.size();
    const QByteArray head = f.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return fail(error, QStringLiteral("not a RIFF WAVE file"));

    bool haveFmt = false;
    int blockAlign = 0;
    qint64 pos = 12;
    while (pos + 8 <= fileSize) {
        f.seek(pos);
        const QByteArray chunk = f.read(8);
        if (chunk.size() < 8)
            break;
        const QByteArray id = chunk.left(4);
        const quint32 size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        const qint64 body = pos + 8;
        if (id == "fmt ") {
            if (size < 16)
                return fail(error, QStringLiteral("format chunk too short"));
            const QByteArray fmt = f.read(std::min<quint32>(size, 40));
            if (fmt.size() < 16)
                return fail(error, QStringLiteral("format chunk truncated"));
            const char *d = fmt.constData();
            int tag = qFromLittleEndian<quint16>(d);
            if (tag == 0xFFFE) {
                if (fmt.size() < 26)
                    return fail(error, QStringLiteral("extensible format chunk truncated"));
                tag = qFromLittleEndian<quint16>(d + 24);
            }
            format.channels = qFromLittleEndian<quint16>(d + 2);
            format.sampleRate = static_cast<int>(qFromLittleEndian<quint32>(d + 4));
            blockAlign = qFromLittleEndian<quint16>(d + 12);
            format.bitsPerSample = qFromLittleEndian<quint16>(d + 14);
            if (tag != 1)
                return fail(error, QStringLiteral("not PCM samples"));
            if (format.bitsPerSample != 16)
                return fail(error, QStringLiteral("samples are not 16-bit"));
            if (format.channels < 1 || format.channels > 2)
                return fail(error, QStringLiteral("only mono and stereo are supported"));
            if (format.sampleRate < 1 || format.sampleRate > 384000)
                return fail(error, QStringLiteral("implausible sample rate"));
            if (blockAlign != format.channels * 2)
                return fail(error, QStringLiteral("inconsistent block alignment"));
            haveFmt = true;
        } else if (id == "data") {
            if (!haveFmt)
                return fail(error, QStringLiteral("sample data before the format chunk"));
            qint64 bytes = size;
            if (size == kUnknownSize || body + bytes > fileSize)
                bytes = fileSize - body;
            bytes -= bytes % blockAlign;
            if (bytes <= 0)
                return fail(error, QStringLiteral("no audio samples"));
            format.dataOffset = body;
            format.dataBytes = bytes;
            return true;
        }
        if (size == kUnknownSize)
            break;
        pos = body + size + (size & 1u);
    }
    return fail(error, haveFmt ? QStringLiteral("no data chunk") : QStringLiteral("no format chunk"));
}

TMp3Result EncodeWaveToMp3(const QString &wavPath, const QString &mp3Path, const bool *stop, QString *error,
                           const QObject *guard)
{
    const QString target = withSlashes(mp3Path);
    if (stopped(stop)) {
        fail(error, QStringLiteral("stopped"));
        return TMp3Result::Stopped;
    }
    TFileWriteMark mark(target);
    if (mark.wasAlreadyMarked()) {
        fail(error, QStringLiteral("the target is already being written"));
        return TMp3Result::Busy;
    }

    TWaveFormat fmt;
    if (!ReadWaveFormat(wavPath, fmt, error))
        return TMp3Result::BadWave;
    QFile wav(withSlashes(wavPath));
    if (!wav.open(QIODevice::ReadOnly) || !wav.seek(fmt.dataOffset)) {
        fail(error, QStringLiteral("cannot read the WAV file"));
        return TMp3Result::BadWave;
    }

    std::unique_ptr<lame_global_flags, LameCloser> gf(lame_init());
    if (!gf) {
        fail(error, QStringLiteral("encoder could not start"));
        return TMp3Result::EncoderError;
    }
    lame_set_num_channels(gf.get(), fmt.channels);
    lame_set_in_samplerate(gf.get(), fmt.sampleRate);
    lame_set_mode(gf.get(), fmt.channels == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(gf.get(), kBitratePerChannel * fmt.channels);
    lame_set_quality(gf.get(), 5);
    lame_set_bWriteVbrTag(gf.get(), 0);
    if (lame_init_params(gf.get()) < 0) {
        fail(error, QStringLiteral("encoder refused the format"));
        return TMp3Result::EncoderError;
    }

    const QString folder = QFileInfo(target).absolutePath();
    if (!ForceDirectories(folder)) {
        fail(error, QStringLiteral("cannot create the target folder"));
        return TMp3Result::WriteError;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        fail(error, QStringLiteral("cannot create the MP3 file"));
        return TMp3Result::WriteError;
    }

    const int frameBytes = fmt.channels * 2;
    const qint64 framesPerChunk = fmt.sampleRate; // one second
    std::vector<short> pcm(static_cast<size_t>(framesPerChunk * fmt.channels));
    std::vector<unsigned char> mp3(static_cast<size_t>(framesPerChunk * 5 / 4 + 7200));
    const bool dispatch = QCoreApplication::instance() != nullptr;

    qint64 left = fmt.dataBytes;
    while (left > 0) {
        const qint64 want = std::min<qint64>(left, framesPerChunk * frameBytes);
        const QByteArray raw = wav.read(want);
        if (raw.size() != want) {
            out.cancelWriting();
            fail(error, QStringLiteral("the WAV file ended early"));
            return TMp3Result::BadWave;
        }
        left -= want;
        const int frames = static_cast<int>(want / frameBytes);
        for (int i = 0; i < frames * fmt.channels; ++i)
            pcm[static_cast<size_t>(i)] = qFromLittleEndian<qint16>(raw.constData() + 2 * i);
        const int n = fmt.channels == 1 ? lame_encode_buffer(gf.get(), pcm.data(), pcm.data(), frames, mp3.data(),
                                                             static_cast<int>(mp3.size()))
                                        : lame_encode_buffer_interleaved(gf.get(), pcm.data(), frames, mp3.data(),
                                                                         static_cast<int>(mp3.size()));
        if (n < 0) {
            out.cancelWriting();
            fail(error, QStringLiteral("encoding failed"));
            return TMp3Result::EncoderError;
        }
        if (n > 0 && out.write(reinterpret_cast<const char *>(mp3.data()), n) != n) {
            out.cancelWriting();
            fail(error, QStringLiteral("cannot write the MP3 file"));
            return TMp3Result::WriteError;
        }
        if (dispatch && WaitFor(0, stop, guard) == TWaitEnd::Gone) {
            out.cancelWriting();
            fail(error, QStringLiteral("stopped: the caller was closed"));
            return TMp3Result::Stopped;
        }
        if (stopped(stop)) {
            out.cancelWriting();
            fail(error, QStringLiteral("stopped"));
            return TMp3Result::Stopped;
        }
    }

    const int n = lame_encode_flush(gf.get(), mp3.data(), static_cast<int>(mp3.size()));
    if (n < 0) {
        out.cancelWriting();
        fail(error, QStringLiteral("encoding failed at the end"));
        return TMp3Result::EncoderError;
    }
    if (n > 0 && out.write(reinterpret_cast<const char *>(mp3.data()), n) != n) {
        out.cancelWriting();
        fail(error, QStringLiteral("cannot write the MP3 file"));
        return TMp3Result::WriteError;
    }
    if (!out.commit()) {
        fail(error, QStringLiteral("cannot finish the MP3 file"));
        return TMp3Result::WriteError;
    }
    return TMp3Result::Ok;
}

bool waveToMp3(const QString &wavPath, const QString &mp3Path, const bool &stop, const QObject *guard)
{
    QString why;
    const TMp3Result r = EncodeWaveToMp3(wavPath, mp3Path, &stop, &why, guard);
    if (r != TMp3Result::Ok && r != TMp3Result::Stopped)
        procSaveLog(QStringLiteral("error:waveToMp3 ") + why + QStringLiteral(": ") + wavPath + QStringLiteral(" -> ")
                    + mp3Path);
    return r == TMp3Result::Ok;
}
