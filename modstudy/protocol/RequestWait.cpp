#include "RequestWait.h"

#include "Wait.h"

#include <utility>

TRequestWaitSettings ShelfRequestWait()
{
    TRequestWaitSettings s;
    s.resendPeriod = 25;
    s.failureMessage = QStringLiteral("加载课程失败，请检查网络是否正常");
    s.leaveStateWhenStoppedAtOnce = true;
    return s;
}

TRequestWaitSettings PackageRecordWait()
{
    TRequestWaitSettings s;
    s.resendPeriod = 10;
    s.failureMessage = QStringLiteral("网络异常，请重试");
    return s;
}

TRequestWait::TRequestWait(TRequestWaitSettings settings, TSendProc send, bool &response, bool &stop,
                           TSetWorkState setWorkState, TShowInfo showInfo, const QObject *guard)
    : m_settings(std::move(settings)),
      m_send(std::move(send)),
      m_response(response),
      m_stop(stop),
      m_setWorkState(std::move(setWorkState)),
      m_showInfo(std::move(showInfo)),
      m_guard(guard),
      m_guarded(guard != nullptr)
{
}

bool TRequestWait::Send()
{
    ++m_sends;
    if (m_send)
        m_send();
    // The host may hand a reply (or a close request) back from inside the send.
    return !GuardGone();
}

TRequestWaitEnd TRequestWait::Run()
{
    if (GuardGone())
        return TRequestWaitEnd::Gone;

    m_response = false;
    if (!Send())
        return TRequestWaitEnd::Gone;
    if (m_settings.leaveStateWhenStoppedAtOnce && m_stop)
        return TRequestWaitEnd::Stopped;
    if (m_setWorkState)
        m_setWorkState(wsBusy);
    // However the wait ends (its end, or an exception out of a resend or of
    // the failure message), a frame that is still there is idle again, so
    // that nothing waiting for an idle frame (the close answer) waits for ever.
    struct TIdleAtEnd
    {
        TRequestWait *wait;
        ~TIdleAtEnd()
        {
            if (wait->m_setWorkState && !wait->GuardGone())
                wait->m_setWorkState(wsIdle);
        }
    } idleAtEnd{this};
    if (GuardGone())
        return TRequestWaitEnd::Gone;

    m_round = 0;
    while (!m_response && m_round <= kLastRound && !m_stop) {
        // A poll ends as soon as the reply has been handled (or the wait is
        // stopped), so the caller goes on at once rather than at the poll's end.
        const TWaitEnd poll = WaitForCondition(
            kPollMs, [this] { return m_response || m_stop; }, m_guard.data());
        if (poll == TWaitEnd::Gone || GuardGone())
            return TRequestWaitEnd::Gone;
        if (m_response)
            break;
        ++m_round;
        // A reply that came in during this poll makes a resend pointless; it
        // would only earn a duplicate reply that could be taken for the
        // answer to the frame's next request.
        if (m_settings.resendPeriod > 0 && m_round % m_settings.resendPeriod == 0 && !m_stop && !m_response) {
            if (!Send())
                return TRequestWaitEnd::Gone;
        }
    }

    TRequestWaitEnd end = TRequestWaitEnd::Answered;
    if (!m_response) {
        if (m_stop) {
            end = TRequestWaitEnd::Stopped;
        } else {
            end = TRequestWaitEnd::Failed;
            if (m_showInfo)
                m_showInfo(m_settings.failureMessage);
            // The message box keeps events running; the frame may be gone now.
            if (GuardGone())
                return TRequestWaitEnd::Gone;
        }
    }
    return end;
}
