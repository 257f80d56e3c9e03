#pragma once
// A horizontal progress bar built from two style parts, rectangles named
// "RectangleStyle1" (the track, filling the control) and "RectangleStyle2"
// (the bar, inset by one pixel on every side, as wide as the value's share).
//
// Style lookup: the first time the bar is painted, and again on every
// ApplyStyle() or change of StyleLookup, the parts are rebuilt with their
// default look and ApplyStyleLookup is emitted, so an owner can reshape the
// parts (FindStylePart) before they are seen. ApplyRoundedEnds() gives both
// parts rounded ends: radius X = (part height - 2) / 2 and radius Y = radius X.
//
// Defaults: Min 0, Max 100, Value 0, track #FFE6E6E6, bar #FF4CAF50.

#include "TControl.h"

class TRectangle;

// Corner radius that gives a part of this height rounded ends.
STUDYTOOLKIT_EXPORT double RoundedEndRadius(double partHeight);

class STUDYTOOLKIT_EXPORT TProgressBar : public TControl
{
    Q_OBJECT
public:
    explicit TProgressBar(QWidget *parent = nullptr);

    double Min() const { return m_min; }
    double Max() const { return m_max; }
    double Value() const { return m_value; }
    // Max below Min is raised to Min; Value is kept within Min..Max.
    void SetMin(double v);
    void SetMax(double v);
    void SetValue(double v);
    // Share of the range reached, 0..1 (0 for an empty range).
    double Fraction() const;

    TAlphaColor TrackColor() const { return m_trackColor; }
    void SetTrackColor(TAlphaColor c);
    TAlphaColor BarColor() const { return m_barColor; }
    void SetBarColor(TAlphaColor c);

    QString StyleLookup() const { return m_styleLookup; }
    void SetStyleLookup(const QString &name);
    // Rebuilds the parts with their default look and emits ApplyStyleLookup.
    void ApplyStyle();
    bool StyleApplied() const { return m_styled; }
    // A style part by name ("RectangleStyle1", "RectangleStyle2"); null for
    // other names.
    TRectangle *FindStylePart(const QString &name) const;
    // Rounds both ends of both parts (radius = (part height - 2) / 2).
    void ApplyRoundedEnds();

Q_SIGNALS:
    void ApplyStyleLookup(TProgressBar *sender);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void SizeChanged() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutParts();

    TRectangle *m_track;
    TRectangle *m_bar;
    double m_min = 0, m_max = 100, m_value = 0;
    TAlphaColor m_trackColor = 0xFFE6E6E6;
    TAlphaColor m_barColor = 0xFF4CAF50;
    QString m_styleLookup;
    bool m_styled = false;
};
