#include "TSimGradeEngine.h"

#include "EnginePath.h"
#include "SimGrading.h"
#include "GradeOnWorker.h"
#include "SimWav.h"
#include "WavAudio.h"

#include "Log.h"
#include "StudyClock.h"
#include "Wait.h"

#include <QElapsedTimer>

#include <chrono>
#include <future>

#include <algorithm>
#include <cmath>

TSimGradeEngine::TSimGradeEngine(QString mainPath, QObject *parent) : QObject(parent), m_mainPath(std::move(mainPath))
{
}

QString TSimGradeEngine::GetLastResult()
{
    return m_lastResult;
}

bool TSimGradeEngine::IsEngineReady()
{
    return m_ready;
}

nlohmann::ordered_json &TSimGradeEngine::GetEngineParams()
{
    return m_params;
}

void TSimGradeEngine::SetEngineParams(const nlohmann::ordered_json &params)
{
    m_params = params;
}

void TSimGradeEngine::Evaluate(int mode, const QString &wavFileName, const QString &text, int seconds)
{
    evaluate(mode, text, wavFileName, seconds, nullptr);
}

QString TSimGradeEngine::EvaluateStoppable(int mode, const QString &text, const QString &wavFileName, int seconds,
                                           bool &stop)
{
    if (!evaluate(mode, text, wavFileName, seconds, &stop))
        return {};
    return stop ? QStringLiteral("stopped") : QStringLiteral("done");
}

void TSimGradeEngine::SetEngineReady(bool ready)
{
    m_ready = ready;
}

void TSimGradeEngine::SetScorer(TGradeScorer scorer)
{
    m_scorer = std::move(scorer);
}

bool TSimGradeEngine::SetMicrophone(const QStringList &wavPaths)
{
    std::vector<std::vector<std::int16_t>> speech;
    for (const QString &path : wavPaths) {
        std::optional<grader::TAudio> audio = grader::ReadWav(path.toStdString(), 0);
        if (!audio || audio->samples.empty()) {
            procSaveLog(QStringLiteral("error:SetMicrophone cannot read ") + path);
            return false;
        }
        speech.push_back(std::move(audio->samples));
    }
    m_microphone = std::move(speech);
    m_nextMicrophone = 0;
    return true;
}

void TSimGradeEngine::QueueResult(const QString &resultJson)
{
    m_queued << resultJson;
}

bool TSimGradeEngine::evaluate(int mode, const QString &text, const QString &wavFileName, int seconds, const bool *stop)
{
    m_lastResult.clear();
    const qint64 allowed = std::max(0, seconds) * qint64(1000);
    const std::vector<std::int16_t> *speech = nullptr;
    if (!m_microphone.empty())
        speech = &m_microphone[m_nextMicrophone++ % m_microphone.size()];
    const qint64 spoken = speech ? static_cast<qint64>(speech->size()) * 1000 / kSimWavSampleRate : SimSpeechMs(text);
    const qint64 wanted = std::min(spoken, allowed);
    // A recording that ran its full time has exactly the wanted length (the
    // same attempt always grades the same); a stopped one has the stated time
    // that passed on the study clock.
    QElapsedTimer clock;
    clock.start();
    qint64 recorded = wanted;
    if (wanted > 0) {
        const TWaitEnd how = WaitFor(static_cast<int>(wanted), stop, this);
        if (how == TWaitEnd::Gone)
            return false;
        if (how == TWaitEnd::Stopped)
            recorded =
                std::min<qint64>(wanted, std::llround(static_cast<double>(clock.elapsed()) * StudyClock::speed()));
    }
    m_lastRecordedMs = recorded;
    // A scorer needs the recording even when the module names no file.
    const QString name =
        wavFileName.isEmpty() && m_scorer && m_queued.isEmpty() ? QStringLiteral("tmp\\grading.wav") : wavFileName;
    const QString path = EngineFilePath(m_mainPath, name);
    const bool written = speech ? writeSpeech(path, *speech, recorded) : WriteSimWav(path, recorded);
    if (!path.isEmpty() && !written)
        procSaveLog(QStringLiteral("error:Evaluate cannot write ") + name);

    if (!m_queued.isEmpty()) {
        m_lastResult = m_queued.takeFirst();
        return true;
    }
    if (m_scorer)
        return score(mode, text, path, seconds);
    const TGradeMode gradeMode = mode == 0 ? TGradeMode::Word : mode == 2 ? TGradeMode::Passage : TGradeMode::Sentence;
    const nlohmann::ordered_json result = SimGradeResult(gradeMode, text, recorded);
    m_lastResult = QString::fromStdString(nlohmann::ordered_json{{"result", result}}.dump());
    return true;
}

bool TSimGradeEngine::writeSpeech(const QString &path, const std::vector<std::int16_t> &speech, qint64 ms)
{
    const auto count = std::min<std::size_t>(speech.size(), static_cast<std::size_t>(SimSamplesForMs(ms)));
    QByteArray samples;
    samples.reserve(static_cast<qsizetype>(count * 2));
    for (std::size_t i = 0; i < count; ++i) {
        const auto v = static_cast<quint16>(speech[i]);
        samples.append(static_cast<char>(v & 0xff));
        samples.append(static_cast<char>(v >> 8));
    }
    return WriteSimWavSamples(path, samples);
}

bool TSimGradeEngine::score(int mode, const QString &text, const QString &wavPath, int seconds)
{
    bool gone = false;
    const auto result = GradeOnWorker(
        [scorer = m_scorer, mode, text, wavPath, seconds] {
            return QString::fromStdString(
                nlohmann::ordered_json{{"result", scorer(mode, text, wavPath, seconds)}}.dump());
        },
        this, gone);
    if (gone)
        return false;
    m_lastResult = result.value_or(QString());
    return true;
}
