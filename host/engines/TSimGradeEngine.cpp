#include "TSimGradeEngine.h"

#include "EnginePath.h"
#include "SimGrading.h"
#include "SimWav.h"

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

void TSimGradeEngine::QueueResult(const QString &resultJson)
{
    m_queued << resultJson;
}

bool TSimGradeEngine::evaluate(int mode, const QString &text, const QString &wavFileName, int seconds, const bool *stop)
{
    m_lastResult.clear();
    const qint64 allowed = std::max(0, seconds) * qint64(1000);
    const qint64 wanted = std::min(SimSpeechMs(text), allowed);
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
    if (!path.isEmpty() && !WriteSimWav(path, recorded))
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

bool TSimGradeEngine::score(int mode, const QString &text, const QString &wavPath, int seconds)
{
    // The worker gets copies only: if the engine is deleted during the wait,
    // the grading still finishes safely and its result is dropped.
    auto job = std::async(std::launch::async, [scorer = m_scorer, mode, text, wavPath, seconds] {
        return scorer(mode, text, wavPath, seconds);
    });
    while (job.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        if (WaitFor(10, nullptr, this) == TWaitEnd::Gone)
            return false;
    }
    try {
        m_lastResult = QString::fromStdString(nlohmann::ordered_json{{"result", job.get()}}.dump());
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:Evaluate grading failed: ") + QString::fromUtf8(e.what()));
        m_lastResult.clear();
    }
    return true;
}
