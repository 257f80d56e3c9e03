#include "TText.h"

#include <QPainter>

TText::TText(QWidget *parent) : TControl(parent), m_family(DefaultFontFamily())
{
    SetDefaultHitTest(false);
}

void TText::SetText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    textChanged();
}

void TText::SetFontFamily(const QString &family)
{
    m_family = family.isEmpty() ? DefaultFontFamily() : family;
    textChanged();
}

void TText::SetFontSize(double size)
{
    m_size = size > 0 ? size : 1;
    textChanged();
}

void TText::SetFontStyle(int style)
{
    m_style = style;
    textChanged();
}

void TText::SetColor(TAlphaColor color)
{
    m_color = color;
    update();
}

void TText::SetHorzAlign(TTextAlign align)
{
    m_horz = align;
    update();
}

void TText::SetVertAlign(TTextAlign align)
{
    m_vert = align;
    update();
}

void TText::SetWordWrap(bool on)
{
    m_wordWrap = on;
    textChanged();
}

void TText::SetAutoSize(bool on)
{
    m_autoSize = on;
    textChanged();
}

QSizeF TText::TextSize() const
{
    return MeasureText(m_text, Font(), Width(), m_wordWrap);
}

double TText::AutoSizedHeight() const
{
    return TextSize().height();
}

void TText::textChanged()
{
    if (m_autoSize && !m_fitting) {
        const QSizeF s = TextSize();
        m_fitting = true;
        SetSize(m_wordWrap && Width() >= 1 ? Width() : s.width(), s.height());
        m_fitting = false;
    }
    update();
}

void TText::SizeChanged()
{
    // A new width changes where the lines break.
    if (m_autoSize && m_wordWrap && !m_fitting)
        textChanged();
}

void TText::paintEvent(QPaintEvent *)
{
    if (m_text.isEmpty() || Opacity() <= 0)
        return;
    QPainter p(this);
    p.setOpacity(Opacity());
    p.setFont(Font());
    p.setPen(ToQColor(m_color));
    int flags = int(ToQtAlignment(m_horz, m_vert));
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    p.drawText(QRectF(0, 0, Width(), Height()), flags, m_text);
}
