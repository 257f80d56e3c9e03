#include "Render.h"

#include <QPainter>
#include <QWidget>

QImage RenderToImage(QWidget *w)
{
    if (!w || w->width() <= 0 || w->height() <= 0)
        return {};
    w->ensurePolished();
    QImage image(w->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        w->render(&p, QPoint(), QRegion(), QWidget::DrawChildren | QWidget::DrawWindowBackground);
    }
    return image;
}

bool RenderToPng(QWidget *w, const QString &path)
{
    const QImage image = RenderToImage(w);
    return !image.isNull() && image.save(path, "PNG");
}
