#include "TControl.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

QColor ToQColor(TAlphaColor color)
{
    return QColor::fromRgba(color);
}

TAlphaColor FromQColor(const QColor &color)
{
    return color.rgba();
}

TAlphaColor ParseAlphaColor(const QString &text, bool *ok)
{
    const QString t = text.trimmed();
    bool good = false;
    TAlphaColor value = 0xFF000000;
    if (t.startsWith(QLatin1Char('#')) && (t.size() == 9 || t.size() == 7)) {
        const QString digits = t.mid(1);
        good = std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
        });
        const uint parsed = good ? digits.toUInt(&good, 16) : 0;
        if (good)
            value = t.size() == 9 ? TAlphaColor(parsed) : TAlphaColor(0xFF000000u | parsed);
        else
            value = 0xFF000000;
    }
    if (ok)
        *ok = good;
    return value;
}

QString AlphaColorToString(TAlphaColor color)
{
    return QStringLiteral("#%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

TControl::TControl(QWidget *parent)
    : QWidget(parent)
{
    // Controls are transparent outside what they paint, like every control of
    // a study screen laid over a picture.
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(false);
}

TControl::~TControl() = default;

void TControl::SetPosition(double x, double y)
{
    m_x = x;
    m_y = y;
    applyGeometry();
}

void TControl::SetSize(double width, double height)
{
    m_w = std::max(0.0, width);
    m_h = std::max(0.0, height);
    applyGeometry();
}

void TControl::SetBounds(double x, double y, double width, double height)
{
    m_x = x;
    m_y = y;
    m_w = std::max(0.0, width);
    m_h = std::max(0.0, height);
    applyGeometry();
}

void TControl::SetOpacity(double opacity)
{
    m_opacity = std::clamp(opacity, 0.0, 1.0);
    update();
}

void TControl::SetHitTest(bool on)
{
    m_hitTest = on;
    setAttribute(Qt::WA_TransparentForMouseEvents, !on);
}

void TControl::applyGeometry()
{
    const QRect r(static_cast<int>(std::lround(m_x)), static_cast<int>(std::lround(m_y)),
                  static_cast<int>(std::lround(m_w)), static_cast<int>(std::lround(m_h)));
    m_applying = true;
    setGeometry(r);
    m_applying = false;
    Q_EMIT GeometryChanged(this);
}

void TControl::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    Q_EMIT MouseEnter(this);
}

void TControl::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    Q_EMIT MouseLeave(this);
}

void TControl::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    Q_EMIT MouseDown(this, event->button(), event->modifiers(), event->position());
}

void TControl::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool wasPressed = m_pressed && event->button() == Qt::LeftButton;
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    const QPointF pos = event->position();
    const bool inside = QRectF(rect()).contains(pos);
    // A handler may free this control; nothing is touched after that.
    QPointer<TControl> self(this);
    Q_EMIT MouseUp(this, event->button(), event->modifiers(), pos);
    if (!self)
        return;
    if (wasPressed && inside && isEnabled())
        DoClick();
}

void TControl::DoClick()
{
    Q_EMIT Click(this);
}

void TControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A size set by Qt itself (a parent layout, a scroll area) becomes the
    // logical size; a size set through SetSize keeps its fractional value.
    if (!m_applying) {
        const QSize s = event->size();
        if (s.width() != static_cast<int>(std::lround(m_w)))
            m_w = s.width();
        if (s.height() != static_cast<int>(std::lround(m_h)))
            m_h = s.height();
    }
    Q_EMIT Resized(this);
}

void TControl::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (!m_applying) {
        const QPoint p = pos();
        if (p.x() != static_cast<int>(std::lround(m_x)))
            m_x = p.x();
        if (p.y() != static_cast<int>(std::lround(m_y)))
            m_y = p.y();
    }
}
