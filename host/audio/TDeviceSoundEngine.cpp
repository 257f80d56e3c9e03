#include "TDeviceSoundEngine.h"

#include "TDevicePlayback.h"
#include "TDeviceRecorder.h"

#include "EnginePath.h"

#include "Log.h"
#include "Wait.h"

#include <QAudioDecoder>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

// A waiting call looks at its playback this often (stated ms); StopPlay is
// seen sooner, through the wait's stop flag.
constexpr int kWaitStepMs = 50;

} // namespace

TDeviceSoundEngine::TDeviceSoundEngine(QString mainPath, QAudioDevice output, QAudioDevice input, QObject *parent)
    : QObject(parent),
      m_mainPath(std::move(mainPath)),
      m_output(std::move(output)),
      m_input(std::move(input)),
      m_recorder(new TDeviceRecorder(m_input, this))
{
    // The decoder's framework loads its plug-ins on first use; doing that
    // here keeps the first playback from starting late.
    if (!m_output.isNull())
        QAudioDecoder warmUp;
}

TDeviceSoundEngine::~TDeviceSoundEngine()
{
    m_onFinished = nullptr;
    StopPlay();
    StopRecord();
}

void TDeviceSoundEngine::SetOnPlayFinished(TNotifyProc handler)
{
    m_onFinished = std::move(handler);
}

void TDeviceSoundEngine::SetScoreSoundProvider(TScoreSoundProvider provider)
{
    m_scoreSounds = std::move(provider);
}

bool TDeviceSoundEngine::IsPlaying() const
{
    return m_playState && !m_playState->ended;
}

void TDeviceSoundEngine::PlayVoice(const QString &fileName, bool wait)
{
    PlayFile(fileName, wait, 0);
}

void TDeviceSoundEngine::PlayFile(const QString &fileName, bool wait, int speedPercent)
{
    const QString path = EngineFilePath(m_mainPath, fileName);
    play(path, path, wait, speedPercent);
}

void TDeviceSoundEngine::PlayScoreSound(int kind, double score)
{
    PlayScoreSoundEx(kind, false, score);
}

void TDeviceSoundEngine::PlayScoreSoundEx(int kind, bool wait, double score)
{
    const QString name = QStringLiteral("score:") + QString::number(kind);
    const std::optional<QByteArray> bytes = m_scoreSounds ? m_scoreSounds(kind, score) : std::nullopt;
    if (!bytes) {
        play(name, QString(), wait, 0); // a comment that cannot play
        return;
    }
    playBytes(name, *bytes, QStringLiteral("mp3"), wait);
}

void TDeviceSoundEngine::SetPlaySpeed(const QString &fileName, int speedPercent)
{
    if (IsPlaying() && m_playback && m_playingName == EngineFilePath(m_mainPath, fileName))
        m_playback->SetSpeedPercent(speedPercent);
}

void TDeviceSoundEngine::PlayUrl(const QString &url, bool wait)
{
    if (const std::optional<QString> file = LocalFileOfAddress(url)) {
        PlayFile(*file, wait, 0);
        return;
    }
    playStream(QUrl(url), wait);
}

void TDeviceSoundEngine::StopPlay()
{
    if (m_playState)
        m_playState->ended = true;
    m_playState.reset();
    if (QNetworkReply *download = m_download.data()) {
        m_download = nullptr;
        download->abort();
    }
    if (TDevicePlayback *playback = m_playback.data()) {
        m_playback = nullptr;
        playback->Stop();
        playback->deleteLater();
    }
}

void TDeviceSoundEngine::play(const QString &name, const QString &path, bool wait, int speedPercent)
{
    StopPlay();
    auto state = std::make_shared<TWaitState>();
    m_playState = state;
    m_playingName = name;
    auto *playback = new TDevicePlayback(m_output, speedPercent); // freed with deleteLater only
    m_playback = playback;
    playback->Start(path, [this, state, playback, name](TDevicePlayback::TEnd end, const QString &reason) {
        if (end == TDevicePlayback::TEnd::Failed)
            procSaveLog(QStringLiteral("error:PlayFile cannot play ") % name % QStringLiteral(": ") % reason);
        state->ended = true;
        if (m_playState == state)
            m_playState.reset();
        if (m_playback == playback)
            m_playback = nullptr;
        playback->deleteLater();
        if (const TNotifyProc handler = m_onFinished)
            handler();
    });
    if (wait)
        waitFor(state);
}

void TDeviceSoundEngine::playBytes(const QString &name, const QByteArray &bytes, const QString &suffix, bool wait)
{
    // The decoder reads files; each piece of audio gets its own, so a file
    // still being read by an ending playback is never overwritten.
    const QString path =
        m_temp.filePath(QStringLiteral("sound") % QString::number(++m_tempCount) % QStringLiteral(".") % suffix);
    QFile file(path);
    if (!m_temp.isValid() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        procSaveLog(QStringLiteral("error:PlayFile cannot store the audio of ") % name);
        file.close();
        play(name, QString(), wait, 0); // fails, and ends as a playback that could not play
        return;
    }
    file.close();
    play(name, path, wait, 0);
}

void TDeviceSoundEngine::playStream(const QUrl &address, bool wait)
{
    StopPlay();
    const QString name = address.toString();
    auto state = std::make_shared<TWaitState>();
    m_playState = state;
    m_playingName = name;
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(address);
    request.setTransferTimeout(kStreamTimeoutMs);
    QNetworkReply *reply = m_network->get(request);
    m_download = reply;
    // Set when the stream has arrived and plays: its own playback's wait.
    auto playing = std::make_shared<std::shared_ptr<TWaitState>>();
    connect(reply, &QNetworkReply::finished, this, [this, state, reply, name, playing] {
        reply->deleteLater();
        if (state->ended)
            return; // stopped while it was arriving
        m_download = nullptr;
        const QByteArray bytes = reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
        if (bytes.isEmpty())
            procSaveLog(QStringLiteral("error:PlayUrl cannot fetch ") % name % QStringLiteral(": ")
                        % reply->errorString());
        const QString suffix = QFileInfo(reply->url().path()).suffix();
        playBytes(name, bytes, suffix.isEmpty() ? QStringLiteral("mp3") : suffix, false);
        *playing = m_playState;
        state->ended = true; // the download's part of the wait is over
    });
    if (!wait)
        return;
    QPointer<TDeviceSoundEngine> guard(this);
    waitFor(state);
    if (guard && *playing && !(*playing)->ended)
        waitFor(*playing);
}

void TDeviceSoundEngine::waitFor(const std::shared_ptr<TWaitState> &state)
{
    while (!state->ended) {
        if (WaitFor(kWaitStepMs, &state->ended, this) == TWaitEnd::Gone)
            return; // the engine was deleted by an event handled during the wait
    }
}

void TDeviceSoundEngine::StartRecord(const QString &wavFileName)
{
    StartRecording(EngineFilePath(m_mainPath, wavFileName));
}

void TDeviceSoundEngine::StopRecord()
{
    StopRecording();
}

bool TDeviceSoundEngine::StartRecording(const QString &path)
{
    QString error;
    if (m_recorder->Start(path, &error))
        return true;
    procSaveLog(QStringLiteral("error:StartRecord: ") % error);
    return false;
}

bool TDeviceSoundEngine::IsRecording() const
{
    return m_recorder->IsRecording();
}

QString TDeviceSoundEngine::RecordingPath() const
{
    return m_recorder->IsRecording() ? m_recorder->Path() : QString();
}

void TDeviceSoundEngine::StopRecording()
{
    m_recorder->Stop();
}
