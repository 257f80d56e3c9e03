#pragma once
// Check boxes and radio buttons: a mark followed by a text. A click on a check
// box toggles it; a click on a radio button checks it. Checking a radio button
// unchecks every other radio button of the same GroupName under the same
// parent. Change is emitted only when IsChecked really changes, whether by a
// click or by SetIsChecked.
//
// Defaults: DefaultFontFamily() at 14 logical pixels, black text, unchecked,
// empty group name (radio buttons without a group name form one group).

#include "TControl.h"
#include "TextStyle.h"

#include <QDate>

class STUDYTOOLKIT_EXPORT TCheckBox : public TControl
{
    Q_OBJECT
public:
    explicit TCheckBox(QWidget *parent = nullptr);

    QString Text() const { return m_text; }
    void SetText(const QString &text);
    bool IsChecked() const { return m_checked; }
    virtual void SetIsChecked(bool checked);

    double FontSize() const { return m_size; }
    void SetFontSize(double size);
    TAlphaColor FontColor() const { return m_color; }
    void SetFontColor(TAlphaColor color);

Q_SIGNALS:
    void Change(TControl *sender);

protected:
    void paintEvent(QPaintEvent *event) override;
    void DoClick() override;
    // Paints the mark in `box`; a radio button draws a circle.
    virtual void PaintMark(QPainter &p, const QRectF &box) const;
    // Sets the state and emits Change when it differs; false when unchanged.
    bool setChecked(bool checked);

private:
    QString m_text;
    bool m_checked = false;
    double m_size = 14;
    TAlphaColor m_color = 0xFF000000;
};

class STUDYTOOLKIT_EXPORT TRadioButton : public TCheckBox
{
    Q_OBJECT
public:
    explicit TRadioButton(QWidget *parent = nullptr);

    QString GroupName() const { return m_group; }
    void SetGroupName(const QString &group) { m_group = group; }

    // Checking unchecks the others of the group; unchecking touches no other.
    void SetIsChecked(bool checked) override;

protected:
    void DoClick() override;
    void PaintMark(QPainter &p, const QRectF &box) const override;

private:
    void uncheckOthers();

    QString m_group;
};

class QDateEdit;

// A date field with a drop-down calendar.
class STUDYTOOLKIT_EXPORT TDateEdit : public TControl
{
    Q_OBJECT
public:
    explicit TDateEdit(QWidget *parent = nullptr);

    QDate Date() const;
    void SetDate(const QDate &date);
    // Display format, "yyyy-MM-dd" by default.
    void SetFormat(const QString &format);

Q_SIGNALS:
    void Change(TControl *sender);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QDateEdit *m_edit;
};
