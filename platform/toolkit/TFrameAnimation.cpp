#include "TFrameAnimation.h"

#include "StudyClock.h"

#include <QPainter>
#include <QTimer>

TFrameAnimation::TFrameAnimation(QWidget *parent) : TControl(parent), m_timer(new QTimer(this))
{
    SetDefaultHitTest(false);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TFrameAnimation::step);
}

void TFrameAnimation::SetFrames(const QList<QImage> &frames)
{
    m_timer->stop();
    m_frames = frames;
    m_current = -1;
    update();
}

void TFrameAnimation::SetSpeed(int ms)
{
    m_speed = ms < 1 ? 1 : ms;
    if (m_timer->isActive())
        m_timer->setInterval(StudyClock::scaled(m_speed));
}

void TFrameAnimation::Start()
{
    m_timer->stop();
    if (m_frames.isEmpty()) {
        m_current = -1;
        update();
        if (!m_loop)
            Q_EMIT Finished(this);
        return;
    }
    m_current = 0;
    update();
    m_timer->start(StudyClock::scaled(m_speed));
}

void TFrameAnimation::Stop()
{
    m_timer->stop();
}

bool TFrameAnimation::IsRunning() const
{
    return m_timer->isActive();
}

void TFrameAnimation::step()
{
    if (m_frames.isEmpty()) {
        m_timer->stop();
        return;
    }
    if (m_current + 1 < m_frames.size()) {
        ++m_current;
    } else if (m_loop) {
        m_current = 0;
    } else {
        // The last frame has had its time: the run is over.
        m_timer->stop();
        Q_EMIT Finished(this);
        return;
    }
    update();
}

void TFrameAnimation::paintEvent(QPaintEvent *)
{
    if (m_current < 0 || m_current >= m_frames.size() || Opacity() <= 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(Opacity());
    p.drawImage(QRectF(0, 0, Width(), Height()), m_frames.at(m_current));
}
