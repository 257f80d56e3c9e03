#include "Pictures.h"

#include <QCryptographicHash>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QString kFontFamily = QStringLiteral("WenQuanYi Zen Hei");

QFont Font(int pixelSize, bool bold)
{
    QFont font(kFontFamily);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// Largest font size up to `size` at which `text` fits in `rect` (wrapped).
QFont FittedFont(const QString &text, const QRect &rect, int size, bool bold)
{
    for (; size > 10; size -= 2) {
        const QFontMetrics metrics(Font(size, bold));
        const QRect needed = metrics.boundingRect(rect, Qt::AlignCenter | Qt::TextWordWrap, text);
        if (needed.width() <= rect.width() && needed.height() <= rect.height())
            break;
    }
    return Font(size, bold);
}

void DrawText(QPainter &p, const QRect &rect, const QString &text, int size, bool bold, const QColor &colour)
{
    p.setFont(FittedFont(text, rect, size, bold));
    p.setPen(colour);
    p.drawText(rect, Qt::AlignCenter | Qt::TextWordWrap, text);
}

QImage Canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

} // namespace

QColor ColourFor(const QString &text)
{
    const QByteArray hash = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5);
    const int hue = (static_cast<unsigned char>(hash[0]) * 256 + static_cast<unsigned char>(hash[1])) % 360;
    return QColor::fromHsv(hue, 120, 225);
}

QImage DrawLessonPicture(const QString &title, const QString &caption)
{
    QImage image = Canvas(480, 300);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = ColourFor(title);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, base.lighter(150));
    sky.setColorAt(1, base.lighter(115));
    p.fillRect(image.rect(), sky);
    // Sun.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD5, 0x4F));
    p.drawEllipse(QPointF(405, 60), 32, 32);
    // Two hills.
    p.setBrush(base.darker(115));
    p.drawEllipse(QRectF(-80, 210, 360, 200));
    p.setBrush(base.darker(135));
    p.drawEllipse(QRectF(200, 230, 380, 180));
    // Title card.
    const QRect card(40, 70, 400, 130);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRoundedRect(card, 18, 18);
    DrawText(p, card.adjusted(16, 10, -16, -40), title, 40, true, base.darker(220));
    DrawText(p, QRect(card.left() + 16, card.bottom() - 40, card.width() - 32, 30), caption, 20, false,
             QColor(0x55, 0x55, 0x55));
    return image;
}

QImage DrawWordPicture(const QString &word, const QString &meaning)
{
    QImage image = Canvas(300, 300);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = ColourFor(word);
    p.fillRect(image.rect(), base.lighter(160));
    p.setPen(Qt::NoPen);
    p.setBrush(base.darker(135));
    p.drawEllipse(QPointF(150, 130), 105, 105);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(QPointF(95, 70), 16, 16);
    DrawText(p, QRect(55, 85, 190, 90), word, 48, true, Qt::white);
    DrawText(p, QRect(20, 245, 260, 45), meaning, 30, false, base.darker(220));
    return image;
}

QImage DrawTilePicture(const QString &name, const QColor &colour, const QString &badge)
{
    QImage image = Canvas(150, 200);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient cover(0, 0, 150, 200);
    cover.setColorAt(0, colour.lighter(125));
    cover.setColorAt(1, colour.darker(110));
    p.fillRect(image.rect(), cover);
    // Spine.
    p.fillRect(QRect(0, 0, 12, 200), colour.darker(140));
    // Decorative circles.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QPointF(120, 30), 40, 40);
    p.drawEllipse(QPointF(40, 175), 30, 30);
    DrawText(p, QRect(20, 50, 120, 90), name, 24, true, Qt::white);
    if (!badge.isEmpty()) {
        const QRect pill(30, 152, 100, 26);
        p.setBrush(QColor(255, 255, 255, 210));
        p.drawRoundedRect(pill, 13, 13);
        DrawText(p, pill, badge, 14, true, colour.darker(160));
    }
    return image;
}

QImage DrawMaterialPicture(const QString &title, const QColor &colour)
{
    QImage image = Canvas(400, 260);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), colour.lighter(150));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPainterPath wave;
    wave.moveTo(0, 190);
    wave.cubicTo(120, 150, 260, 230, 400, 180);
    wave.lineTo(400, 260);
    wave.lineTo(0, 260);
    wave.closeSubpath();
    p.drawPath(wave);
    // An open book.
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRect(140, 150, 58, 70), 6, 6);
    p.drawRoundedRect(QRect(202, 150, 58, 70), 6, 6);
    DrawText(p, QRect(30, 30, 340, 100), title, 38, true, colour.darker(200));
    return image;
}
