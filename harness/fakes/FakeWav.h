#pragma once
// The recordings that the fake sound and grading engines write: a quarter of
// a second of a 440 Hz tone as a 16 kHz mono 16-bit PCM WAV file with the
// canonical 44-byte header, so that code which reads, converts or uploads a
// recording gets a real file.

#include <QFile>
#include <QString>

// A path as the module writes it ("tmp\temp.wav") turned into one this
// system's file functions take: every "\" becomes "/".
QString FakeLocalPath(const QString &name);

// Creates the folder of `name`, opens `file` on it for writing and writes the
// recording; false when it cannot be written. The file stays open.
bool WriteFakeRecording(QFile &file, const QString &name);
