#pragma once
// A rectangle: solid or bitmap fill (the bitmap stretched over the control,
// optionally turned by an angle), a stroke on chosen sides, rounded chosen
// corners and the opacity of TControl. Most pictures of the study screens are
// rectangles whose bitmap is loaded from the UI archive.
//
// Defaults: solid light grey fill (#FFE0E0E0) so that a rectangle placed
// without settings is visible; no stroke (thickness 0; black once a thickness
// is set) on all sides; square corners (radius 0, all corners chosen once a
// radius is set); bitmap not turned; full opacity; hit test on.

#include "TControl.h"

#include <QByteArray>
#include <QImage>
#include <QPainterPath>

class STUDYTOOLKIT_EXPORT TRectangle : public TControl
{
    Q_OBJECT
public:
    enum class FillKind { None, Solid, Bitmap };
    enum Side { SideTop = 1, SideLeft = 2, SideBottom = 4, SideRight = 8, AllSides = 15 };
    enum Corner { CornerTopLeft = 1, CornerTopRight = 2, CornerBottomLeft = 4, CornerBottomRight = 8, AllCorners = 15 };

    explicit TRectangle(QWidget *parent = nullptr);

    FillKind Fill() const { return m_fill; }
    void SetFill(FillKind kind);
    TAlphaColor FillColor() const { return m_fillColor; }
    // Sets the colour and switches the fill to Solid.
    void SetFillColor(TAlphaColor color);

    // Sets the bitmap and switches the fill to Bitmap.
    void SetBitmap(const QImage &image);
    // Decodes PNG/JPEG bytes into the bitmap; false (bitmap unchanged) when the
    // bytes are not a picture.
    bool LoadBitmap(const QByteArray &data);
    // Loads a picture file; false (bitmap unchanged) when it cannot be read.
    bool LoadBitmapFromFile(const QString &path);
    const QImage &Bitmap() const { return m_bitmap; }
    bool HasBitmap() const { return !m_bitmap.isNull(); }
    void ClearBitmap();
    // Angle in degrees by which the bitmap is turned around its centre.
    double BitmapRotation() const { return m_rotation; }
    void SetBitmapRotation(double degrees);

    TAlphaColor StrokeColor() const { return m_strokeColor; }
    void SetStrokeColor(TAlphaColor color);
    // 0 draws no stroke.
    double StrokeThickness() const { return m_strokeThickness; }
    void SetStrokeThickness(double thickness);
    int Sides() const { return m_sides; }
    void SetSides(int sides);

    double XRadius() const { return m_xRadius; }
    double YRadius() const { return m_yRadius; }
    void SetXRadius(double r);
    void SetYRadius(double r);
    int Corners() const { return m_corners; }
    void SetCorners(int corners);

    // Outline of `rect` with the chosen corners rounded by rx, ry (each kept
    // within half the rectangle's width or height).
    static QPainterPath CornerPath(const QRectF &rect, double rx, double ry, int corners);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    FillKind m_fill = FillKind::Solid;
    TAlphaColor m_fillColor = 0xFFE0E0E0;
    QImage m_bitmap;
    double m_rotation = 0;
    TAlphaColor m_strokeColor = 0xFF000000;
    double m_strokeThickness = 0;
    int m_sides = AllSides;
    double m_xRadius = 0, m_yRadius = 0;
    int m_corners = AllCorners;
};
