#include "TTimer.h"

#include "StudyClock.h"

#include <QPointer>
#include <QTimer>

TTimer::TTimer(QObject *parent, bool enabled, int intervalMs)
    : QObject(parent),
      m_timer(new QTimer(this)),
      m_enabled(enabled),
      m_interval(intervalMs < 0 ? 0 : intervalMs)
{
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TTimer::tick);
    arm();
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    arm();
}

void TTimer::SetInterval(int ms)
{
    if (ms < 0)
        ms = 0;
    if (ms == m_interval)
        return;
    m_interval = ms;
    arm();
}

void TTimer::arm()
{
    m_timer->stop();
    if (m_enabled && m_interval > 0)
        m_timer->start(StudyClock::scaled(m_interval));
}

void TTimer::tick()
{
    if (!m_enabled || m_inHandler)
        return;
    // The study clock may have been sped up since the timer was armed.
    const int period = StudyClock::scaled(m_interval);
    if (m_timer->interval() != period)
        m_timer->setInterval(period);
    QPointer<TTimer> self(this);
    m_inHandler = true;
    Q_EMIT Timer(this);
    if (self)
        m_inHandler = false;
}
