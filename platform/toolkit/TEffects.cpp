#include "TEffects.h"

#include <QGraphicsEffect>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One box pass along rows (horizontal) or columns of an Alpha8 image.
void boxPass(QImage &img, int r, bool horizontal)
{
    const int w = img.width(), h = img.height();
    const int lines = horizontal ? h : w, len = horizontal ? w : h;
    std::vector<int> src(len);
    const int span = 2 * r + 1;
    for (int line = 0; line < lines; ++line) {
        auto at = [&](int i) -> uchar & { return horizontal ? img.scanLine(line)[i] : img.scanLine(i)[line]; };
        for (int i = 0; i < len; ++i)
            src[i] = at(i);
        int sum = 0;
        for (int i = -r; i <= r; ++i)
            sum += (i >= 0 && i < len) ? src[i] : 0;
        for (int i = 0; i < len; ++i) {
            at(i) = static_cast<uchar>(sum / span);
            const int out = i - r, in = i + r + 1;
            if (out >= 0)
                sum -= src[out];
            if (in < len)
                sum += src[in];
        }
    }
}

} // namespace

QImage BlurAlpha(const QImage &image, int radius)
{
    QImage alpha = image.convertToFormat(QImage::Format_Alpha8);
    if (radius <= 0 || alpha.isNull())
        return alpha;
    const int r = std::max(1, radius / 3);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(alpha, r, true);
        boxPass(alpha, r, false);
    }
    return alpha;
}

// The single graphics effect of a control: paints each enabled toolkit effect
// attached to it, then the control itself.
class TEffectPainter : public QGraphicsEffect
{
public:
    explicit TEffectPainter(QObject *parent = nullptr) : QGraphicsEffect(parent) {}

    void add(TEffect *e)
    {
        if (!m_effects.contains(e))
            m_effects.append(e);
        refresh();
    }
    void remove(TEffect *e)
    {
        m_effects.removeAll(e);
        refresh();
    }
    void refresh()
    {
        // Without an enabled effect the painter stands aside and Qt paints
        // the control directly.
        const bool any = std::any_of(m_effects.begin(), m_effects.end(),
                                     [](const QPointer<TEffect> &e) { return e && e->Enabled(); });
        if (any != isEnabled())
            setEnabled(any);
        updateBoundingRect();
        update();
    }

    QRectF boundingRectFor(const QRectF &rect) const override
    {
        QRectF r = rect;
        for (const auto &e : m_effects) {
            if (!e || !e->Enabled())
                continue;
            const double b = std::ceil(e->BlurRadius()) + 1;
            r = r.united(rect.translated(e->Offset()).adjusted(-b, -b, b, b));
        }
        return r;
    }

protected:
    void draw(QPainter *painter) override
    {
        QPoint offset;
        const QPixmap px = sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
        if (px.isNull())
            return;
        const QTransform restore = painter->worldTransform();
        painter->setWorldTransform(QTransform());
        const double scale = px.devicePixelRatio();
        const QImage source = px.toImage();
        for (const auto &e : m_effects) {
            if (!e || !e->Enabled())
                continue;
            QImage alpha = BlurAlpha(source, static_cast<int>(std::lround(e->BlurRadius() * scale)));
            QImage tinted(source.size(), QImage::Format_ARGB32_Premultiplied);
            QColor c = ToQColor(e->Color());
            c.setAlphaF(std::clamp(c.alphaF() * e->Opacity(), 0.0, 1.0));
            tinted.fill(c);
            {
                QPainter tp(&tinted);
                tp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
                const int copies = std::max(1, static_cast<int>(std::lround(e->Gain())));
                // Drawing the mask again on a layer of its own strengthens it.
                QImage mask = alpha;
                if (copies > 1) {
                    mask = QImage(alpha.size(), QImage::Format_ARGB32_Premultiplied);
                    mask.fill(Qt::transparent);
                    QPainter mp(&mask);
                    for (int i = 0; i < copies; ++i)
                        mp.drawImage(0, 0, alpha);
                }
                tp.drawImage(0, 0, mask);
            }
            const QPointF shift = e->Offset() * scale;
            painter->drawImage(QPointF(offset) + shift, tinted);
        }
        painter->drawPixmap(offset, px);
        painter->setWorldTransform(restore);
    }

private:
    QList<QPointer<TEffect>> m_effects;
};

TEffect::TEffect(TControl *target, TAlphaColor color, double softness, double opacity)
    : QObject(target),
      m_color(color),
      m_softness(softness),
      m_opacity(opacity)
{
    SetTarget(target);
}

TEffect::~TEffect()
{
    // A control being destroyed takes its effect painter with it.
    if (m_painter && !TControl::IsBeingDestroyed(m_target.data()))
        m_painter->remove(this);
}

void TEffect::SetTarget(TControl *target)
{
    if (target == m_target.data() && (m_painter || !target))
        return;
    if (m_painter && !TControl::IsBeingDestroyed(m_target.data()))
        m_painter->remove(this);
    m_painter = nullptr;
    m_target = target;
    if (!target)
        return;
    if (parent() != target)
        setParent(target);
    auto *painter = dynamic_cast<TEffectPainter *>(target->graphicsEffect());
    if (!painter) {
        painter = new TEffectPainter;
        target->setGraphicsEffect(painter); // the control owns it
    }
    m_painter = painter;
    painter->add(this);
}

void TEffect::changed()
{
    if (m_painter)
        m_painter->refresh();
}

void TEffect::SetEnabled(bool on)
{
    m_enabled = on;
    changed();
}

void TEffect::SetColor(TAlphaColor color)
{
    m_color = color;
    changed();
}

void TEffect::SetSoftness(double softness)
{
    m_softness = std::clamp(softness, 0.0, 1.0);
    changed();
}

void TEffect::SetOpacity(double opacity)
{
    m_opacity = std::clamp(opacity, 0.0, 1.0);
    changed();
}

double TEffect::BlurRadius() const
{
    return m_softness * 25.0;
}

TGlowEffect::TGlowEffect(TControl *target) : TEffect(target, 0xFFFFD700, 0.4, 0.9)
{
}

TShadowEffect::TShadowEffect(TControl *target) : TEffect(target, 0xFF000000, 0.3, 0.6)
{
}

void TShadowEffect::SetDistance(double d)
{
    m_distance = d;
    changed();
}

void TShadowEffect::SetDirection(double degrees)
{
    m_direction = degrees;
    changed();
}

QPointF TShadowEffect::Offset() const
{
    const double rad = m_direction * M_PI / 180.0;
    return {m_distance * std::cos(rad), m_distance * std::sin(rad)};
}
