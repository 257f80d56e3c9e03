#pragma once
// The recordings that the fake sound and grading engines write: 16 kHz mono
// 16-bit PCM WAV files with the canonical 44-byte header, so that code which
// reads, converts or uploads a recording gets a real file.

#include <QByteArray>
#include <QString>
#include <QVector>

inline constexpr int kFakeWavSampleRate = 16000;

// A quarter of a second of a 440 Hz tone.
QVector<qint16> DefaultRecordSamples();

// The whole file: header and little-endian samples.
QByteArray BuildWav(const QVector<qint16> &samples);

// A path as the module writes it ("tmp\temp.wav") turned into one this
// system's file functions take: every "\" becomes "/".
QString FakeLocalPath(const QString &name);
