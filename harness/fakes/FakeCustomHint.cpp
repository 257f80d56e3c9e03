#include "FakeCustomHint.h"

void FakeCustomHint::ShowHint(const QString &text, int placement)
{
    m_calls.Add(QStringLiteral("ShowHint"), {text, QString::number(placement)});
    m_text = text;
    m_placement = placement;
    m_shown = true;
}

void FakeCustomHint::HideHint()
{
    m_calls.Add(QStringLiteral("HideHint"));
    m_shown = false;
}
