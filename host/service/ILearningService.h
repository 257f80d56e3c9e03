#pragma once
// The learning service as the host sees it: the host hands over a request
// text and receives the reply texts later through a callback.
//
// Replies never arrive inside Request itself: a module that sends a request
// and then waits for its answer must see the answer from the event loop, as
// it would from a remote service. A request may bring no reply at all (the
// service is unreachable or ignores it) or, in principle, several.

#include <QString>

#include <functional>

class ILearningService
{
public:
    using TReplyProc = std::function<void(const QString &reply)>;

    virtual ~ILearningService() = default;

    // Where replies go; replaces the previous receiver.
    virtual void SetReplySink(TReplyProc sink) = 0;
    // Queues one request (one JSON object as text).
    virtual void Request(const QString &text) = 0;
};
