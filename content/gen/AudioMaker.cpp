#include "AudioMaker.h"

#include "WaveFile.h"

#include "Mp3Encoder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <deque>
#include <memory>

namespace {

quint32 U32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 U16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Output of one short run of the speech program; empty when it fails.
QString SpeechProgramOutput(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("espeak-ng"), args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The speech program falls back to its default voice, without a word, when a
// voice or variant is unknown: every voice is checked against its lists
// before anything is spoken, so a typo cannot end up in the packages.
bool CheckVoices(const QSet<QString> &voices, QString &error)
{
    if (voices.isEmpty())
        return true;
    QSet<QString> languages;
    QSet<QString> variants;
    const QStringList languageLines =
        SpeechProgramOutput({QStringLiteral("--voices")}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : languageLines.mid(1)) {
        const QStringList columns = line.simplified().split(QLatin1Char(' '));
        if (columns.size() > 1)
            languages.insert(columns[1].toLower());
    }
    const QStringList variantLines =
        SpeechProgramOutput({QStringLiteral("--voices=variant")}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : variantLines) {
        const int at = line.indexOf(QLatin1String("!v/"));
        if (at >= 0)
            variants.insert(line.mid(at + 3).section(QLatin1Char(' '), 0, 0).toLower());
    }
    if (languages.isEmpty()) {
        error = QStringLiteral("espeak-ng lists no voices (is it installed?)");
        return false;
    }
    for (const QString &voice : voices) {
        const QString language = voice.section(QLatin1Char('+'), 0, 0).toLower();
        const QString variant = voice.section(QLatin1Char('+'), 1).toLower();
        if (!languages.contains(language) || (!variant.isEmpty() && !variants.contains(variant))) {
            error = QStringLiteral("espeak-ng has no voice '%1'").arg(voice);
            return false;
        }
    }
    return true;
}

} // namespace

bool DecodeMonoWave(const QByteArray &wave, QList<qint16> &samples, int &sampleRate)
{
    samples.clear();
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE")
        return false;
    qsizetype at = 12;
    bool haveFormat = false;
    while (at + 8 <= wave.size()) {
        const QByteArray id = wave.mid(at, 4);
        const quint32 size = U32(wave, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > wave.size())
                return false;
            if (U16(wave, body) != 1 || U16(wave, body + 2) != 1 || U16(wave, body + 14) != 16)
                return false;
            sampleRate = static_cast<int>(U32(wave, body + 4));
            haveFormat = sampleRate > 0;
        } else if (id == "data") {
            if (!haveFormat)
                return false;
            const qsizetype available = wave.size() - body;
            const qsizetype bytes = std::min<qsizetype>(available, size) / 2 * 2;
            samples.resize(bytes / 2);
            for (qsizetype i = 0; i < samples.size(); ++i)
                samples[i] = qFromLittleEndian<qint16>(wave.constData() + body + i * 2);
            return !samples.isEmpty();
        }
        at = body + size + (size & 1);
    }
    return false;
}

QList<qint16> Resample(const QList<qint16> &samples, int fromRate, int toRate)
{
    if (samples.isEmpty() || fromRate <= 0 || toRate <= 0 || fromRate == toRate)
        return samples;
    const qsizetype count = std::max<qsizetype>(1, samples.size() * qint64(toRate) / fromRate);
    QList<qint16> out(count);
    const double step = double(fromRate) / toRate;
    for (qsizetype i = 0; i < count; ++i) {
        const double pos = i * step;
        const qsizetype left = std::min<qsizetype>(static_cast<qsizetype>(pos), samples.size() - 1);
        const qsizetype right = std::min<qsizetype>(left + 1, samples.size() - 1);
        const double frac = pos - left;
        out[i] = static_cast<qint16>(std::lround(samples[left] * (1 - frac) + samples[right] * frac));
    }
    return out;
}

QByteArray EncodeMonoWave(const QList<qint16> &samples, int sampleRate)
{
    return BuildMonoWave(samples, static_cast<quint32>(sampleRate));
}

TAudioMaker::TAudioMaker(const QString &cacheFolder, int parallel)
    : m_cache(cacheFolder),
      m_parallel(std::max(1, parallel))
{
}

