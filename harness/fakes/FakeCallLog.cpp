#include "FakeCallLog.h"

void FakeCallLog::Add(const QString &name, const QStringList &args)
{
    m_calls.append(TFakeCall{name, args});
}

QList<TFakeCall> FakeCallLog::Named(const QString &name) const
{
    QList<TFakeCall> out;
    for (const TFakeCall &c : m_calls)
        if (c.name == name)
            out.append(c);
    return out;
}

int FakeCallLog::Count(const QString &name) const
{
    return static_cast<int>(Named(name).size());
}

std::optional<TFakeCall> FakeCallLog::Last(const QString &name) const
{
    for (auto it = m_calls.crbegin(); it != m_calls.crend(); ++it)
        if (it->name == name)
            return *it;
    return std::nullopt;
}

QStringList FakeCallLog::Names() const
{
    QStringList out;
    for (const TFakeCall &c : m_calls)
        out << c.name;
    return out;
}
