#pragma once
// The message and hint services a scenario hands the module: questions are
// answered from the script's queue of answers (No when it is empty), and
// every text shown goes to the transcript.

#include "HostServices.h"
#include "ScenarioTranscript.h"

#include <QQueue>

class TScriptedMessage : public ICustomMessage
{
public:
    explicit TScriptedMessage(TScenarioTranscript &transcript) : m_transcript(transcript) {}

    void QueueAnswer(bool yes) { m_answers.enqueue(yes); }
    int QueuedAnswers() const { return static_cast<int>(m_answers.size()); }

    // 6 (Yes) or 7 (No); the captions set before apply to this question only.
    int AskQuestion(const QString &text, int buttons) override;
    void SetOkCaption(const QString &caption) override { m_okCaption = caption; }
    void SetCancelCaption(const QString &caption) override { m_cancelCaption = caption; }
    void ShowInfo(const QString &text) override { m_transcript.Info(text); }

private:
    TScenarioTranscript &m_transcript;
    QQueue<bool> m_answers;
    QString m_okCaption;
    QString m_cancelCaption;
};

class TScriptedHint : public ICustomHint
{
public:
    explicit TScriptedHint(TScenarioTranscript &transcript) : m_transcript(transcript) {}

    void ShowHint(const QString &text, int placement) override;
    void HideHint() override {}

private:
    TScenarioTranscript &m_transcript;
};
