#include "TDeviceFreeSoundEngine.h"

#include "AudioDuration.h"
#include "EnginePath.h"
#include "SimWav.h"

#include "Log.h"
#include "StudyClock.h"
#include "Wait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

// Playbacks advance in steps of this much stated time.
constexpr int kStepMs = 20;

// Audio milliseconds played per stated millisecond at a speed percent
// (-25 plays slower, +25 faster). Kept within sane bounds.
double rate(int speedPercent)
{
    return (100.0 + std::clamp(speedPercent, -90, 400)) / 100.0;
}

} // namespace

TDeviceFreeSoundEngine::TDeviceFreeSoundEngine(QString mainPath, QObject *parent)
    : QObject(parent),
      m_mainPath(std::move(mainPath))
{
    m_ticker.setInterval(StudyClock::scaled(kStepMs));
    connect(&m_ticker, &QTimer::timeout, this, [this] { tick(); });
}

TDeviceFreeSoundEngine::~TDeviceFreeSoundEngine()
{
    // A waiting call still on the stack learns of the deletion through its
    // guard; it must not be told to stop through the flag, which it no
    // longer reads.
    m_onFinished = nullptr;
    m_ticker.stop();
    if (IsRecording())
        StopRecord();
}

void TDeviceFreeSoundEngine::SetOnPlayFinished(TNotifyProc handler)
{
    m_onFinished = std::move(handler);
}

void TDeviceFreeSoundEngine::PlayVoice(const QString &fileName, bool wait)
{
    PlayFile(fileName, wait, 0);
}

void TDeviceFreeSoundEngine::PlayFile(const QString &fileName, bool wait, int speedPercent)
{
    const QString path = EngineFilePath(m_mainPath, fileName);
    std::optional<qint64> duration;
    if (!path.isEmpty() && QFileInfo(path).isFile())
        duration = AudioFileDurationMs(path);
    if (!duration)
        procSaveLog(QStringLiteral("error:PlayFile cannot play ") + fileName);
    play(path, duration, wait, speedPercent);
}

void TDeviceFreeSoundEngine::PlayScoreSound(int kind, double score)
{
    PlayScoreSoundEx(kind, false, score);
}

void TDeviceFreeSoundEngine::PlayScoreSoundEx(int kind, bool wait, double score)
{
    std::optional<qint64> duration = kDefaultCommentMs;
    if (m_scoreSounds) {
        const auto bytes = m_scoreSounds(kind, score);
        duration = bytes ? AudioBytesDurationMs(*bytes) : std::nullopt;
    }
    play(QStringLiteral("score:") + QString::number(kind), duration, wait, 0);
}

void TDeviceFreeSoundEngine::SetPlaySpeed(const QString &fileName, int speedPercent)
{
    if (m_current && m_current->name == EngineFilePath(m_mainPath, fileName))
        m_current->speedPercent = speedPercent;
}

void TDeviceFreeSoundEngine::PlayUrl(const QString &url, bool wait)
{
    if (const std::optional<QString> file = LocalFileOfAddress(url)) {
        PlayFile(*file, wait, 0);
        return;
    }
    playStream(QUrl(url), wait);
}

void TDeviceFreeSoundEngine::StopPlay()
{
    if (const auto playback = m_current) {
        playback->stop = true;
        end(playback);
    }
}

void TDeviceFreeSoundEngine::StartRecord(const QString &wavFileName)
{
    if (IsRecording())
        StopRecord();
    const QString path = EngineFilePath(m_mainPath, wavFileName);
    // The file exists from the start, as a recorder's would; it receives its
    // samples and final header when the recording stops.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(SimWavHeader(0)) != 44) {
        procSaveLog(QStringLiteral("error:StartRecord cannot write ") + wavFileName);
        return;
    }
    m_recordPath = path;
    m_recordClock.start();
}

void TDeviceFreeSoundEngine::StopRecord()
{
    if (!IsRecording())
        return;
    const QString path = std::exchange(m_recordPath, QString());
    const double stated = static_cast<double>(m_recordClock.elapsed()) * StudyClock::speed();
    const qint64 ms = std::min<qint64>(std::llround(stated), kMaxRecordMs);
    if (!WriteSimWav(path, ms))
        procSaveLog(QStringLiteral("error:StopRecord cannot write ") + path);
}

