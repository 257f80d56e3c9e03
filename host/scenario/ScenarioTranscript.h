#pragma once
// The transcript of a scenario run: one record per line, in the order things
// happened. Every record starts with its kind:
//
//   > 12 click Rectangle_Start        a step (its line number and text)
//   out send {...}                    the module sent a request
//   out job {...}                     the module sent a job to the host
//   in reply {...}                    the service's reply reached the module
//   in notice {...}                   a host notice reached the module
//   info TEXT                         the module showed an information message
//   ask TEXT -> yes                   a question and the answer given
//   hint TEXT                         the module showed a hint
//   log TEXT                          a line of the host's log
//   get NAME PROPERTY = VALUE         a property read by `get`
//   count out 2101 = 7                what a `count` found
//   host TEXT                         the host's own doings (DeleteFrame, closed, ...)
//   FAILED line N: TEXT               the step that failed, and why
//
// Texts are kept on one line: a line break is written "\n", a backslash
// "\\" and a carriage return "\r".

#include <QString>
#include <QStringList>

#include <functional>

class TScenarioTranscript
{
public:
    using TLineProc = std::function<void(const QString &line)>;

    // Called with every record as it is added (e.g. to print it at once).
    void SetOnLine(TLineProc onLine) { m_onLine = std::move(onLine); }

    void Step(int line, const QString &source);
    // A host event as TStudyHost records it ("request …", "job …", "reply …",
    // "notice …", "DeleteFrame", "unload").
    void HostEvent(const QString &event);
    void Info(const QString &text);
    // `captions` are the button captions set for this question (empty when
    // the default ones were left); `queued` is false when no answer had been
    // queued (the question was answered No).
    void Question(const QString &text, bool yes, const QString &okCaption, const QString &cancelCaption, bool queued);
    void Hint(const QString &text);
    void Log(const QString &text);
    void Get(const QString &name, const QString &property, const QString &value);
    // What a `count` found: "count WHAT = N".
    void Count(const QString &what, qint64 found);
    void Host(const QString &text);
    void Failed(int line, const QString &reason);

    const QStringList &Lines() const { return m_lines; }
    QString Text() const { return m_lines.join(u'\n') + (m_lines.isEmpty() ? QString() : QStringLiteral("\n")); }

    // A text made one line, as the records hold it.
    static QString OneLine(const QString &text);

private:
    void Add(const QString &line);

    QStringList m_lines;
    TLineProc m_onLine;
};
