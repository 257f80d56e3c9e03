#include "TButton.h"

#include "TRectangle.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

QStringList ButtonStyleNames()
{
    return {QStringLiteral("buttonstyle"), QStringLiteral("transparentstyle"), QStringLiteral("toolbuttonstyle"),
            QStringLiteral("tabbuttonstyle")};
}

TButtonLook ButtonLookFor(const QString &style, bool down, bool hovered, bool enabled)
{
    const QString s = style.toLower();
    TButtonLook look;
    if (s == QLatin1String("transparentstyle")) {
        if (down)
            look.face = look.faceEnd = 0x30000000;
    } else if (s == QLatin1String("toolbuttonstyle")) {
        if (down)
            look.face = look.faceEnd = 0xFFC8C8C8;
        else if (hovered)
            look.face = look.faceEnd = 0xFFEAEAEA;
        look.radius = 2;
    } else if (s == QLatin1String("tabbuttonstyle")) {
        if (down)
            look.face = look.faceEnd = 0xFFFF960D;
        else if (hovered)
            look.face = look.faceEnd = 0x20FF960D;
        look.radius = 4;
    } else {
        look.face = down ? 0xFFCFCFCF : (hovered ? 0xFFF8F8F8 : 0xFFF2F2F2);
        look.faceEnd = down ? 0xFFBDBDBD : 0xFFDCDCDC;
        look.border = down ? 0xFF8C8C8C : 0xFFACACAC;
        look.radius = 3;
    }
    if (!enabled) {
        // A disabled face is shown at half strength.
        auto fade = [](TAlphaColor c) { return (c & 0x00FFFFFFu) | (((c >> 24) / 2) << 24); };
        look.face = fade(look.face);
        look.faceEnd = fade(look.faceEnd);
        look.border = fade(look.border);
    }
    return look;
}

TButton::TButton(QWidget *parent) : TControl(parent), m_family(DefaultFontFamily())
{
    setCursor(Qt::PointingHandCursor);
}

void TButton::SetText(const QString &text)
{
    m_text = text;
    update();
}

void TButton::SetFontFamily(const QString &family)
{
    m_family = family.isEmpty() ? DefaultFontFamily() : family;
    update();
}

void TButton::SetFontSize(double size)
{
    m_size = size > 0 ? size : 1;
    update();
}

void TButton::SetFontStyle(int style)
{
    m_style = style;
    update();
}

void TButton::SetFontColor(TAlphaColor color)
{
    m_color = color;
    update();
}

void TButton::SetTextAlign(TTextAlign align)
{
    m_align = align;
    update();
}

void TButton::SetIsPressed(bool pressed)
{
    m_isPressed = pressed;
    update();
}

void TButton::SetStaysPressed(bool stays)
{
    m_staysPressed = stays;
    if (!stays)
        m_isPressed = false;
    update();
}

void TButton::SetStyleLookup(const QString &name)
{
    m_styleLookup = name;
    update();
}

void TButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_held = true;
        update();
    }
    TControl::mousePressEvent(event);
}

void TButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_held = false;
        update();
    }
    TControl::mouseReleaseEvent(event);
}

void TButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    TControl::enterEvent(event);
}

void TButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    TControl::leaveEvent(event);
}

void TButton::DoClick()
{
    if (m_staysPressed) {
        m_isPressed = !m_isPressed;
        update();
    }
    TControl::DoClick();
}

QPainterPath TButton::FacePath(const QRectF &area, const TButtonLook &look) const
{
    return TRectangle::CornerPath(area, look.radius, look.radius, TRectangle::AllCorners);
}

void TButton::paintEvent(QPaintEvent *)
{
    if (Opacity() <= 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(Opacity());
    const TButtonLook look = ButtonLookFor(m_styleLookup, m_isPressed || m_held, m_hovered, isEnabled());
    const QRectF area = QRectF(0, 0, Width(), Height()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath face = FacePath(area, look);
    if (qAlpha(look.face) > 0 || qAlpha(look.faceEnd) > 0) {
        QLinearGradient g(area.topLeft(), area.bottomLeft());
        g.setColorAt(0, ToQColor(look.face));
        g.setColorAt(1, ToQColor(look.faceEnd));
        p.fillPath(face, g);
    }
    if (qAlpha(look.border) > 0)
        p.strokePath(face, QPen(ToQColor(look.border), 1));
    if (m_text.isEmpty())
        return;
    p.setFont(MakeFont(m_family, m_size, m_style));
    QColor text = ToQColor(m_color);
    if (!isEnabled())
        text.setAlphaF(text.alphaF() / 2);
    p.setPen(text);
    p.drawText(QRectF(0, 0, Width(), Height()).adjusted(4, 0, -4, 0), int(ToQtAlignment(m_align, TTextAlign::Center)),
               m_text);
}

TCornerButton::TCornerButton(QWidget *parent) : TButton(parent)
{
}

void TCornerButton::SetXRadius(double r)
{
    m_xRadius = std::max(0.0, r);
    update();
}

void TCornerButton::SetYRadius(double r)
{
    m_yRadius = std::max(0.0, r);
    update();
}

void TCornerButton::SetCorners(int corners)
{
    m_corners = corners & TRectangle::AllCorners;
    update();
}

QPainterPath TCornerButton::FacePath(const QRectF &area, const TButtonLook &) const
{
    return TRectangle::CornerPath(area, m_xRadius, m_yRadius, m_corners);
}
