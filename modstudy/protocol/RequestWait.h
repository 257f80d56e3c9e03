#pragma once
// Sending a request whose answer the caller needs before it goes on.
//
// The reply handler of the frame sets the frame's bResponse flag; this wait
// counts polls of 200 ms (keeping the user-interface thread alive, so the
// reply, timers and clicks are handled meanwhile), resends the request every
// `resendPeriod` polls, and gives up after 61 polls (about 12 seconds) with a
// message to the learner. It ends as soon as the reply has been handled, not
// at the end of the poll it came in. The frame's bStop ends it early and
// silently.
//
// The flags belong to the frame, which may be destroyed by an event handled
// during the wait (the host closing the module). Pass the frame as `guard`:
// once it is gone the wait returns Gone at once and touches neither the flags
// nor any of the callbacks again.

#include "WorkState.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

// How a request wait ended.
enum class TRequestWaitEnd {
    Answered, // bResponse was set
    Failed,   // no answer in time; the failure message was shown
    Stopped,  // bStop ended the wait; nothing was shown
    Gone,     // the guard object was destroyed; nothing was touched after that
};

// The per-request settings of a wait.
struct TRequestWaitSettings
{
    int resendPeriod = 0;   // resend every this many polls; 0 or less: never
    QString failureMessage; // shown once when no answer came
    // When bStop is already set right after the first send, return Stopped
    // without touching WorkState (the course shelf request: the module is
    // being closed while it starts up).
    bool leaveStateWhenStoppedAtOnce = false;
};

// Course shelf (acAllBooks): resent at polls 25 and 50.
TRequestWaitSettings ShelfRequestWait();
// Package record (acPackageVersion): resent at polls 10, 20, ... 60.
TRequestWaitSettings PackageRecordWait();

class TRequestWait
{
public:
    using TSendProc = std::function<void()>;
    using TSetWorkState = std::function<void(TWorkState)>;
    using TShowInfo = std::function<void(const QString &)>;

    // Time between polls, in stated milliseconds (the study clock may run faster).
    static constexpr int kPollMs = 200;
    // The wait polls while its counter is at most this: 61 polls in all.
    static constexpr int kLastRound = 60;

    // `response` and `stop` are the frame's bResponse and bStop; they are read
    // only while `guard` lives (a null guard means no guard).
    TRequestWait(TRequestWaitSettings settings, TSendProc send, bool &response, bool &stop, TSetWorkState setWorkState,
                 TShowInfo showInfo, const QObject *guard);

    TRequestWait(const TRequestWait &) = delete;
    TRequestWait &operator=(const TRequestWait &) = delete;

    // Clears bResponse, sends, sets WorkState to wsBusy and polls as described
    // above; ends with WorkState wsIdle unless it ended Gone (or stopped at
    // once with leaveStateWhenStoppedAtOnce). Run once per object.
    TRequestWaitEnd Run();

    // Polls completed so far (0 before the first poll ends); the send
    // callback can read it to see which poll a resend belongs to.
    int Round() const { return m_round; }
    // Times the request has been sent.
    int Sends() const { return m_sends; }

private:
    bool GuardGone() const { return m_guarded && m_guard.isNull(); }
    // Sends once; false when the guard went away during the send.
    bool Send();

    TRequestWaitSettings m_settings;
    TSendProc m_send;
    bool &m_response;
    bool &m_stop;
    TSetWorkState m_setWorkState;
    TShowInfo m_showInfo;
    QPointer<const QObject> m_guard;
    bool m_guarded;
    int m_round = 0;
    int m_sends = 0;
};
