#pragma once
// Captures every procSaveLog line while it lives; restores the previous sink
// when it goes.

#include "Log.h"

#include <QStringList>

class LogCapture
{
public:
    LogCapture() : m_previous(SetLogSink([this](const QString &line) { m_lines << line; })) {}
    ~LogCapture() { SetLogSink(m_previous); }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    const QStringList &Lines() const { return m_lines; }
    // Lines that start with the given prefix ("error:", "info：").
    QStringList LinesStartingWith(const QString &prefix) const
    {
        QStringList out;
        for (const QString &l : m_lines)
            if (l.startsWith(prefix))
                out << l;
        return out;
    }
    void Clear() { m_lines.clear(); }

private:
    QStringList m_lines;
    TLogSink m_previous;
};
