#pragma once
// Joining the learner's passage recordings into one WAV file: the part
// recordings of a reading ("tmp\part\<n>.wav") or the backups of a continued
// reading, written as 16 kHz mono 16-bit PCM behind one 44-byte header.

#include <QString>
#include <QStringList>

struct TWaveMergeResult
{
    bool ok = false;
    QStringList skipped; // inputs left out: missing, shorter than a header, or not RIFF/WAVE
    QString error;       // why the output could not be written
};

// Writes the header and, in order, every input's bytes after its own 44-byte
// header (copied as they are). An input that cannot be read, is shorter than
// 44 bytes or does not start as a RIFF/WAVE file is left out and named in
// `skipped`, so one bad file neither corrupts nor stops the join. An output
// that cannot be written completely is removed and reported.
TWaveMergeResult MergeWaveFiles(const QStringList &inputs, const QString &output);

// The "<n>.wav" files of a folder in joining order: by increasing n (a name
// that is not a number counts as 0; of two files with the same n the later
// in name order wins).
QStringList PartRecordingsInOrder(const QString &folder);
