#pragma once
// A read-only multi-line text with a selection. The study screens fill it
// with a passage and move the selection along the sentence being played, so
// the selection is kept visible when it changes.
//
// Defaults: DefaultFontFamily() at 14 logical pixels, black text, word wrap,
// transparent background, no frame.

#include "TControl.h"
#include "TextStyle.h"

class QPlainTextEdit;

class STUDYTOOLKIT_EXPORT TMemo : public TControl
{
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

    QString Text() const;
    // Replaces the text and clears the selection.
    void SetText(const QString &text);
    int Length() const;

    // Selection in characters; values are kept within the text.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    void Select(int start, int length);
    QString SelText() const;
    // Index of `what` at or after `from`, -1 when absent (case-sensitive).
    int IndexOf(const QString &what, int from = 0) const;

    QString FontFamily() const { return m_family; }
    void SetFontFamily(const QString &family);
    double FontSize() const { return m_size; }
    void SetFontSize(double size);
    int FontStyle() const { return m_style; }
    void SetFontStyle(int style);
    TAlphaColor FontColor() const { return m_color; }
    void SetFontColor(TAlphaColor color);
    // Background of the selected text.
    TAlphaColor SelectionColor() const { return m_selColor; }
    void SetSelectionColor(TAlphaColor color);

    QPlainTextEdit *Editor() const { return m_edit; }

Q_SIGNALS:
    void SelectionChanged(TMemo *sender);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyLook();

    QPlainTextEdit *m_edit;
    QString m_family;
    double m_size = 14;
    int m_style = fsNone;
    TAlphaColor m_color = 0xFF000000;
    TAlphaColor m_selColor = 0xFFFFE3A6;
};
