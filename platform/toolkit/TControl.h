#pragma once
// Base of every visual control of the toolkit.
//
// A control is a QWidget whose component name is its Qt objectName (tests and
// scripts find controls with findChild). Position and size are logical pixels
// of the 1024 x 635 study frame, kept as doubles and rounded for Qt.
// Every control carries an integer tag, a floating tag and a text tag that
// handlers use to tell run-time controls apart (their index, their word).
// Mouse events are signals carrying the sender, so one handler can serve a
// whole row of controls made at run time.

#include "studytoolkit_export.h"

#include <QColor>
#include <QPointF>
#include <QString>
#include <QWidget>

// A colour as 0xAARRGGBB, written "#AARRGGBB" in texts.
using TAlphaColor = quint32;

STUDYTOOLKIT_EXPORT QColor ToQColor(TAlphaColor color);
STUDYTOOLKIT_EXPORT TAlphaColor FromQColor(const QColor &color);
// Parses "#AARRGGBB" (or "#RRGGBB", taken as opaque); `ok` tells whether the
// text was a colour. An unparsable text gives opaque black.
STUDYTOOLKIT_EXPORT TAlphaColor ParseAlphaColor(const QString &text, bool *ok = nullptr);
// "#AARRGGBB" with upper-case digits.
STUDYTOOLKIT_EXPORT QString AlphaColorToString(TAlphaColor color);

class STUDYTOOLKIT_EXPORT TControl : public QWidget
{
    Q_OBJECT
public:
    explicit TControl(QWidget *parent = nullptr);
    ~TControl() override;

    // Component name (= objectName).
    QString Name() const { return objectName(); }
    void SetName(const QString &name) { setObjectName(name); }

    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    double TagFloat() const { return m_tagFloat; }
    void SetTagFloat(double tag) { m_tagFloat = tag; }
    QString TagString() const { return m_tagString; }
    void SetTagString(const QString &tag) { m_tagString = tag; }

    // Hint text; shown by the owner through the host's hint service.
    QString Hint() const { return m_hint; }
    void SetHint(const QString &hint) { m_hint = hint; }

    // Geometry in logical pixels relative to the parent.
    // A geometry imposed by Qt itself (a layout, a scroll area, resize())
    // wins over the logical value when the two no longer round alike.
    double X() const { return logical(m_x, x()); }
    double Y() const { return logical(m_y, y()); }
    double Width() const { return logical(m_w, width()); }
    double Height() const { return logical(m_h, height()); }
    void SetPosition(double x, double y);
    void SetX(double x) { SetPosition(x, Y()); }
    void SetY(double y) { SetPosition(X(), y); }
    void SetSize(double width, double height);
    void SetWidth(double width) { SetSize(width, Height()); }
    void SetHeight(double height) { SetSize(Width(), height); }
    void SetBounds(double x, double y, double width, double height);

    // The control's own visibility: true unless it was hidden on purpose,
    // whether or not its parent is on screen. A control created in or moved
    // into a parent that is on screen is shown at once.
    bool Visible() const { return !(isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide)); }
    void SetVisible(bool visible) { setVisible(visible); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }

    // 0 (transparent) to 1 (opaque); applies to the control's own painting.
    double Opacity() const { return m_opacity; }
    void SetOpacity(double opacity);

    // Whether the control receives the mouse; a control without hit test
    // lets clicks through to what lies under it. On by default. Texts,
    // labels, layouts and animations start without hit test, but connecting
    // to one of their mouse signals turns it on, unless SetHitTest was called.
    bool HitTest() const { return m_hitTest; }
    void SetHitTest(bool on);

    // Whether `object` is a control in the middle of its destruction (its
    // children are being deleted).
    static bool IsBeingDestroyed(const QObject *object);

    // Paint order among siblings.
    void BringToFront() { raise(); }
    void SendToBack() { lower(); }

Q_SIGNALS:
    void Click(TControl *sender);
    void MouseEnter(TControl *sender);
    void MouseLeave(TControl *sender);
    void MouseDown(TControl *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    void MouseUp(TControl *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    void Resized(TControl *sender);
    // Position or size set through the logical-pixel setters.
    void GeometryChanged(TControl *sender);

protected:
    bool event(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    // Runs when a left press and its release both fall inside the control;
    // emits Click. Controls with their own click behaviour (toggles) extend it.
    virtual void DoClick();
    // Runs after the logical size was changed through the setters (also while
    // the control is hidden, when Qt delivers no resize event yet).
    virtual void SizeChanged() {}
    // Hit test of a control class that lets clicks through until a mouse
    // handler is connected.
    void SetDefaultHitTest(bool on);
    void connectNotify(const QMetaMethod &signal) override;

private:
    void applyGeometry(bool sizeChanged);
    static double logical(double value, int actual);

    int m_tag = 0;
    double m_tagFloat = 0;
    QString m_tagString;
    QString m_hint;
    double m_x = 0, m_y = 0, m_w = 0, m_h = 0;
    double m_opacity = 1.0;
    bool m_pressed = false;
    bool m_hitTest = true;
    bool m_hitTestSet = false;
};
