#pragma once
// A text: one string painted in a font, colour and alignment, optionally
// wrapped at the control's width. With AutoSize on, every change of text or
// font resizes the control to fit its text (height only when word wrap is on,
// width and height otherwise), so callers can stack rows of texts by reading
// Height() right after SetText.
//
// Defaults: font DefaultFontFamily() at 12 logical pixels, regular, black,
// centred both ways, word wrap on, AutoSize off, no hit test until a mouse
// handler is connected (clicks go to what lies under a plain text).

#include "TControl.h"
#include "TextStyle.h"

class STUDYTOOLKIT_EXPORT TText : public TControl
{
    Q_OBJECT
public:
    explicit TText(QWidget *parent = nullptr);

    QString Text() const { return m_text; }
    void SetText(const QString &text);

    QString FontFamily() const { return m_family; }
    void SetFontFamily(const QString &family);
    double FontSize() const { return m_size; }
    void SetFontSize(double size);
    // TFontStyle bits.
    int FontStyle() const { return m_style; }
    void SetFontStyle(int style);
    QFont Font() const { return MakeFont(m_family, m_size, m_style); }

    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor color);

    TTextAlign HorzAlign() const { return m_horz; }
    void SetHorzAlign(TTextAlign align);
    TTextAlign VertAlign() const { return m_vert; }
    void SetVertAlign(TTextAlign align);

    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool on);

    bool AutoSize() const { return m_autoSize; }
    // Turning it on resizes the control at once.
    void SetAutoSize(bool on);

    // Height the current text needs at the current width (with word wrap) or
    // on one line per line feed (without), whether or not AutoSize is on.
    double AutoSizedHeight() const;
    QSizeF TextSize() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void SizeChanged() override;

private:
    void textChanged();

    QString m_text;
    QString m_family;
    double m_size = 12;
    int m_style = fsNone;
    TAlphaColor m_color = 0xFF000000;
    TTextAlign m_horz = TTextAlign::Center;
    TTextAlign m_vert = TTextAlign::Center;
    bool m_wordWrap = true;
    bool m_autoSize = false;
    bool m_fitting = false;
};
