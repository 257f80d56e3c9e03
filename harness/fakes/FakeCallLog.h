#pragma once
// The record of calls a fake host service received, in order, for tests to
// assert on: each call is its operation name and its arguments as texts.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct TFakeCall
{
    QString name;
    QStringList args;

    bool operator==(const TFakeCall &other) const = default;
};

class FakeCallLog
{
public:
    void Add(const QString &name, const QStringList &args = {});
    const QList<TFakeCall> &Calls() const { return m_calls; }
    // Number of calls of one operation.
    int Count(const QString &name) const;
    // The calls of one operation, in order.
    QList<TFakeCall> Named(const QString &name) const;
    // The last call of one operation, if any.
    std::optional<TFakeCall> Last(const QString &name) const;
    // Operation names in call order ("StopPlay", "PlayFile", ...).
    QStringList Names() const;
    void Clear() { m_calls.clear(); }

private:
    QList<TFakeCall> m_calls;
};
