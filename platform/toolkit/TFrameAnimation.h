#pragma once
// Frame-by-frame picture animation: a control that shows a list of pictures
// one after another, each stretched over its bounds, at a fixed number of
// milliseconds per frame (stated time, through the study clock).
//
// Start() shows the first frame at once and steps every Speed ms. A looping
// animation runs until Stop(); a single run shows the last frame for its full
// time, then stops, keeps the last frame on screen and emits Finished. Stop()
// never emits Finished. Hit test is off (until a mouse handler is connected)
// so that the animation does not catch the clicks meant for the controls
// under it.

#include "TControl.h"

#include <QImage>
#include <QList>

class QTimer;

class STUDYTOOLKIT_EXPORT TFrameAnimation : public TControl
{
    Q_OBJECT
public:
    explicit TFrameAnimation(QWidget *parent = nullptr);

    void SetFrames(const QList<QImage> &frames);
    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    // Index of the frame on screen, -1 before the first start.
    int CurrentFrame() const { return m_current; }

    // Milliseconds per frame; at least 1.
    int Speed() const { return m_speed; }
    void SetSpeed(int ms);
    bool Loop() const { return m_loop; }
    void SetLoop(bool loop) { m_loop = loop; }

    // Starts from the first frame (restarts a running animation). Without
    // frames nothing runs; a single run of an empty list finishes at once.
    void Start();
    void Stop();
    bool IsRunning() const;

Q_SIGNALS:
    void Finished(TFrameAnimation *sender);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void step();

    QList<QImage> m_frames;
    QTimer *m_timer;
    int m_current = -1;
    int m_speed = 100;
    bool m_loop = false;
};
