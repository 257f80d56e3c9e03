#include "TImageControl.h"

#include <QPainter>

TImageControl::TImageControl(QWidget *parent) : TControl(parent)
{
}

int TImageControl::AddImage(const QImage &image)
{
    m_images.append(image);
    update();
    return static_cast<int>(m_images.size()) - 1;
}

int TImageControl::AddImageData(const QByteArray &data)
{
    QImage image;
    if (data.isEmpty() || !image.loadFromData(data))
        return -1;
    return AddImage(image);
}

void TImageControl::ClearImages()
{
    m_images.clear();
    update();
}

QImage TImageControl::Image(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images.at(index) : QImage();
}

void TImageControl::SetImageIndex(int index)
{
    m_index = index;
    update();
}

void TImageControl::paintEvent(QPaintEvent *)
{
    const QImage image = CurrentImage();
    if (image.isNull() || Opacity() <= 0)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(Opacity());
    QSizeF size = image.size();
    size.scale(QSizeF(Width(), Height()), Qt::KeepAspectRatio);
    const QRectF target((Width() - size.width()) / 2, (Height() - size.height()) / 2, size.width(), size.height());
    p.drawImage(target, image);
}
