#include "FakeSoundEngine.h"

#include "FakeWav.h"
#include "StudyClock.h"
#include "Wait.h"

#include <QFileInfo>
#include <QTimer>

namespace {

QString boolText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

bool fileExists(const QString &name)
{
    return !name.isEmpty() && QFileInfo(FakeLocalPath(name)).isFile();
}

} // namespace

FakeSoundEngine::~FakeSoundEngine()
{
    if (m_current)
        m_current->ended = true;
    m_record.close();
}

QString FakeSoundEngine::PlayingName() const
{
    return m_current ? m_current->name : QString();
}

void FakeSoundEngine::SetOnPlayFinished(TNotifyProc handler)
{
    m_calls.Add(QStringLiteral("SetOnPlayFinished"), {handler ? QStringLiteral("set") : QStringLiteral("none")});
    m_onFinished = std::move(handler);
}

void FakeSoundEngine::PlayVoice(const QString &fileName, bool wait)
{
    m_calls.Add(QStringLiteral("PlayVoice"), {fileName, boolText(wait)});
    if (fileExists(fileName))
        play(fileName, m_playMs, wait);
}

void FakeSoundEngine::PlayFile(const QString &fileName, bool wait, int speedPercent)
{
    m_calls.Add(QStringLiteral("PlayFile"), {fileName, boolText(wait), QString::number(speedPercent)});
    if (fileExists(fileName))
        play(fileName, m_playMs, wait);
}

void FakeSoundEngine::PlayScoreSound(int kind, double score)
{
    m_calls.Add(QStringLiteral("PlayScoreSound"), {QString::number(kind), QString::number(score)});
    play(QStringLiteral("score:%1:%2").arg(kind).arg(score), m_scoreMs, false);
}

void FakeSoundEngine::PlayScoreSoundEx(int kind, bool wait, double score)
{
    m_calls.Add(QStringLiteral("PlayScoreSoundEx"), {QString::number(kind), boolText(wait), QString::number(score)});
    play(QStringLiteral("score:%1:%2").arg(kind).arg(score), m_scoreMs, wait);
}

void FakeSoundEngine::SetPlaySpeed(const QString &fileName, int speedPercent)
{
    m_calls.Add(QStringLiteral("SetPlaySpeed"), {fileName, QString::number(speedPercent)});
}

void FakeSoundEngine::PlayUrl(const QString &url, bool wait)
{
    m_calls.Add(QStringLiteral("PlayUrl"), {url, boolText(wait)});
    if (!url.isEmpty())
        play(url, m_playMs, wait);
}

void FakeSoundEngine::StopPlay()
{
    m_calls.Add(QStringLiteral("StopPlay"));
    if (m_current)
        finish(m_current);
}

void FakeSoundEngine::StartRecord(const QString &wavFileName)
{
    m_calls.Add(QStringLiteral("StartRecord"), {wavFileName});
    m_record.close();
    WriteFakeRecording(m_record, wavFileName);
}

void FakeSoundEngine::StopRecord()
{
    m_calls.Add(QStringLiteral("StopRecord"));
    m_record.close();
    if (m_onStopRecord)
        m_onStopRecord();
}

void FakeSoundEngine::play(const QString &name, int ms, bool wait)
{
    if (m_current)
        finish(m_current);
    auto playback = std::make_shared<Playback>();
    playback->name = name;
    m_current = playback;
    if (!wait) {
        QTimer::singleShot(StudyClock::scaled(ms), this, [this, playback] {
            if (!playback->ended)
                finish(playback);
        });
        return;
    }
    if (WaitFor(ms, &playback->ended, this) == TWaitEnd::Gone)
        return;
    if (!playback->ended)
        finish(playback);
}

void FakeSoundEngine::finish(const std::shared_ptr<Playback> &playback)
{
    playback->ended = true;
    if (m_current == playback)
        m_current.reset();
    if (m_onFinished) {
        // A copy: the handler may replace or clear itself.
        const TNotifyProc handler = m_onFinished;
        handler();
    }
}
