// Sample conversions: any input format to 16 kHz mono 16-bit, piece by piece
// as a device delivers it, and a change of playback speed while frames are
// read. (Reading at each speed: DeviceSoundEngineTest's round trip.)

#include "PcmConvert.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

QAudioFormat Format(int rate, int channels, QAudioFormat::SampleFormat sample)
{
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(sample);
    return f;
}

// `ms` of a sine of `hz` at `amplitude` (of full scale) in `format`; channel c
// is multiplied by channelSign(c).
QByteArray Sine(
    const QAudioFormat &format, double hz, double amplitude, int ms,
    const std::function<double(int)> &channelSign = [](int) { return 1.0; })
{
    QByteArray out;
    const qint64 frames = qint64(format.sampleRate()) * ms / 1000;
    for (qint64 i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / format.sampleRate());
        for (int c = 0; c < format.channelCount(); ++c) {
            const double s = v * channelSign(c);
            char b[4];
            switch (format.sampleFormat()) {
            case QAudioFormat::UInt8:
                out.append(static_cast<char>(static_cast<unsigned char>(std::lround(128 + s * 127))));
                break;
            case QAudioFormat::Int16:
                qToLittleEndian(static_cast<qint16>(std::lround(s * 32767)), b);
                out.append(b, 2);
                break;
            case QAudioFormat::Int32:
                qToLittleEndian(static_cast<qint32>(std::lround(s * 2147483647.0)), b);
                out.append(b, 4);
                break;
            default:
                qToLittleEndian(static_cast<float>(s), b);
                out.append(b, 4);
                break;
            }
        }
    }
    return out;
}

QList<double> Levels(const QByteArray &samples)
{
    QList<double> out;
    for (qsizetype i = 0; i + 1 < samples.size(); i += 2)
        out << qFromLittleEndian<qint16>(samples.constData() + i) / 32768.0;
    return out;
}

double Rms(const QList<double> &v, qsizetype skip = 0)
{
    double sum = 0;
    for (qsizetype i = skip; i < v.size(); ++i)
        sum += v[i] * v[i];
    return v.size() > skip ? std::sqrt(sum / static_cast<double>(v.size() - skip)) : 0.0;
}

int ZeroCrossings(const QList<double> &v)
{
    int n = 0;
    for (qsizetype i = 1; i < v.size(); ++i)
        if ((v[i - 1] < 0) != (v[i] < 0))
            ++n;
    return n;
}

} // namespace

TEST(MonoResampler, EveryDeviceFormatBecomesOneSecondOf16kHzMono)
{
    struct Case
    {
        int rate;
        int channels;
        QAudioFormat::SampleFormat sample;
    };
    const Case cases[] = {
        {16000, 1, QAudioFormat::Int16}, {44100, 2, QAudioFormat::Int16}, {48000, 1, QAudioFormat::Float},
        {8000, 1, QAudioFormat::Int16},  {44100, 2, QAudioFormat::Int32}, {22050, 1, QAudioFormat::UInt8},
        {96000, 6, QAudioFormat::Float},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " ch, format " << c.sample);
        const QAudioFormat format = Format(c.rate, c.channels, c.sample);
        TMonoResampler resampler(format);
        const QList<double> out = Levels(resampler.Push(Sine(format, 440, 0.5, 1000)));
        EXPECT_NEAR(out.size(), 16000, 2);
        EXPECT_EQ(resampler.OutputSamples(), out.size());
        EXPECT_NEAR(Rms(out), 0.5 / std::sqrt(2.0), 0.02); // level kept
        EXPECT_NEAR(ZeroCrossings(out), 880, 4);           // pitch kept
    }
}

TEST(MonoResampler, PiecesOfAnySizeGiveTheSameSamplesAsTheWhole)
{
    for (const QAudioFormat &format : {Format(44100, 2, QAudioFormat::Int16), Format(8000, 1, QAudioFormat::Float)}) {
        const QByteArray input = Sine(format, 300, 0.8, 500);
        TMonoResampler whole(format);
        const QByteArray expected = whole.Push(input);
        TMonoResampler pieces(format);
        QByteArray got;
        // Piece sizes that split frames and samples.
        for (qsizetype at = 0, step = 1; at < input.size(); at += step, step = step * 3 % 1021 + 1)
            got += pieces.Push(input.mid(at, step));
        EXPECT_EQ(got, expected);
    }
}

TEST(MonoResampler, ChannelsAreAveraged)
{
    // Opposite channels cancel.
    const QAudioFormat stereo = Format(48000, 2, QAudioFormat::Int16);
    TMonoResampler mono(stereo);
    EXPECT_LT(Rms(Levels(mono.Push(Sine(stereo, 440, 0.5, 200, [](int c) { return c == 0 ? 1.0 : -1.0; })))), 1e-3);
}

TEST(RateReader, ASpeedChangeTakesEffectAtTheCurrentPosition)
{
    TRateReader reader(1);
    QByteArray flat(2 * 1000, '\0');
    reader.Append(flat);
    EXPECT_EQ(reader.Read(400, 1.0).size(), 800);        // 400 source frames
    EXPECT_EQ(reader.Read(10000, 1.25).size(), 2 * 480); // the other 600 at 1.25
    EXPECT_TRUE(reader.AtEnd());
    // Frames appended later (a decoder still running) are read on.
    reader.Append(flat);
    EXPECT_FALSE(reader.AtEnd());
}
