#include "ScenarioServices.h"

#include <utility>

int TScriptedMessage::AskQuestion(const QString &text, int buttons)
{
    Q_UNUSED(buttons); // the module asks Yes/No questions only
    const QString ok = std::exchange(m_okCaption, QString());
    const QString cancel = std::exchange(m_cancelCaption, QString());
    const bool queued = !m_answers.isEmpty();
    const bool yes = queued && m_answers.dequeue();
    m_transcript.Question(text, yes, ok, cancel, queued);
    return yes ? mrYes : 7;
}

void TScriptedHint::ShowHint(const QString &text, int placement)
{
    Q_UNUSED(placement);
    m_transcript.Hint(text);
}
