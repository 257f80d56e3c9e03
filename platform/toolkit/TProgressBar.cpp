#include "TProgressBar.h"

#include "TRectangle.h"

#include <QEvent>

#include <algorithm>

double RoundedEndRadius(double partHeight)
{
    return std::max(0.0, (partHeight - 2) / 2);
}

TProgressBar::TProgressBar(QWidget *parent)
    : TControl(parent),
      m_track(new TRectangle(this)),
      m_bar(new TRectangle(this))
{
    m_track->setObjectName(QStringLiteral("RectangleStyle1"));
    m_bar->setObjectName(QStringLiteral("RectangleStyle2"));
    m_track->SetHitTest(false);
    m_bar->SetHitTest(false);
    m_track->SetFillColor(m_trackColor);
    m_bar->SetFillColor(m_barColor);
    layoutParts();
}

void TProgressBar::SetMin(double v)
{
    m_min = v;
    m_max = std::max(m_max, m_min);
    m_value = std::clamp(m_value, m_min, m_max);
    layoutParts();
}

void TProgressBar::SetMax(double v)
{
    m_max = std::max(v, m_min);
    m_value = std::clamp(m_value, m_min, m_max);
    layoutParts();
}

void TProgressBar::SetValue(double v)
{
    m_value = std::clamp(v, m_min, m_max);
    layoutParts();
}

double TProgressBar::Fraction() const
{
    return m_max > m_min ? (m_value - m_min) / (m_max - m_min) : 0.0;
}

void TProgressBar::SetTrackColor(TAlphaColor c)
{
    m_trackColor = c;
    m_track->SetFillColor(c);
}

void TProgressBar::SetBarColor(TAlphaColor c)
{
    m_barColor = c;
    m_bar->SetFillColor(c);
}

void TProgressBar::SetStyleLookup(const QString &name)
{
    m_styleLookup = name;
    if (m_styled)
        ApplyStyle();
}

void TProgressBar::ApplyStyle()
{
    for (TRectangle *part : {m_track, m_bar}) {
        part->SetXRadius(0);
        part->SetYRadius(0);
        part->SetCorners(TRectangle::AllCorners);
        part->SetStrokeThickness(0);
    }
    m_track->SetFillColor(m_trackColor);
    m_bar->SetFillColor(m_barColor);
    layoutParts();
    m_styled = true;
    Q_EMIT ApplyStyleLookup(this);
}

TRectangle *TProgressBar::FindStylePart(const QString &name) const
{
    if (name == m_track->objectName())
        return m_track;
    if (name == m_bar->objectName())
        return m_bar;
    return nullptr;
}

void TProgressBar::ApplyRoundedEnds()
{
    for (TRectangle *part : {m_track, m_bar}) {
        const double r = RoundedEndRadius(part->Height());
        part->SetXRadius(r);
        part->SetYRadius(r);
    }
}

void TProgressBar::layoutParts()
{
    const double w = Width(), h = Height();
    m_track->SetBounds(0, 0, w, h);
    const double inner = std::max(0.0, w - 2);
    m_bar->SetBounds(1, 1, inner * Fraction(), std::max(0.0, h - 2));
    m_bar->setVisible(Fraction() > 0);
}

void TProgressBar::SizeChanged()
{
    layoutParts();
}

void TProgressBar::resizeEvent(QResizeEvent *event)
{
    TControl::resizeEvent(event);
    layoutParts();
}

bool TProgressBar::event(QEvent *event)
{
    // The style is looked up when the bar is polished for its first showing
    // or rendering; painting covers a bar polished while it was being made.
    if (event->type() == QEvent::Polish && !m_styled)
        ApplyStyle();
    return TControl::event(event);
}

void TProgressBar::paintEvent(QPaintEvent *)
{
    // The parts paint themselves; the first paint is when the style is looked
    // up, as late as possible so that the owner's handler is connected.
    if (!m_styled)
        ApplyStyle();
}
