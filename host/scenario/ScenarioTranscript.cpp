#include "ScenarioTranscript.h"

QString TScenarioTranscript::OneLine(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

void TScenarioTranscript::Add(const QString &line)
{
    m_lines << line;
    if (m_onLine)
        m_onLine(line);
}

void TScenarioTranscript::Step(int line, const QString &source)
{
    Add(QStringLiteral("> ") % QString::number(line) % QStringLiteral(" ") % OneLine(source));
}

void TScenarioTranscript::HostEvent(const QString &event)
{
    static const QList<std::pair<QString, QString>> kinds = {{QStringLiteral("request "), QStringLiteral("out send ")},
                                                             {QStringLiteral("job "), QStringLiteral("out job ")},
                                                             {QStringLiteral("reply "), QStringLiteral("in reply ")},
                                                             {QStringLiteral("notice "), QStringLiteral("in notice ")}};
    for (const auto &[prefix, record] : kinds)
        if (event.startsWith(prefix)) {
            Add(record % OneLine(event.mid(prefix.size())));
            return;
        }
    Host(event);
}

void TScenarioTranscript::Info(const QString &text)
{
    Add(QStringLiteral("info ") % OneLine(text));
}

void TScenarioTranscript::Question(const QString &text, bool yes, const QString &okCaption,
                                   const QString &cancelCaption, bool queued)
{
    QString line = QStringLiteral("ask ") % OneLine(text);
    if (!okCaption.isEmpty() || !cancelCaption.isEmpty())
        line += QStringLiteral(" [") % OneLine(okCaption) % QStringLiteral(" | ") % OneLine(cancelCaption)
                % QStringLiteral("]");
    line += yes ? QStringLiteral(" -> yes") : QStringLiteral(" -> no");
    if (!queued)
        line += QStringLiteral(" (no answer queued)");
    Add(line);
}

void TScenarioTranscript::Hint(const QString &text)
{
    Add(QStringLiteral("hint ") % OneLine(text));
}

void TScenarioTranscript::Log(const QString &text)
{
    Add(QStringLiteral("log ") % OneLine(text));
}

void TScenarioTranscript::Get(const QString &name, const QString &property, const QString &value)
{
    Add(QStringLiteral("get ") % name % QStringLiteral(" ") % property % QStringLiteral(" = ") % OneLine(value));
}

void TScenarioTranscript::Count(const QString &what, qint64 found)
{
    Add(QStringLiteral("count ") % OneLine(what) % QStringLiteral(" = ") % QString::number(found));
}

void TScenarioTranscript::Host(const QString &text)
{
    Add(QStringLiteral("host ") % OneLine(text));
}

void TScenarioTranscript::Failed(int line, const QString &reason)
{
    Add(QStringLiteral("FAILED line ") % QString::number(line) % QStringLiteral(": ") % OneLine(reason));
}
