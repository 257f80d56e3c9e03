#include "TRecordingGradeEngine.h"

#include "EnginePath.h"
#include "GradeOnWorker.h"

#include "Log.h"
#include "Wait.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// The recording is looked at this often while it runs (stated ms).
constexpr qint64 kStepMs = 20;

TGradeMode ModeOf(int mode)
{
    return mode == 0 ? TGradeMode::Word : mode == 2 ? TGradeMode::Passage : TGradeMode::Sentence;
}

} // namespace

TRecordingGradeEngine::TRecordingGradeEngine(QString mainPath, std::shared_ptr<IRecordingSource> recorder,
                                             TRecordingScorer scorer, QObject *parent)
    : QObject(parent),
      m_mainPath(std::move(mainPath)),
      m_recorder(std::move(recorder)),
      m_scorer(std::move(scorer))
{
}

QString TRecordingGradeEngine::GetLastResult()
{
    return m_lastResult;
}

bool TRecordingGradeEngine::IsEngineReady()
{
    return true;
}

nlohmann::ordered_json &TRecordingGradeEngine::GetEngineParams()
{
    return m_params;
}

void TRecordingGradeEngine::SetEngineParams(const nlohmann::ordered_json &params)
{
    m_params = params;
}

void TRecordingGradeEngine::Evaluate(int mode, const QString &wavFileName, const QString &text, int seconds)
{
    evaluate(mode, text, wavFileName, seconds, nullptr);
}

QString TRecordingGradeEngine::EvaluateStoppable(int mode, const QString &text, const QString &wavFileName, int seconds,
                                                 bool &stop)
{
    if (!evaluate(mode, text, wavFileName, seconds, &stop))
        return {};
    return stop ? QStringLiteral("stopped") : QStringLiteral("done");
}

bool TRecordingGradeEngine::evaluate(int mode, const QString &text, const QString &wavFileName, int seconds,
                                     const bool *stop)
{
    m_lastResult.clear();
    m_lastRecording.clear();
    const QString named = EngineFilePath(m_mainPath, wavFileName);
    QString path = m_recorder->RecordingPath();
    if (path.isEmpty()) {
        path = !named.isEmpty() ? named : m_temp.filePath(QStringLiteral("evaluation.wav"));
        if (!m_recorder->StartRecording(path)) {
            procSaveLog(QStringLiteral("error:Evaluate cannot record ") % path);
            return true;
        }
    }
    // The seconds allowed are real seconds: the learner speaks in real time.
    const qint64 allowed = qint64(std::max(0, seconds)) * 1000;
    QElapsedTimer clock;
    clock.start();
    while (m_recorder->RecordingPath() == path && clock.elapsed() < allowed && !(stop && *stop)) {
        const qint64 step = std::min(kStepMs, allowed - clock.elapsed());
        if (WaitFor(static_cast<int>(std::max<qint64>(1, step)), stop, this) == TWaitEnd::Gone)
            return false; // the engine was deleted by an event handled during the wait
    }
    if (m_recorder->RecordingPath() == path)
        m_recorder->StopRecording();

    if (!named.isEmpty() && QFileInfo(named).absoluteFilePath() != QFileInfo(path).absoluteFilePath()) {
        QDir().mkpath(QFileInfo(named).absolutePath());
        QFile::remove(named);
        if (!QFile::copy(path, named))
            procSaveLog(QStringLiteral("error:Evaluate cannot write ") % wavFileName);
    }
    m_lastRecording = path;
    if (!m_scorer) {
        procSaveLog(QStringLiteral("error:Evaluate cannot grade the recording ") % path);
        return true;
    }
    bool gone = false;
    const auto result = GradeOnWorker(
        [scorer = m_scorer, graded = ModeOf(mode), text, path] { return scorer(graded, text, path); }, this, gone);
    if (gone)
        return false;
    if (!result)
        return true; // the failure is logged
    m_lastResult = *result;
    if (m_lastResult.isEmpty())
        procSaveLog(QStringLiteral("error:Evaluate cannot grade the recording ") % path);
    return true;
}
