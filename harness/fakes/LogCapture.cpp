#include "LogCapture.h"

LogCapture::LogCapture()
{
    m_previous = SetLogSink([this](const QString &line) { m_lines << line; });
}

LogCapture::~LogCapture()
{
    SetLogSink(m_previous);
}

QStringList LogCapture::LinesStartingWith(const QString &prefix) const
{
    QStringList out;
    for (const QString &l : m_lines)
        if (l.startsWith(prefix))
            out << l;
    return out;
}
