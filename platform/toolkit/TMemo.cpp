#include "TMemo.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

TMemo::TMemo(QWidget *parent) : TControl(parent), m_edit(new QPlainTextEdit(this)), m_family(DefaultFontFamily())
{
    m_edit->setReadOnly(true);
    m_edit->setFrameShape(QFrame::NoFrame);
    m_edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    connect(m_edit, &QPlainTextEdit::selectionChanged, this, [this] { Q_EMIT SelectionChanged(this); });
    applyLook();
}

QString TMemo::Text() const
{
    return m_edit->toPlainText();
}

void TMemo::SetText(const QString &text)
{
    m_edit->setPlainText(text);
}

int TMemo::Length() const
{
    return m_edit->document()->characterCount() - 1;
}

int TMemo::SelStart() const
{
    return m_edit->textCursor().selectionStart();
}

int TMemo::SelLength() const
{
    const QTextCursor c = m_edit->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TMemo::Select(int start, int length)
{
    const int n = Length();
    start = std::clamp(start, 0, n);
    length = std::clamp(length, 0, n - start);
    QTextCursor c(m_edit->document());
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    m_edit->setTextCursor(c);
    m_edit->ensureCursorVisible();
}

void TMemo::SetSelStart(int start)
{
    Select(start, 0);
}

void TMemo::SetSelLength(int length)
{
    Select(SelStart(), length);
}

QString TMemo::SelText() const
{
    // QTextCursor::selectedText marks line breaks with U+2029; give them back
    // as line feeds.
    QString s = m_edit->textCursor().selectedText();
    s.replace(QChar(0x2029), QLatin1Char('\n'));
    return s;
}

int TMemo::IndexOf(const QString &what, int from) const
{
    if (what.isEmpty())
        return -1;
    return static_cast<int>(Text().indexOf(what, std::max(0, from)));
}

void TMemo::SetFontFamily(const QString &family)
{
    m_family = family.isEmpty() ? DefaultFontFamily() : family;
    applyLook();
}

void TMemo::SetFontSize(double size)
{
    m_size = size > 0 ? size : 1;
    applyLook();
}

void TMemo::SetFontStyle(int style)
{
    m_style = style;
    applyLook();
}

void TMemo::SetFontColor(TAlphaColor color)
{
    m_color = color;
    applyLook();
}

void TMemo::SetSelectionColor(TAlphaColor color)
{
    m_selColor = color;
    applyLook();
}

void TMemo::applyLook()
{
    m_edit->setFont(MakeFont(m_family, m_size, m_style));
    QPalette pal = m_edit->palette();
    pal.setColor(QPalette::Base, Qt::transparent);
    pal.setColor(QPalette::Text, ToQColor(m_color));
    pal.setColor(QPalette::Highlight, ToQColor(m_selColor));
    pal.setColor(QPalette::HighlightedText, ToQColor(m_color));
    // The selection stays visible when the memo does not have the focus.
    pal.setColor(QPalette::Inactive, QPalette::Highlight, ToQColor(m_selColor));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, ToQColor(m_color));
    m_edit->setPalette(pal);
    m_edit->viewport()->setAutoFillBackground(false);
}

void TMemo::resizeEvent(QResizeEvent *event)
{
    TControl::resizeEvent(event);
    m_edit->setGeometry(rect());
}
