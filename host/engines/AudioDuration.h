#pragma once
// Playing time of the audio files the device-free sound engine "plays":
// PCM WAV from its header, MP3 (MPEG-1, 2 and 2.5 layer III) by walking its
// frame headers.

#include <QByteArray>
#include <QString>

#include <optional>

// Milliseconds of MP3 audio in `bytes`: an ID3v2 tag at the start is skipped,
// then every layer III frame header is read for its sample rate, bitrate and
// padding and the frame's samples are added up. Bytes that do not start a
// frame are skipped one by one. None when no frame was found.
std::optional<qint64> Mp3DurationMs(const QByteArray &bytes);

// Milliseconds of the WAV or MP3 file at `path`; none when it is missing or
// neither format.
std::optional<qint64> AudioFileDurationMs(const QString &path);

// As AudioFileDurationMs for audio held in memory.
std::optional<qint64> AudioBytesDurationMs(const QByteArray &bytes);
