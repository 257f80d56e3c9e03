#include "RecordingScorer.h"

#include "Mp3Encoder.h"

QString SimScoreRecording(TGradeMode mode, const QString &text, const QString &wavPath)
{
    TWaveFormat format;
    if (!ReadWaveFormat(wavPath, format))
        return {};
    const qint64 frameBytes = qint64(format.channels) * 2;
    const qint64 ms = format.dataBytes / frameBytes * 1000 / format.sampleRate;
    const nlohmann::ordered_json result = SimGradeResult(mode, text, ms);
    return QString::fromStdString(nlohmann::ordered_json{{"result", result}}.dump());
}
