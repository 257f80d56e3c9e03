#pragma once
// A frame-by-frame PNG animation from the UI archive, shown on top of a parent
// control, optionally with a sound.
//
// Use, in this order: create it on the parent; SetAniArchive; SetAniSpeed
// (milliseconds per frame); SetAniSnd (sound engine, may be left unset);
// SetAniStyle; SetAniHeight, SetAniWidth, SetAniPosX, SetAniPosY (bounds on
// the parent); LoadAniFile(frame-list name, e.g. "ani\ExpEffect\filelist.txt");
// SetAniLoopPlay; optionally SetAniStop; then PlayAni. StopAni ends a looping
// animation.
//
// The frame list (syntax in AniFrameList.h) is read and every frame decoded
// once, in LoadAniFile; frames that are missing or not pictures are skipped
// and logged. When the list names a sound and a sound engine is set, PlayAni
// writes the sound to a temporary file and plays it without waiting.
//
// A non-looping run ends after its last frame has had its time: the stop
// handler is then called once. The handler may delete the animation. Deleting
// the animation at any time (also while it runs) stops it silently; StopAni
// never calls the handler. The parent owns the object when the caller does not
// delete it first.

#include "basemod_export.h"
#include "HostServices.h"
#include "TFrameAnimation.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>

// What StopAni leaves on screen.
enum TAniStopAlign {
    asCurrentFrame = 0, // the frame that was showing
    asFirstFrame = 1,
    asLastFrame = 2,
    asHidden = 3, // nothing: the animation is hidden
};

class BASEMOD_EXPORT TPngAni : public QObject
{
    Q_OBJECT
public:
    explicit TPngAni(QWidget *parent);
    ~TPngAni() override;

    void SetAniArchive(IArchivePtr archive) { m_archive = std::move(archive); }
    void SetAniSpeed(int msPerFrame);
    void SetAniSnd(ISoundEnginePtr sound) { m_sound = std::move(sound); }
    // Style name of the frames' picture; frames are always stretched over the
    // animation's bounds.
    void SetAniStyle(const QString &style) { m_style = style; }
    void SetAniHeight(float height);
    void SetAniWidth(float width);
    void SetAniPosX(float x);
    void SetAniPosY(float y);
    // Reads the frame list and decodes its frames; false (and logged) when the
    // list is absent or names no decodable frame.
    bool LoadAniFile(const QString &listName);
    void SetAniLoopPlay(bool loop);
    // Called when a non-looping run ends; an empty function clears it.
    void SetAniStop(TNotifyProc handler) { m_onStop = std::move(handler); }
    // Starts from the first frame and plays the sound. With hideAtEnd the
    // animation hides itself when a non-looping run ends (before the stop
    // handler is called); otherwise the last frame stays on screen.
    void PlayAni();
    void PlayAni(bool hideAtEnd);
    // Stops the animation and leaves the frame chosen by `alignment`
    // (TAniStopAlign; other values keep the current frame).
    void StopAni(int alignment);

    QString AniStyle() const { return m_style; }
    QString ListName() const { return m_listName; }
    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    bool IsPlaying() const;
    // Index of the frame on screen; -1 when nothing is shown.
    int ShownFrame() const;
    bool IsLooping() const { return m_loop; }
    // Archive name of the sound of the loaded list, empty when silent.
    QString SoundName() const { return m_soundName; }
    // The control that shows the frames (null once its parent is gone).
    TFrameAnimation *View() const { return m_view; }

private:
    void runEnded();
    void playSound();
    void showOnly(int frame);

    QPointer<TFrameAnimation> m_view;
    IArchivePtr m_archive;
    ISoundEnginePtr m_sound;
    TNotifyProc m_onStop;
    QString m_style;
    QString m_listName;
    QString m_soundName;
    QByteArray m_soundBytes;
    QList<QImage> m_frames;
    bool m_loop = false;
    bool m_hideAtEnd = false;
    bool m_inHandler = false;
    int m_fixedFrame = -1; // frame left on screen by StopAni, -1 while playing
};
