#pragma once
// Tooltips for tests: records every ShowHint and HideHint and whether a hint
// is showing.

#include "FakeCallLog.h"
#include "HostServices.h"

class FakeCustomHint : public ICustomHint
{
public:
    bool IsShown() const { return m_shown; }
    // Text of the hint shown last.
    QString Text() const { return m_text; }
    FakeCallLog &Calls() { return m_calls; }
    const FakeCallLog &Calls() const { return m_calls; }

    void ShowHint(const QString &text, int placement) override
    {
        m_calls.Add(QStringLiteral("ShowHint"), {text, QString::number(placement)});
        m_text = text;
        m_shown = true;
    }
    void HideHint() override
    {
        m_calls.Add(QStringLiteral("HideHint"));
        m_shown = false;
    }

private:
    FakeCallLog m_calls;
    QString m_text;
    bool m_shown = false;
};
