#pragma once
// A timer component (not a widget): while Enabled it emits Timer every
// Interval milliseconds of stated time (real time through the study clock).
//
// What the screens rely on:
// - It fires repeatedly while Enabled; a handler that sets Enabled false
//   first makes it one-shot.
// - Setting Enabled true after it was off (also from inside its own handler)
//   arms it for a full Interval from that moment.
// - Setting Interval while enabled restarts the period; Interval 0 never fires.
// - A tick that falls due while this timer's handler is still running (the
//   handler waits and dispatches events) is dropped, not delivered inside the
//   running handler; the period continues normally afterwards.
// - A handler may delete the timer.

#include "studytoolkit_export.h"

#include <QObject>
#include <QString>

class QTimer;

class STUDYTOOLKIT_EXPORT TTimer : public QObject
{
    Q_OBJECT
public:
    // `enabled` false creates a timer that waits to be switched on; the
    // default interval is 1000 ms.
    explicit TTimer(QObject *parent = nullptr, bool enabled = true, int intervalMs = 1000);
    ~TTimer() override;

    QString Name() const { return objectName(); }
    void SetName(const QString &name) { setObjectName(name); }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    int Interval() const { return m_interval; }
    void SetInterval(int ms);

    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    double TagFloat() const { return m_tagFloat; }
    void SetTagFloat(double tag) { m_tagFloat = tag; }
    QString TagString() const { return m_tagString; }
    void SetTagString(const QString &tag) { m_tagString = tag; }

    // Whether a handler of this timer is running right now.
    bool InHandler() const { return m_inHandler; }

Q_SIGNALS:
    void Timer(TTimer *sender);

private:
    void arm();
    void tick();

    QTimer *m_timer;
    bool m_enabled = false;
    int m_interval = 1000;
    bool m_inHandler = false;
    int m_tag = 0;
    double m_tagFloat = 0;
    QString m_tagString;
};
