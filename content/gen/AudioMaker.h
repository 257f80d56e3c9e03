#pragma once
// Model audio for the sample content: the speech program ("espeak-ng") turns
// a text into a WAV, which is resampled to 16 kHz mono and encoded to MP3 by
// the base package's encoder. Results are kept in a cache folder under a hash
// of voice, pitch, speed and text, so unchanged content is never spoken twice.

#include <QByteArray>
#include <QList>
#include <QString>

struct TSpeech
{
    QString text;
    QString voice;
    int pitch = 50;
};

// 16-bit mono samples of a PCM WAV held in memory (the speech program writes
// sizes of "unknown length", so the data runs to the end). False when the
// bytes are not a 16-bit mono PCM WAV.
bool DecodeMonoWave(const QByteArray &wave, QList<qint16> &samples, int &sampleRate);
// Linear resampling of 16-bit samples.
QList<qint16> Resample(const QList<qint16> &samples, int fromRate, int toRate);
// A complete 16-bit mono PCM WAV file image.
QByteArray EncodeMonoWave(const QList<qint16> &samples, int sampleRate);

class TAudioMaker
{
public:
    TAudioMaker(const QString &cacheFolder, int parallel);

    // The cache file of one speech (whether or not it exists yet).
    QString CacheFile(const TSpeech &speech) const;
    // Makes every missing cache file. Runs up to `parallel` speech programs
    // at once. False on the first failure, with `error` saying what failed.
    bool Make(const QList<TSpeech> &speeches, QString &error);

    int Spoken() const { return m_spoken; }
    int Reused() const { return m_reused; }

    static constexpr int kSampleRate = 16000;
    static constexpr int kWordsPerMinute = 140;

private:
    bool Finish(const TSpeech &speech, const QByteArray &wave, QString &error);

    QString m_cache;
    int m_parallel;
    int m_spoken = 0;
    int m_reused = 0;
};
