#pragma once
// Sample conversions of the device sound engine.
//
// Recording: whatever the input device delivers (8 to 192 kHz, any channel
// count, 8/16/32-bit integer or float samples) becomes the 16 kHz mono 16-bit
// samples of the engine's WAV files. Channels are averaged; a higher rate is
// brought down by averaging each output sample's span of input (so tones
// above 8 kHz do not fold back into the speech band), a lower rate is raised
// by linear interpolation. The converter keeps its position between chunks,
// so a recording converted piece by piece is the same as one converted whole.
//
// Playback: decoded 16-bit frames are read at a speed factor (0.75 plays
// slower and lower, 1.25 faster and higher) by linear interpolation.

#include <QAudioFormat>
#include <QByteArray>
#include <QList>

inline constexpr int kRecordSampleRate = 16000;

// The mono level of one frame of `format` at `frame`, as a value in [-1, 1].
// `data` must hold the whole frame.
double FrameLevel(const char *frame, const QAudioFormat &format);

class TMonoResampler
{
public:
    // `input` must be valid (rate, channels, sample format).
    explicit TMonoResampler(const QAudioFormat &input, int outputRate = kRecordSampleRate);

    // Converts the next chunk of input bytes; a trailing partial frame is kept
    // for the next chunk. Returns little-endian 16-bit samples.
    QByteArray Push(const QByteArray &bytes);

    // Output samples produced so far.
    qint64 OutputSamples() const { return m_outCount; }

private:
    void Emit(double level, QByteArray &out);

    QAudioFormat m_input;
    int m_outputRate;
    QByteArray m_partial; // bytes of an unfinished input frame
    qint64 m_inCount = 0; // input frames seen
    qint64 m_outCount = 0;
    // Downsampling: the current output span's weighted sum and weight.
    double m_sum = 0;
    double m_weight = 0;
    // Upsampling: the last input level.
    double m_last = 0;
    bool m_haveLast = false;
};

// Reads interleaved 16-bit frames at a speed factor. Position is in frames of
// the source and may fall between two frames.
class TRateReader
{
public:
    explicit TRateReader(int channels);

    // Appends decoded frames (interleaved little-endian 16-bit).
    void Append(const QByteArray &bytes);
    // Produces up to `frames` output frames read at `speed` (1.0 normal);
    // fewer when the source runs out.
    QByteArray Read(qint64 frames, double speed);
    // True when every appended frame has been read.
    bool AtEnd() const;
    qint64 SourceFrames() const { return m_frames; }

private:
    int m_channels;
    QByteArray m_data;
    qint64 m_frames = 0;
    double m_pos = 0;
};
