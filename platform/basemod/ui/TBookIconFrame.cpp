#include "TBookIconFrame.h"

#include "TRectangle.h"
#include "TText.h"
#include "TextStyle.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPointer>
#include <QTextLayout>

namespace {

constexpr TAlphaColor kFrameStroke = 0xFFD5D5D5;
constexpr TAlphaColor kHighlight = 0xFFFF960D;
constexpr TAlphaColor kTitleColor = 0xFF333333;
constexpr TAlphaColor kPictureBack = 0xFFEFEFEF;
// Placement of the tile's hint.
constexpr int kHintPlacement = 3;
// Inset of the picture inside its frame, and gap between picture and title.
constexpr double kFrameInset = 3;
constexpr double kTitleGap = 4;

} // namespace

QString FitTextToLines(const QString &text, const QFont &font, double width, int lines)
{
    if (text.isEmpty() || lines <= 0 || width <= 0)
        return text;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<QPair<int, int>> ranges;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        ranges.append({line.textStart(), line.textLength()});
    }
    layout.endLayout();
    if (ranges.size() <= 1)
        return text;

    // Explicit line breaks, so that the text control breaks exactly here.
    QStringList out;
    const int kept = std::min<int>(lines, static_cast<int>(ranges.size()));
    for (int i = 0; i < kept - 1; ++i)
        out << text.mid(ranges[i].first, ranges[i].second).trimmed();
    const QString rest = text.mid(ranges[kept - 1].first).trimmed();
    if (static_cast<int>(ranges.size()) <= lines)
        out << rest;
    else
        out << QFontMetricsF(font).elidedText(rest, Qt::ElideRight, width);
    return out.join(QLatin1Char('\n'));
}

TBookIconFrame::TBookIconFrame(QWidget *parent)
    : TControl(parent),
      m_frame(new TRectangle(this)),
      m_picture(new TRectangle(this)),
      m_title(new TText(this))
{
    m_frame->SetName(QStringLiteral("Rectangle_BookFrame"));
    m_frame->SetHitTest(false);
    m_frame->SetFillColor(0xFFFFFFFF);
    m_frame->SetStrokeColor(kFrameStroke);
    m_frame->SetStrokeThickness(1);
    m_frame->SetXRadius(3);
    m_frame->SetYRadius(3);

    m_picture->SetName(QStringLiteral("Rectangle_BookPicture"));
    m_picture->SetHitTest(false);
    m_picture->SetFillColor(kPictureBack);

    m_title->SetName(QStringLiteral("Text_BookTitle"));
    m_title->SetHitTest(false);
    m_title->SetFontFamily(DefaultFontFamily());
    m_title->SetFontSize(13);
    m_title->SetColor(kTitleColor);
    m_title->SetHorzAlign(TTextAlign::Center);
    m_title->SetVertAlign(TTextAlign::Leading);
    m_title->SetWordWrap(true);

    setCursor(Qt::PointingHandCursor);
    connect(this, &TControl::Resized, this, [this] { layoutParts(); });
    SetSize(kWidth, kHeight);
    layoutParts();
}

TBookIconFrame::~TBookIconFrame() = default;

void TBookIconFrame::SetSideShow(int sides)
{
    m_sideShow = sides;
    layoutParts();
}

QString TBookIconFrame::FontFamily() const
{
    return m_title->FontFamily();
}

void TBookIconFrame::SetFontFamily(const QString &family)
{
    m_title->SetFontFamily(family);
    updateTitle();
}

double TBookIconFrame::FontSize() const
{
    return m_title->FontSize();
}

void TBookIconFrame::SetFontSize(double size)
{
    m_title->SetFontSize(size);
    updateTitle();
}

void TBookIconFrame::SetGoodsName(const QString &name)
{
    m_goodsName = name;
    updateTitle();
}

QString TBookIconFrame::HintText() const
{
    if (m_description.trimmed().isEmpty())
        return m_goodsName;
    return m_goodsName + QLatin1Char('\n') + m_description;
}

void TBookIconFrame::DoBookMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos)
{
    // The handler may free the tile (a new shelf replaces the old one).
    QPointer<TBookIconFrame> self(this);
    if (m_onMouseUp) {
        const TBookMouseUpProc handler = m_onMouseUp;
        handler(this, button, shift, pos);
        if (!self)
            return;
    }
    Q_EMIT BookMouseUp(this, button, shift, pos);
}

void TBookIconFrame::enterEvent(QEnterEvent *event)
{
    TControl::enterEvent(event);
    setHighlighted(true);
    const QString text = HintText();
    if (m_hint && !text.isEmpty())
        m_hint->ShowHint(text, kHintPlacement);
}

void TBookIconFrame::leaveEvent(QEvent *event)
{
    TControl::leaveEvent(event);
    setHighlighted(false);
    if (m_hint)
        m_hint->HideHint();
}

void TBookIconFrame::mousePressEvent(QMouseEvent *event)
{
    m_pressed |= event->button();
    TControl::mousePressEvent(event);
}

void TBookIconFrame::mouseReleaseEvent(QMouseEvent *event)
{
    const Qt::MouseButton button = event->button();
    const bool wasPressed = m_pressed.testFlag(button);
    m_pressed &= ~Qt::MouseButtons(button);
    const QPointF pos = event->position();
    const Qt::KeyboardModifiers shift = event->modifiers();
    const bool inside = QRectF(rect()).contains(pos);
    QPointer<TBookIconFrame> self(this);
    TControl::mouseReleaseEvent(event);
    if (!self)
        return;
    // Only a press and release on the tile opens it; dragging off cancels.
    if (wasPressed && inside && isEnabled())
        DoBookMouseUp(button, shift, pos);
}

void TBookIconFrame::layoutParts()
{
    const double w = Width();
    const double pictureH = Height() * (kPictureHeight / kHeight);
    const bool framed = (m_sideShow & bsFrame) != 0;
    m_frame->SetVisible(framed);
    m_frame->SetBounds(0, 0, w, pictureH);
    if (framed)
        m_picture->SetBounds(kFrameInset, kFrameInset, w - 2 * kFrameInset, pictureH - 2 * kFrameInset);
    else
        m_picture->SetBounds(0, 0, w, pictureH);
    m_title->SetVisible((m_sideShow & bsTitle) != 0);
    m_title->SetBounds(0, pictureH + kTitleGap, w, std::max(0.0, Height() - pictureH - kTitleGap));
    updateTitle();
}

void TBookIconFrame::updateTitle()
{
    m_title->SetText(FitTextToLines(m_goodsName, m_title->Font(), m_title->Width(), kTitleLines));
}

void TBookIconFrame::setHighlighted(bool on)
{
    m_highlighted = on;
    m_frame->SetStrokeColor(on ? kHighlight : kFrameStroke);
    m_frame->SetStrokeThickness(on ? 2 : 1);
    m_title->SetColor(on ? kHighlight : kTitleColor);
}
