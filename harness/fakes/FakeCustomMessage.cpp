#include "FakeCustomMessage.h"

#include <utility>

void FakeCustomMessage::Clear()
{
    m_answers.clear();
    m_questions.clear();
    m_infos.clear();
    m_okCaption.clear();
    m_cancelCaption.clear();
}

int FakeCustomMessage::AskQuestion(const QString &text, int buttons)
{
    TQuestionRecord q;
    q.text = text;
    q.buttons = buttons;
    // The captions apply to this one question only.
    q.okCaption = std::exchange(m_okCaption, QString());
    q.cancelCaption = std::exchange(m_cancelCaption, QString());
    q.unplanned = m_answers.isEmpty();
    q.answer = q.unplanned ? mrNo : m_answers.dequeue();
    m_questions.append(q);
    return q.answer;
}