void TDeviceFreeSoundEngine::SetScoreSoundProvider(TScoreSoundProvider provider)
{
    m_scoreSounds = std::move(provider);
}

QString TDeviceFreeSoundEngine::PlayingName() const
{
    return m_current ? m_current->name : QString();
}

std::shared_ptr<TDeviceFreeSoundEngine::TPlayback> TDeviceFreeSoundEngine::begin(const QString &name, bool wait,
                                                                                 int speedPercent)
{
    StopPlay();
    auto playback = std::make_shared<TPlayback>();
    playback->name = name;
    playback->speedPercent = speedPercent;
    m_current = playback;
    m_currentWaits = wait;
    if (!wait) {
        // Even an empty playback ends from the timer, never inside the call.
        m_ticker.setInterval(StudyClock::scaled(kStepMs));
        m_ticker.start();
        m_tickClock.start();
    }
    return playback;
}

void TDeviceFreeSoundEngine::play(const QString &name, std::optional<qint64> durationMs, bool wait, int speedPercent)
{
    const auto playback = begin(name, wait, speedPercent);
    playback->remainingMs = static_cast<double>(durationMs.value_or(0));
    if (wait)
        waitFor(playback);
}

void TDeviceFreeSoundEngine::playStream(const QUrl &address, bool wait)
{
    const QString name = address.toString();
    const auto playback = begin(name, wait, 0);
    playback->loading = true;
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(address);
    request.setTransferTimeout(StudyClock::scaled(kStreamTimeoutMs));
    QNetworkReply *reply = m_network->get(request);
    playback->reply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, playback, reply, name] {
        reply->deleteLater();
        if (playback->ended)
            return; // stopped while it was arriving
        std::optional<qint64> duration;
        if (reply->error() == QNetworkReply::NoError)
            duration = AudioBytesDurationMs(reply->readAll());
        if (!duration)
            procSaveLog(QStringLiteral("error:PlayUrl cannot play ") + name);
        playback->remainingMs = static_cast<double>(duration.value_or(0));
        playback->loading = false;
        if (m_current == playback && !m_currentWaits)
            m_tickClock.start(); // playing starts now
    });
    if (wait)
        waitFor(playback);
}

void TDeviceFreeSoundEngine::waitFor(const std::shared_ptr<TPlayback> &playback)
{
    // Progress follows the clock, not the number of steps, so that the time
    // spent handling events between steps does not lengthen the playback.
    QElapsedTimer clock;
    clock.start();
    qint64 seen = 0;
    while (!playback->stop && (playback->loading || playback->remainingMs > 0)) {
        const double perMs = rate(playback->speedPercent);
        const int step = playback->loading
                             ? kStepMs
                             : std::clamp(static_cast<int>(std::ceil(playback->remainingMs / perMs)), 1, kStepMs);
        const bool wasLoading = playback->loading;
        if (WaitFor(step, &playback->stop, this) == TWaitEnd::Gone)
            return; // the engine was deleted by an event handled during the wait
        const qint64 now = clock.elapsed();
        if (!wasLoading)
            playback->remainingMs -=
                static_cast<double>(now - seen) * StudyClock::speed() * rate(playback->speedPercent);
        seen = now;
    }
    end(playback);
}

void TDeviceFreeSoundEngine::tick()
{
    const auto playback = m_current;
    if (!playback || m_currentWaits) {
        m_ticker.stop();
        return;
    }
    const qint64 real = m_tickClock.restart();
    if (playback->loading)
        return;
    playback->remainingMs -= static_cast<double>(real) * StudyClock::speed() * rate(playback->speedPercent);
    if (playback->remainingMs <= 0)
        end(playback);
}

void TDeviceFreeSoundEngine::end(const std::shared_ptr<TPlayback> &playback)
{
    if (playback->ended)
        return;
    playback->ended = true;
    if (playback->reply)
        playback->reply->abort();
    if (m_current == playback) {
        m_current.reset();
        m_ticker.stop();
    }
    if (const TNotifyProc handler = m_onFinished)
        handler();
}
