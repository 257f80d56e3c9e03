#include "TRectangle.h"

#include <QFile>
#include <QPainter>

#include <algorithm>

// Defaults suit a study screen: a light grey solid fill (#FFE0E0E0) so a
// rectangle placed without further settings is visible, no stroke (thickness
// 0, colour black once a thickness is set), square corners, full opacity.

TRectangle::TRectangle(QWidget *parent) : TControl(parent)
{
}

void TRectangle::SetFill(FillKind kind)
{
    m_fill = kind;
    update();
}

void TRectangle::SetFillColor(TAlphaColor color)
{
    m_fillColor = color;
    m_fill = FillKind::Solid;
    update();
}

void TRectangle::SetBitmap(const QImage &image)
{
    m_bitmap = image;
    m_fill = FillKind::Bitmap;
    update();
}

bool TRectangle::LoadBitmap(const QByteArray &data)
{
    QImage image;
    if (data.isEmpty() || !image.loadFromData(data))
        return false;
    SetBitmap(image);
    return true;
}

bool TRectangle::LoadBitmapFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return LoadBitmap(file.readAll());
}

void TRectangle::ClearBitmap()
{
    m_bitmap = QImage();
    update();
}

void TRectangle::SetBitmapRotation(double degrees)
{
    m_rotation = degrees;
    update();
}

void TRectangle::SetStrokeColor(TAlphaColor color)
{
    m_strokeColor = color;
    update();
}

void TRectangle::SetStrokeThickness(double thickness)
{
    m_strokeThickness = std::max(0.0, thickness);
    update();
}

void TRectangle::SetSides(int sides)
{
    m_sides = sides & AllSides;
    update();
}

void TRectangle::SetXRadius(double r)
{
    m_xRadius = std::max(0.0, r);
    update();
}

void TRectangle::SetYRadius(double r)
{
    m_yRadius = std::max(0.0, r);
    update();
}

void TRectangle::SetCorners(int corners)
{
    m_corners = corners & AllCorners;
    update();
}

QPainterPath TRectangle::CornerPath(const QRectF &rect, double rx, double ry, int corners)
{
    QPainterPath path;
    rx = std::clamp(rx, 0.0, rect.width() / 2);
    ry = std::clamp(ry, 0.0, rect.height() / 2);
    if (rx <= 0 || ry <= 0 || (corners & AllCorners) == 0) {
        path.addRect(rect);
        return path;
    }
    const double l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    const double w = 2 * rx, h = 2 * ry;
    // Clockwise from the top-left corner; arcs are given by their bounding box.
    if (corners & CornerTopLeft) {
        path.moveTo(l, t + ry);
        path.arcTo(QRectF(l, t, w, h), 180, -90);
    } else {
        path.moveTo(l, t);
    }
    if (corners & CornerTopRight) {
        path.lineTo(r - rx, t);
        path.arcTo(QRectF(r - w, t, w, h), 90, -90);
    } else {
        path.lineTo(r, t);
    }
    if (corners & CornerBottomRight) {
        path.lineTo(r, b - ry);
        path.arcTo(QRectF(r - w, b - h, w, h), 0, -90);
    } else {
        path.lineTo(r, b);
    }
    if (corners & CornerBottomLeft) {
        path.lineTo(l + rx, b);
        path.arcTo(QRectF(l, b - h, w, h), 270, -90);
    } else {
        path.lineTo(l, b);
    }
    path.closeSubpath();
    return path;
}

void TRectangle::paintEvent(QPaintEvent *)
{
    if (width() <= 0 || height() <= 0 || Opacity() <= 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(Opacity());

    const QRectF area(0, 0, Width(), Height());
    const QPainterPath outline = CornerPath(area, m_xRadius, m_yRadius, m_corners);

    if (m_fill == FillKind::Solid) {
        p.fillPath(outline, ToQColor(m_fillColor));
    } else if (m_fill == FillKind::Bitmap && !m_bitmap.isNull()) {
        p.save();
        p.setClipPath(outline);
        if (m_rotation != 0) {
            const QPointF c = area.center();
            p.translate(c);
            p.rotate(m_rotation);
            p.translate(-c);
        }
        p.drawImage(area, m_bitmap);
        p.restore();
    }

    if (m_strokeThickness <= 0 || m_sides == 0)
        return;
    const double t = m_strokeThickness;
    const QColor sc = ToQColor(m_strokeColor);
    if (m_sides == AllSides) {
        // The stroke lies inside the control: its centre line runs half a
        // thickness in from the edge.
        const QRectF inner = area.adjusted(t / 2, t / 2, -t / 2, -t / 2);
        const QPainterPath line =
            CornerPath(inner, std::max(0.0, m_xRadius - t / 2), std::max(0.0, m_yRadius - t / 2), m_corners);
        QPen pen(sc, t);
        pen.setJoinStyle(Qt::MiterJoin);
        p.strokePath(line, pen);
        return;
    }
    // Single sides are bands along the edge, kept within the rounded outline.
    // Bands are united first so that a translucent colour is not doubled
    // where two sides meet.
    QPainterPath bands;
    bands.setFillRule(Qt::WindingFill);
    if (m_sides & SideTop)
        bands.addRect(QRectF(0, 0, area.width(), t));
    if (m_sides & SideBottom)
        bands.addRect(QRectF(0, area.height() - t, area.width(), t));
    if (m_sides & SideLeft)
        bands.addRect(QRectF(0, 0, t, area.height()));
    if (m_sides & SideRight)
        bands.addRect(QRectF(area.width() - t, 0, t, area.height()));
    p.fillPath(bands.simplified().intersected(outline), sc);
}
