#include "TControl.h"

#include <QEnterEvent>
#include <QMetaMethod>
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

TControl::TControl(QWidget *parent) : QWidget(parent)
{
    // Controls are transparent outside what they paint, like every control of
    // a study screen laid over a picture.
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(false);
    // A control starts empty at the origin until it is given bounds (Qt
    // would give it a default size that no screen asked for).
    setGeometry(0, 0, 0, 0);
    // Controls are visible unless hidden on purpose; Qt would leave a child
    // created under a parent already on screen hidden.
    if (parent && parent->isVisible())
        show();
}

bool TControl::event(QEvent *event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::ParentChange && parentWidget() && parentWidget()->isVisible() && Visible()
        && isHidden())
        show();
    return result;
}

TControl::~TControl()
{
    // Children (effects among them) are deleted after this body, by QWidget;
    // they can tell from this mark that their control is going away.
    setProperty("studyToolkitDestroying", true);
}

bool TControl::IsBeingDestroyed(const QObject *object)
{
    return object && object->property("studyToolkitDestroying").toBool();
}

void TControl::SetPosition(double x, double y)
{
    // Keep a size Qt may have imposed meanwhile.
    m_w = Width();
    m_h = Height();
    m_x = x;
    m_y = y;
    applyGeometry(false);
}

void TControl::SetSize(double width, double height)
{
    SetBounds(X(), Y(), width, height);
}

void TControl::SetBounds(double x, double y, double width, double height)
{
    const double oldW = Width(), oldH = Height();
    m_x = x;
    m_y = y;
    m_w = std::max(0.0, width);
    m_h = std::max(0.0, height);
    applyGeometry(m_w != oldW || m_h != oldH);
}

void TControl::SetOpacity(double opacity)
{
    m_opacity = std::clamp(opacity, 0.0, 1.0);
    update();
}

void TControl::SetHitTest(bool on)
{
    m_hitTestSet = true;
    m_hitTest = on;
    setAttribute(Qt::WA_TransparentForMouseEvents, !on);
}

void TControl::SetDefaultHitTest(bool on)
{
    m_hitTest = on;
    setAttribute(Qt::WA_TransparentForMouseEvents, !on);
}

void TControl::connectNotify(const QMetaMethod &signal)
{
    QWidget::connectNotify(signal);
    if (m_hitTestSet || m_hitTest)
        return;
    // Someone wants this control's mouse events: let it receive them.
    if (signal == QMetaMethod::fromSignal(&TControl::Click) || signal == QMetaMethod::fromSignal(&TControl::MouseDown)
        || signal == QMetaMethod::fromSignal(&TControl::MouseUp)
        || signal == QMetaMethod::fromSignal(&TControl::MouseEnter)
        || signal == QMetaMethod::fromSignal(&TControl::MouseLeave))
        SetDefaultHitTest(true);
}

double TControl::logical(double value, int actual)
{
    return std::lround(value) == actual ? value : actual;
}

void TControl::applyGeometry(bool sizeChanged)
{
    setGeometry(static_cast<int>(std::lround(m_x)), static_cast<int>(std::lround(m_y)),
                static_cast<int>(std::lround(m_w)), static_cast<int>(std::lround(m_h)));
    if (sizeChanged)
        SizeChanged();
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
    // A size imposed by Qt itself is news to the control; one set through
    // the setters was announced already.
    if (event->size() != QSize(static_cast<int>(std::lround(m_w)), static_cast<int>(std::lround(m_h))))
        SizeChanged();
    Q_EMIT Resized(this);
}

void TControl::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
}
