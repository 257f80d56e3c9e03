#include "TCheckBox.h"

#include <QDateEdit>
#include <QPainter>
#include <QPointer>

TCheckBox::TCheckBox(QWidget *parent) : TControl(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TCheckBox::SetText(const QString &text)
{
    m_text = text;
    update();
}

void TCheckBox::SetIsChecked(bool checked)
{
    setChecked(checked);
}

bool TCheckBox::setChecked(bool checked)
{
    if (checked == m_checked)
        return false;
    m_checked = checked;
    update();
    Q_EMIT Change(this);
    return true;
}

void TCheckBox::SetFontSize(double size)
{
    m_size = size > 0 ? size : 1;
    update();
}

void TCheckBox::SetFontColor(TAlphaColor color)
{
    m_color = color;
    update();
}

void TCheckBox::DoClick()
{
    QPointer<TCheckBox> self(this);
    setChecked(!m_checked);
    if (self)
        TControl::DoClick();
}

void TCheckBox::PaintMark(QPainter &p, const QRectF &box) const
{
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(box, 2, 2);
    if (!m_checked)
        return;
    QPen tick(QColor(0x1E, 0x90, 0xFF), 2);
    tick.setCapStyle(Qt::RoundCap);
    p.setPen(tick);
    const double x = box.left(), y = box.top(), s = box.width();
    p.drawPolyline(
        QList<QPointF>{{x + s * 0.2, y + s * 0.5}, {x + s * 0.42, y + s * 0.72}, {x + s * 0.8, y + s * 0.28}});
}

void TCheckBox::paintEvent(QPaintEvent *)
{
    if (Opacity() <= 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(isEnabled() ? Opacity() : Opacity() / 2);
    const double s = std::min(16.0, Height() - 2);
    const QRectF box(1.5, (Height() - s) / 2, s, s);
    PaintMark(p, box);
    if (m_text.isEmpty())
        return;
    p.setFont(MakeFont(QString(), m_size, fsNone));
    p.setPen(ToQColor(m_color));
    p.drawText(QRectF(box.right() + 6, 0, Width() - box.right() - 6, Height()), Qt::AlignLeft | Qt::AlignVCenter,
               m_text);
}

TRadioButton::TRadioButton(QWidget *parent) : TCheckBox(parent)
{
}

void TRadioButton::SetIsChecked(bool checked)
{
    if (checked)
        uncheckOthers();
    setChecked(checked);
}

void TRadioButton::DoClick()
{
    QPointer<TRadioButton> self(this);
    SetIsChecked(true);
    if (self)
        TControl::DoClick();
}

void TRadioButton::uncheckOthers()
{
    QWidget *parent = parentWidget();
    if (!parent)
        return;
    const auto siblings = parent->findChildren<TRadioButton *>(QString(), Qt::FindDirectChildrenOnly);
    for (TRadioButton *other : siblings) {
        if (other != this && other->m_group == m_group)
            other->setChecked(false);
    }
}

void TRadioButton::PaintMark(QPainter &p, const QRectF &box) const
{
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(box);
    if (!IsChecked())
        return;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1E, 0x90, 0xFF));
    const double m = box.width() * 0.27;
    p.drawEllipse(box.adjusted(m, m, -m, -m));
}

TDateEdit::TDateEdit(QWidget *parent) : TControl(parent), m_edit(new QDateEdit(this))
{
    m_edit->setCalendarPopup(true);
    m_edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_edit->setDate(QDate::currentDate());
    connect(m_edit, &QDateEdit::dateChanged, this, [this] { Q_EMIT Change(this); });
}

QDate TDateEdit::Date() const
{
    return m_edit->date();
}

void TDateEdit::SetDate(const QDate &date)
{
    if (date.isValid())
        m_edit->setDate(date);
}

void TDateEdit::SetFormat(const QString &format)
{
    m_edit->setDisplayFormat(format);
}

void TDateEdit::resizeEvent(QResizeEvent *event)
{
    TControl::resizeEvent(event);
    m_edit->setGeometry(rect());
}
