#pragma once
// The WAV files the device-free engines write: 16 kHz mono 16-bit PCM with the
// canonical 44-byte header. The "microphone" is a quiet 440 Hz tone, so the
// same recording length always gives the same bytes.

#include <QByteArray>
#include <QString>

inline constexpr int kSimWavSampleRate = 16000;

// The 44-byte header for `dataBytes` bytes of samples.
QByteArray SimWavHeader(quint32 dataBytes);

// `count` samples of the tone, starting at sample index `first`, as
// little-endian bytes.
QByteArray SimToneBytes(qint64 first, qint64 count);

// Sample count of `ms` milliseconds at the engines' rate.
qint64 SimSamplesForMs(qint64 ms);

// Writes a whole recording of `ms` milliseconds to `path`, creating its
// folder. False when the file cannot be written.
bool WriteSimWav(const QString &path, qint64 ms);

// The same with these samples (little-endian 16-bit) instead of the tone.
bool WriteSimWavSamples(const QString &path, const QByteArray &samples);
