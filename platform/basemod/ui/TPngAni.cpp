#include "TPngAni.h"

#include "AniFrameList.h"
#include "Log.h"
#include "TFrameAnimation.h"
#include "UIPicture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <exception>

namespace {

// A file holding the sound bytes, named by their hash so that every animation
// with the same sound shares one file and a file being played is never
// rewritten with other content.
QString soundFile(const QString &soundName, const QByteArray &bytes)
{
    const QString dir = QDir::tempPath() + QStringLiteral("/StudyAniSound");
    if (!QDir().mkpath(dir))
        return QString();
    QString suffix = QFileInfo(QString(soundName).replace(QLatin1Char('\\'), QLatin1Char('/'))).suffix();
    if (suffix.isEmpty())
        suffix = QStringLiteral("mp3");
    const QString path = dir + QLatin1Char('/')
                         + QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex())
                         + QLatin1Char('.') + suffix;
    if (QFileInfo(path).size() == bytes.size())
        return path;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        return QString();
    return path;
}

} // namespace

TPngAni::TPngAni(QWidget *parent) : QObject(parent), m_view(new TFrameAnimation(parent))
{
    m_view->hide();
    connect(m_view.data(), &TFrameAnimation::Finished, this, &TPngAni::runEnded);
}

TPngAni::~TPngAni()
{
    if (!m_view)
        return;
    m_view->Stop();
    disconnect(m_view.data(), nullptr, this, nullptr);
    if (m_inHandler) {
        // Deleted from the stop handler: the view is still delivering its
        // Finished signal, so it goes once that call has returned.
        m_view->hide();
        m_view->deleteLater();
    } else {
        delete m_view.data();
    }
}

void TPngAni::SetAniSpeed(int msPerFrame)
{
    if (m_view)
        m_view->SetSpeed(msPerFrame);
}

void TPngAni::SetAniHeight(float height)
{
    if (m_view)
        m_view->SetHeight(height);
}

void TPngAni::SetAniWidth(float width)
{
    if (m_view)
        m_view->SetWidth(width);
}

void TPngAni::SetAniPosX(float x)
{
    if (m_view)
        m_view->SetX(x);
}

void TPngAni::SetAniPosY(float y)
{
    if (m_view)
        m_view->SetY(y);
}

bool TPngAni::LoadAniFile(const QString &listName)
{
    m_listName = listName;
    m_frames.clear();
    m_soundName.clear();
    m_soundBytes.clear();
    m_fixedFrame = -1;

    const std::optional<QByteArray> listBytes = ReadUIResource(listName, m_archive);
    if (!listBytes) {
        procSaveLog(QStringLiteral("error:TPngAni.LoadAniFile frame list not found ") + listName);
    } else {
        const TAniFrameList list = ParseAniFrameList(*listBytes);
        for (const QString &frame : list.frames) {
            const QString name = AniEntryName(listName, frame);
            const std::optional<QByteArray> bytes = ReadUIResource(name, m_archive);
            QImage image;
            if (!bytes || !image.loadFromData(*bytes)) {
                procSaveLog(QStringLiteral("error:TPngAni.LoadAniFile frame not loaded ") + name);
                continue;
            }
            m_frames.append(image);
        }
        if (!list.sound.isEmpty()) {
            const QString name = AniEntryName(listName, list.sound);
            const std::optional<QByteArray> bytes = ReadUIResource(name, m_archive);
            if (bytes && !bytes->isEmpty()) {
                m_soundName = name;
                m_soundBytes = *bytes;
            }
        }
        if (m_frames.isEmpty())
            procSaveLog(QStringLiteral("error:TPngAni.LoadAniFile no frames in ") + listName);
    }
    if (m_view)
        m_view->SetFrames(m_frames);
    return !m_frames.isEmpty();
}

void TPngAni::SetAniLoopPlay(bool loop)
{
    m_loop = loop;
    if (m_view)
        m_view->SetLoop(loop);
}

void TPngAni::PlayAni()
{
    PlayAni(false);
}

void TPngAni::PlayAni(bool hideAtEnd)
{
    if (!m_view)
        return;
    m_hideAtEnd = hideAtEnd;
    m_fixedFrame = -1;
    m_view->Stop();
    m_view->SetLoop(m_loop);
    m_view->SetFrames(m_frames);
    m_view->show();
    m_view->raise();
    playSound();
    if (m_frames.isEmpty()) {
        // Nothing to show: a single run ends at once, but never inside the
        // caller's PlayAni, so that the handler may delete this object.
        if (!m_loop)
            QMetaObject::invokeMethod(this, &TPngAni::runEnded, Qt::QueuedConnection);
        return;
    }
    m_view->Start();
}

void TPngAni::StopAni(int alignment)
{
    if (!m_view)
        return;
    const int shown = m_view->CurrentFrame();
    m_view->Stop();
    switch (alignment) {
    case asFirstFrame: showOnly(0); break;
    case asLastFrame: showOnly(static_cast<int>(m_frames.size()) - 1); break;
    case asHidden: m_view->hide(); break;
    default:
        if (m_fixedFrame < 0)
            m_fixedFrame = shown;
        break;
    }
}

bool TPngAni::IsPlaying() const
{
    return m_view && m_view->IsRunning();
}

int TPngAni::ShownFrame() const
{
    if (!m_view || m_view->isHidden())
        return -1;
    return m_fixedFrame >= 0 ? m_fixedFrame : m_view->CurrentFrame();
}

void TPngAni::showOnly(int frame)
{
    if (frame < 0 || frame >= m_frames.size())
        return;
    // The view shows the frame it starts on: give it that one frame, start
    // and stop it at once. PlayAni gives it all frames again.
    m_view->SetLoop(true);
    m_view->SetFrames({m_frames.at(frame)});
    m_view->Start();
    m_view->Stop();
    m_view->SetLoop(m_loop);
    m_fixedFrame = frame;
}

void TPngAni::runEnded()
{
    if (m_hideAtEnd && m_view)
        m_view->hide();
    if (!m_onStop)
        return;
    QPointer<TPngAni> self(this);
    const TNotifyProc handler = m_onStop;
    m_inHandler = true;
    try {
        handler();
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:TPngAni stop handler ") + QString::fromUtf8(e.what()));
    } catch (...) {
        procSaveLog(QStringLiteral("error:TPngAni stop handler"));
    }
    if (self)
        m_inHandler = false;
}

void TPngAni::playSound()
{
    if (!m_sound || m_soundBytes.isEmpty())
        return;
    const QString path = soundFile(m_soundName, m_soundBytes);
    if (path.isEmpty()) {
        procSaveLog(QStringLiteral("error:TPngAni sound not written ") + m_soundName);
        return;
    }
    m_sound->PlayFile(path, false, 0);
}
