#pragma once
// 16-bit PCM WAV files as the system writes them: the canonical 44-byte
// header ("RIFF", size 36 + data, "WAVE", a 16-byte "fmt " chunk, "data",
// data size) followed by little-endian samples.

#include "basemod_export.h"

#include <QByteArray>
#include <QList>

// The 44-byte header of a 16-bit PCM WAV holding `dataBytes` bytes of samples.
BASEMOD_EXPORT QByteArray PcmWaveHeader(quint32 dataBytes, quint32 sampleRate, quint16 channels = 1);

// Appends samples as little-endian 16-bit values.
BASEMOD_EXPORT void AppendPcmSamples(QByteArray &out, const QList<qint16> &samples);

// A whole mono file: header and samples.
BASEMOD_EXPORT QByteArray BuildMonoWave(const QList<qint16> &samples, quint32 sampleRate);