QString TAudioMaker::CacheFile(const TSpeech &speech) const
{
    const QString key = speech.voice + QLatin1Char('|') + QString::number(speech.pitch) + QLatin1Char('|')
                        + QString::number(kWordsPerMinute) + QLatin1Char('|') + QString::number(kSampleRate)
                        + QLatin1Char('|') + speech.text;
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex();
    return m_cache + QLatin1Char('/') + QString::fromLatin1(hash) + QStringLiteral(".mp3");
}

bool TAudioMaker::Finish(const TSpeech &speech, const QByteArray &wave, QString &error)
{
    QList<qint16> samples;
    int rate = 0;
    if (!DecodeMonoWave(wave, samples, rate)) {
        error = QStringLiteral("the speech program gave no usable audio for '%1'").arg(speech.text);
        return false;
    }
    QTemporaryDir work;
    const QString wavPath = work.filePath(QStringLiteral("speech.wav"));
    QFile wav(wavPath);
    if (!work.isValid() || !wav.open(QIODevice::WriteOnly)
        || wav.write(EncodeMonoWave(Resample(samples, rate, kSampleRate), kSampleRate)) < 0) {
        error = QStringLiteral("cannot write a temporary WAV");
        return false;
    }
    wav.close();
    const bool stop = false;
    QString why;
    // The encoder writes beside the target and renames when complete, so an
    // interrupted build never leaves a half file in the cache.
    if (EncodeWaveToMp3(wavPath, CacheFile(speech), &stop, &why) != TMp3Result::Ok) {
        error = QStringLiteral("MP3 encoding failed for '%1': %2").arg(speech.text, why);
        return false;
    }
    ++m_spoken;
    return true;
}

bool TAudioMaker::Make(const QList<TSpeech> &speeches, QString &error)
{
    if (!QDir().mkpath(m_cache)) {
        error = QStringLiteral("cannot create the cache folder ") + m_cache;
        return false;
    }
    std::deque<TSpeech> pending;
    QSet<QString> queued;
    for (const TSpeech &s : speeches) {
        const QString file = CacheFile(s);
        if (queued.contains(file))
            continue;
        queued.insert(file);
        if (QFileInfo::exists(file))
            ++m_reused;
        else
            pending.push_back(s);
    }
    QSet<QString> voices;
    for (const TSpeech &s : pending)
        voices.insert(s.voice);
    if (!CheckVoices(voices, error))
        return false;
    struct Running
    {
        TSpeech speech;
        std::unique_ptr<QProcess> process;
    };
    std::deque<Running> running;
    auto start = [this](const TSpeech &s) {
        auto p = std::make_unique<QProcess>();
        p->start(QStringLiteral("espeak-ng"),
                 {QStringLiteral("-v"), s.voice, QStringLiteral("-p"), QString::number(s.pitch), QStringLiteral("-s"),
                  QString::number(kWordsPerMinute), QStringLiteral("--stdout")});
        // The text goes on standard input, so no text is ever read as an option.
        p->write(s.text.toUtf8() + '\n');
        p->closeWriteChannel();
        return p;
    };
    bool ok = true;
    while (ok && (!pending.empty() || !running.empty())) {
        while (static_cast<int>(running.size()) < m_parallel && !pending.empty()) {
            running.push_back({pending.front(), start(pending.front())});
            pending.pop_front();
        }
        Running current = std::move(running.front());
        running.pop_front();
        QProcess &p = *current.process;
        QByteArray wave;
        // Collect output while waiting: a full pipe would stall the program.
        while (p.state() != QProcess::NotRunning) {
            if (!p.waitForReadyRead(30000) && p.state() != QProcess::NotRunning)
                break; // silent for too long
            wave += p.readAllStandardOutput();
        }
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
            error = QStringLiteral("espeak-ng did not finish for '%1'").arg(current.speech.text);
            ok = false;
            break;
        }
        wave += p.readAllStandardOutput();
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            error = QStringLiteral("espeak-ng failed for '%1': %2")
                        .arg(current.speech.text, QString::fromUtf8(p.readAllStandardError()));
            ok = false;
            break;
        }
        ok = Finish(current.speech, wave, error);
    }
    for (Running &r : running) {
        r.process->kill();
        r.process->waitForFinished();
    }
    return ok;
}
