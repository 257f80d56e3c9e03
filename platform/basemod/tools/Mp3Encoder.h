#pragma once
// MP3 encoding of recordings before they are uploaded.

#include "basemod_export.h"

#include <QString>

class QObject;

#include <cstdint>

// Layout of a PCM WAV file as far as the encoder needs it.
struct TWaveFormat
{
    int channels = 0;      // 1 or 2
    int sampleRate = 0;    // samples per second
    int bitsPerSample = 0; // always 16 for an accepted file
    qint64 dataOffset = 0; // first byte of the samples
    qint64 dataBytes = 0;  // bytes of whole sample frames
};

// Reads the RIFF header of `wavPath`. Accepted: "RIFF"/"WAVE" files with a
// "fmt " chunk of PCM (format 1, or the extensible format with a PCM
// sub-format), 16 bits, 1 or 2 channels, 1 to 384000 samples per second,
// followed by a "data" chunk with at least one sample frame. A data size that
// runs past the end of the file (or the "unknown" size 0xFFFFFFFF that a
// recorder leaves when it was not closed) is cut to what the file holds.
// On failure returns false and sets `error`.
BASEMOD_EXPORT bool ReadWaveFormat(const QString &wavPath, TWaveFormat &format, QString *error = nullptr);

enum class TMp3Result {
    Ok,
    Stopped,      // the stop flag was (or became) true
    BadWave,      // the input is missing or is not an accepted WAV
    Busy,         // the target is already being written by this process
    EncoderError, // the encoder refused the format or failed
    WriteError,   // the target could not be written
};

// Encodes `wavPath` to `mp3Path` (constant 64 kbit/s per channel, no tags),
// reading the samples in chunks of one second. Between chunks the
// user-interface events are dispatched (through WaitFor) and `stop` is read,
// so a close or leave handler can end the encoding. The MP3 is written to a
// temporary file beside the target and renamed over it only when complete:
// a stopped or failed encoding leaves no partial file and keeps an older file
// of that name as it was. The target's folder is created when missing, and
// the target is reported by IsFileInUse for the whole run. `stop` may be null.
// When `guard` is given and is destroyed by an event handled during the
// encoding, the encoding ends as stopped without reading `stop` again (the
// flag usually lives in the guarded object).
BASEMOD_EXPORT TMp3Result EncodeWaveToMp3(const QString &wavPath, const QString &mp3Path, const bool *stop,
                                          QString *error = nullptr, const QObject *guard = nullptr);

// The base package's encoder call: EncodeWaveToMp3 with the caller's stop
// flag. True only when the MP3 was written completely. Failures other than a
// stop are written to the log as "error:waveToMp3 " + reason.
BASEMOD_EXPORT bool waveToMp3(const QString &wavPath, const QString &mp3Path, const bool &stop,
                              const QObject *guard = nullptr);
