#pragma once
// Drawing of the archive's single pictures and picture strips.

#include "PictureList.h"

#include <QImage>
#include <QPainter>
#include <QRectF>

// The picture of a "pic" entry; a null image when the look is unknown.
QImage PaintPicture(const TPictureEntry &entry);
// The whole row of frames of a "strip" entry; null when the look is unknown.
QImage PaintStrip(const TPictureEntry &entry);

// Shared shapes, also used by the frame animations.
void DrawMicrophone(QPainter &p, const QRectF &rect, const QColor &color);
void DrawSpeaker(QPainter &p, const QRectF &rect, const QColor &color, int waves);
void DrawStar(QPainter &p, const QPointF &centre, double outer, const QColor &color);
void DrawMedal(QPainter &p, const QRectF &rect, const QColor &metal, const QString &text);
void DrawCoin(QPainter &p, const QRectF &rect, const QString &text);
void DrawRobotFace(QPainter &p, const QRectF &rect, bool mouthOpen, bool eyesOpen);
