#pragma once
// Glow and shadow effects. An effect belongs to one control at a time (its
// target, which also owns it as a child object), can be switched on and off,
// and can be moved onto another control with SetTarget.
//
// Qt gives a widget a single graphics effect. The toolkit therefore installs
// one effect painter per control that draws every enabled glow and shadow
// attached to it (in the order they were attached) under the control's own
// picture. Control opacity does not use that slot: each control applies its
// Opacity when painting itself, so opacity and effects combine freely. Code
// must not install other graphics effects on toolkit controls.
//
// Softness 0..1 sets the blur: the blurred edge extends softness × 25 logical
// pixels. Colours are #AARRGGBB; Opacity multiplies the colour's alpha.

#include "TControl.h"

#include <QPointer>

class TEffectPainter;

class STUDYTOOLKIT_EXPORT TEffect : public QObject
{
    Q_OBJECT
public:
    ~TEffect() override;

    TControl *Target() const { return qobject_cast<TControl *>(m_target.data()); }
    // Moves the effect onto `target` (null detaches it).
    void SetTarget(TControl *target);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor color);
    double Softness() const { return m_softness; }
    void SetSoftness(double softness);
    double Opacity() const { return m_opacity; }
    void SetOpacity(double opacity);

    // Blur radius in logical pixels.
    double BlurRadius() const;
    // Offset of the effect's picture from the control's, in logical pixels.
    virtual QPointF Offset() const { return {}; }
    // Strength by which the blurred alpha is multiplied (a glow is brighter
    // than the plain blurred silhouette).
    virtual double Gain() const { return 1.0; }

protected:
    TEffect(TControl *target, TAlphaColor color, double softness, double opacity);
    void changed();

private:
    // Held as a plain object: the effect outlives the control's own part
    // while the control is being destroyed.
    QPointer<QObject> m_target;
    QPointer<TEffectPainter> m_painter;
    bool m_enabled = true;
    TAlphaColor m_color;
    double m_softness;
    double m_opacity;
};

// A coloured halo around the control's picture. Defaults: gold (#FFFFD700),
// softness 0.4, opacity 0.9, enabled.
class STUDYTOOLKIT_EXPORT TGlowEffect : public TEffect
{
    Q_OBJECT
public:
    explicit TGlowEffect(TControl *target = nullptr);
    double Gain() const override { return 3.0; }
};

// A shadow cast at Distance logical pixels in Direction degrees (0 = right,
// 90 = down). Defaults: black, softness 0.3, opacity 0.6, distance 3,
// direction 45, enabled.
class STUDYTOOLKIT_EXPORT TShadowEffect : public TEffect
{
    Q_OBJECT
public:
    explicit TShadowEffect(TControl *target = nullptr);

    double Distance() const { return m_distance; }
    void SetDistance(double d);
    double Direction() const { return m_direction; }
    void SetDirection(double degrees);
    QPointF Offset() const override;

private:
    double m_distance = 3;
    double m_direction = 45;
};

// Blurs the alpha of `image` (any format) with a box blur of three passes
// approximating a Gaussian of the given radius; returns an Alpha8 image of the
// same size. Exposed for tests.
STUDYTOOLKIT_EXPORT QImage BlurAlpha(const QImage &image, int radius);
