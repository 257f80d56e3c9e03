#pragma once
// Modal messages for tests: every information text and question is recorded
// with the button captions set before it; questions are answered from a queue
// of answers. With the queue empty a question is answered No and the record
// says so, so that a test can fail on questions it did not expect.

#include "HostServices.h"

#include <QList>
#include <QQueue>
#include <QString>

// Answer "No" of AskQuestion.
inline constexpr int mrNo = 7;

struct TQuestionRecord
{
    QString text;
    int buttons = 0;
    QString okCaption;     // as set before the question, empty when not set
    QString cancelCaption; // as set before the question, empty when not set
    int answer = 0;
    bool unplanned = false; // the answer queue was empty
};

class FakeCustomMessage : public ICustomMessage
{
public:
    // Answers for the next questions, first in first out (mrYes, mrNo, ...).
    void QueueAnswer(int answer) { m_answers.enqueue(answer); }
    int QueuedAnswers() const { return static_cast<int>(m_answers.size()); }

    const QList<TQuestionRecord> &Questions() const { return m_questions; }
    const QStringList &Infos() const { return m_infos; }
    void Clear();

    int AskQuestion(const QString &text, int buttons) override;
    void SetOkCaption(const QString &caption) override { m_okCaption = caption; }
    void SetCancelCaption(const QString &caption) override { m_cancelCaption = caption; }
    void ShowInfo(const QString &text) override { m_infos << text; }

private:
    QQueue<int> m_answers;
    QList<TQuestionRecord> m_questions;
    QStringList m_infos;
    QString m_okCaption;
    QString m_cancelCaption;
};
