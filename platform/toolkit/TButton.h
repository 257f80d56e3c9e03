#pragma once
// Push buttons. A button shows its text in the look named by StyleLookup and
// emits Click on a left press released inside it. With StaysPressed a click
// toggles IsPressed (a shelf or tab button that stays down); IsPressed can
// also be set directly and shows the pressed look.
//
// Looks (StyleLookup, case-insensitive; unknown or empty names give the
// default "buttonstyle"):
//   "buttonstyle"      light grey raised face with a grey border
//   "transparentstyle" text only; a faint shade while held or pressed
//   "toolbuttonstyle"  flat; a light face under the mouse, grey when pressed
//   "tabbuttonstyle"   flat; orange face (#FFFF960D) when pressed
// Defaults: DefaultFontFamily() at 14 logical pixels, black text, centred.

#include "TControl.h"
#include "TextStyle.h"

#include <QPainterPath>
#include <QStringList>

// Colours a button look paints with, for one state.
struct TButtonLook
{
    TAlphaColor face = 0;    // 0 alpha: no face
    TAlphaColor faceEnd = 0; // bottom of a vertical gradient; equal to face for flat
    TAlphaColor border = 0;  // 0 alpha: no border
    double radius = 0;
};

// The look of `style` in a state; a plain function so the looks can be checked
// without painting.
STUDYTOOLKIT_EXPORT TButtonLook ButtonLookFor(const QString &style, bool down, bool hovered, bool enabled);
// Names of the looks, the default first.
STUDYTOOLKIT_EXPORT QStringList ButtonStyleNames();

class STUDYTOOLKIT_EXPORT TButton : public TControl
{
    Q_OBJECT
public:
    explicit TButton(QWidget *parent = nullptr);

    QString Text() const { return m_text; }
    void SetText(const QString &text);

    QString FontFamily() const { return m_family; }
    void SetFontFamily(const QString &family);
    double FontSize() const { return m_size; }
    void SetFontSize(double size);
    int FontStyle() const { return m_style; }
    void SetFontStyle(int style);
    TAlphaColor FontColor() const { return m_color; }
    void SetFontColor(TAlphaColor color);
    TTextAlign TextAlign() const { return m_align; }
    void SetTextAlign(TTextAlign align);

    bool IsPressed() const { return m_isPressed; }
    void SetIsPressed(bool pressed);
    bool StaysPressed() const { return m_staysPressed; }
    // Turning it off releases the button.
    void SetStaysPressed(bool stays);

    QString StyleLookup() const { return m_styleLookup; }
    void SetStyleLookup(const QString &name);

    // Whether the left button is held down on the control right now.
    bool IsHeld() const { return m_held; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void DoClick() override;
    // Outline of the face; a corner button rounds chosen corners.
    virtual QPainterPath FacePath(const QRectF &area, const TButtonLook &look) const;

private:
    QString m_text;
    QString m_family;
    double m_size = 14;
    int m_style = fsNone;
    TAlphaColor m_color = 0xFF000000;
    TTextAlign m_align = TTextAlign::Center;
    bool m_isPressed = false;
    bool m_staysPressed = false;
    bool m_held = false;
    bool m_hovered = false;
    QString m_styleLookup;
};

// A button with its own corner radii on chosen corners (default 3 on all).
class STUDYTOOLKIT_EXPORT TCornerButton : public TButton
{
    Q_OBJECT
public:
    explicit TCornerButton(QWidget *parent = nullptr);

    double XRadius() const { return m_xRadius; }
    double YRadius() const { return m_yRadius; }
    void SetXRadius(double r);
    void SetYRadius(double r);
    // TRectangle::Corner bits.
    int Corners() const { return m_corners; }
    void SetCorners(int corners);

protected:
    QPainterPath FacePath(const QRectF &area, const TButtonLook &look) const override;

private:
    double m_xRadius = 3, m_yRadius = 3;
    int m_corners = 15;
};
