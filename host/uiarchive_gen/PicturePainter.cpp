#include "PicturePainter.h"

#include "Palette.h"

#include <QPainterPath>
#include <QtMath>

using namespace uipal;

namespace {

QImage Blank(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Antialias(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// A tab of the home page: "Up" plain, "Enter" highlighted, "Down" selected.
void DrawTab(QPainter &p, const QRectF &r, const QString &state, const QString &text)
{
    if (state == QLatin1String("tabDown")) {
        FillRounded(p, r, Accent);
        DrawFittedText(p, r, text, White, r.height() * 0.45, true);
    } else if (state == QLatin1String("tabEnter")) {
        FillRounded(p, r, AccentPale, Accent, 2);
        DrawFittedText(p, r, text, AccentDark, r.height() * 0.45, true);
    } else {
        FillRounded(p, r, White, Line, 1.5);
        DrawFittedText(p, r, text, Ink, r.height() * 0.45);
    }
}

void DrawCover(QPainter &p, const QRectF &r, const QColor &band, const QString &text, bool lines)
{
    FillRounded(p, r.adjusted(1, 1, -1, -1), White, Line, 2);
    const QRectF spine(r.left() + 1, r.top() + 1, r.width() * 0.12, r.height() - 2);
    p.fillRect(spine.adjusted(2, 4, 0, -4), band);
    const QRectF title(r.left() + r.width() * 0.2, r.top() + r.height() * 0.18, r.width() * 0.7, r.height() * 0.3);
    FillRounded(p, title, band);
    DrawFittedText(p, title, text, White, title.height() * 0.45, true);
    if (lines) {
        p.setPen(QPen(Line, 3, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i) {
            const double y = r.top() + r.height() * (0.62 + 0.1 * i);
            p.drawLine(QPointF(title.left(), y), QPointF(title.right() - i * r.width() * 0.12, y));
        }
    }
}

void DrawMagnifier(QPainter &p, const QRectF &r)
{
    const double s = r.width();
    p.setPen(QPen(Accent, s * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(AccentPale);
    p.drawEllipse(QRectF(r.left() + s * 0.12, r.top() + s * 0.12, s * 0.52, s * 0.52));
    p.drawLine(QPointF(r.left() + s * 0.57, r.top() + s * 0.57), QPointF(r.left() + s * 0.86, r.top() + s * 0.86));
}

void DrawBadge(QPainter &p, const QRectF &r, const QColor &fill, const QString &text)
{
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    DrawFittedText(p, r, text, White, r.height() * 0.55, true);
}

void DrawCheck(QPainter &p, const QRectF &r, const QColor &color)
{
    QPainterPath path;
    path.moveTo(r.left() + r.width() * 0.2, r.top() + r.height() * 0.52);
    path.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.74);
    path.lineTo(r.left() + r.width() * 0.8, r.top() + r.height() * 0.3);
    p.setPen(QPen(color, r.width() * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void DrawLoop(QPainter &p, const QRectF &r, bool on)
{
    const double s = r.width();
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(Accent);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
    } else {
        p.setPen(QPen(Line, 1.5));
        p.setBrush(White);
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
    }
    const QColor ink = on ? White : InkSoft;
    const QRectF arc = r.adjusted(s * 0.25, s * 0.25, -s * 0.25, -s * 0.25);
    p.setPen(QPen(ink, s * 0.08, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(arc, 30 * 16, 150 * 16);
    p.drawArc(arc, 210 * 16, 150 * 16);
    // Arrow heads at the ends of both arcs.
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const double a = s * 0.1;
    for (int k = 0; k < 2; ++k) {
        const double angle = qDegreesToRadians(k == 0 ? 180.0 : 0.0);
        const QPointF tip(arc.center().x() + std::cos(angle) * arc.width() / 2,
                          arc.center().y() - std::sin(angle) * arc.height() / 2);
        const double dir = k == 0 ? 1 : -1;
        QPolygonF head;
        head << QPointF(tip.x() - a, tip.y() - dir * a * 0.2) << QPointF(tip.x() + a, tip.y() - dir * a * 0.2)
             << QPointF(tip.x(), tip.y() + dir * a);
        p.drawPolygon(head);
    }
}

void DrawExit(QPainter &p, const QRectF &r, const QString &look)
{
    const bool down = look == QLatin1String("exitDown");
    const bool enter = look == QLatin1String("exitEnter");
    p.setPen(Qt::NoPen);
    p.setBrush(down ? AccentDark : enter ? Accent : Line);
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    const double s = r.width() * 0.3;
    p.setPen(QPen(White, r.width() * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.center() + QPointF(-s, -s), r.center() + QPointF(s, s));
    p.drawLine(r.center() + QPointF(-s, s), r.center() + QPointF(s, -s));
}

void DrawBubble(QPainter &p, const QRectF &r, const QColor &fill, const QColor &stroke)
{
    QPainterPath path;
    const QRectF body = r.adjusted(12, 2, -2, -2);
    const double radius = qMin(body.height(), body.width()) * 0.22;
    path.addRoundedRect(body, radius, radius);
    QPainterPath tail;
    tail.moveTo(body.left() + 1, body.top() + body.height() * 0.3);
    tail.lineTo(r.left() + 2, body.top() + body.height() * 0.45);
    tail.lineTo(body.left() + 1, body.top() + body.height() * 0.6);
    tail.closeSubpath();
    path = path.united(tail);
    p.setPen(stroke.alpha() ? QPen(stroke, 1.5) : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(path);
}

void DrawVoice(QPainter &p, const QRectF &r, const QColor &color)
{
    // Three sound arcs leaving a dot at the left.
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const double s = r.width();
    p.drawEllipse(QPointF(r.left() + s * 0.22, r.center().y()), s * 0.09, s * 0.09);
    p.setPen(QPen(color, s * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const double rad = s * 0.24 * i;
        const QRectF arc(r.left() + s * 0.22 - rad, r.center().y() - rad, rad * 2, rad * 2);
        p.drawArc(arc, -45 * 16, 90 * 16);
    }
}

void DrawScoreLevel(QPainter &p, const QRectF &r, const QColor &metal, const QString &text, int rays)
{
    const QPointF c = r.center();
    const double outer = r.width() * 0.48;
    // Rays behind the badge.
    p.setPen(Qt::NoPen);
    QColor ray = metal;
    ray.setAlpha(70);
    p.setBrush(ray);
    for (int i = 0; i < rays; ++i) {
        const double a0 = 2 * M_PI * i / rays;
        const double a1 = a0 + M_PI / rays;
        QPolygonF wedge;
        wedge << c << c + QPointF(std::cos(a0), std::sin(a0)) * outer
              << c + QPointF(std::cos(a1), std::sin(a1)) * outer;
        p.drawPolygon(wedge);
    }
    DrawMedal(p, QRectF(c.x() - outer * 0.62, c.y() - outer * 0.62, outer * 1.24, outer * 1.24), metal, QString());
    const QRectF ribbon(r.left() + r.width() * 0.12, r.top() + r.height() * 0.7, r.width() * 0.76, r.height() * 0.18);
    FillRounded(p, ribbon, Accent);
    DrawFittedText(p, ribbon, text, White, ribbon.height() * 0.6, true);
}

} // namespace

void DrawMicrophone(QPainter &p, const QRectF &r, const QColor &color)
{
    const double w = r.width(), h = r.height();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const QRectF head(r.left() + w * 0.36, r.top() + h * 0.14, w * 0.28, h * 0.44);
    p.drawRoundedRect(head, w * 0.14, w * 0.14);
    p.setPen(QPen(color, w * 0.06, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(r.left() + w * 0.26, r.top() + h * 0.26, w * 0.48, h * 0.44), 180 * 16, 180 * 16);
    p.drawLine(QPointF(r.center().x(), r.top() + h * 0.7), QPointF(r.center().x(), r.top() + h * 0.82));
    p.drawLine(QPointF(r.left() + w * 0.38, r.top() + h * 0.84), QPointF(r.left() + w * 0.62, r.top() + h * 0.84));
}

void DrawSpeaker(QPainter &p, const QRectF &r, const QColor &color, int waves)
{
    const double w = r.width(), h = r.height();
    QPolygonF body;
    body << QPointF(r.left() + w * 0.12, r.top() + h * 0.38) << QPointF(r.left() + w * 0.28, r.top() + h * 0.38)
         << QPointF(r.left() + w * 0.5, r.top() + h * 0.18) << QPointF(r.left() + w * 0.5, r.top() + h * 0.82)
         << QPointF(r.left() + w * 0.28, r.top() + h * 0.62) << QPointF(r.left() + w * 0.12, r.top() + h * 0.62);
    p.setPen(QPen(color, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    p.drawPolygon(body);
    p.setPen(QPen(color, w * 0.07, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= waves; ++i) {
        const double rad = w * 0.14 * i;
        p.drawArc(QRectF(r.left() + w * 0.5 - rad, r.center().y() - rad, rad * 2, rad * 2), -50 * 16, 100 * 16);
    }
}

void DrawStar(QPainter &p, const QPointF &c, double outer, const QColor &color)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? outer : outer * 0.45;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        star << c + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(star);
}

void DrawMedal(QPainter &p, const QRectF &r, const QColor &metal, const QString &text)
{
    p.setPen(Qt::NoPen);
    p.setBrush(metal.darker(120));
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    p.setBrush(metal);
    const double inset = r.width() * 0.1;
    p.drawEllipse(r.adjusted(inset, inset, -inset, -inset));
    if (text.isEmpty())
        DrawStar(p, r.center(), r.width() * 0.26, White);
    else
        DrawFittedText(p, r, text, White, r.height() * 0.42, true);
}

void DrawCoin(QPainter &p, const QRectF &r, const QString &text)
{
    p.setPen(Qt::NoPen);
    p.setBrush(AccentDark);
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    p.setBrush(Gold);
    const double inset = r.width() * 0.12;
    p.drawEllipse(r.adjusted(inset, inset, -inset, -inset));
    DrawFittedText(p, r, text, AccentDark, r.height() * 0.5, true);
}

void DrawRobotFace(QPainter &p, const QRectF &r, bool mouthOpen, bool eyesOpen)
{
    const double w = r.width(), h = r.height();
    // Antenna.
    p.setPen(QPen(InkSoft, w * 0.04, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.center().x(), r.top() + h * 0.04), QPointF(r.center().x(), r.top() + h * 0.18));
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    p.drawEllipse(QPointF(r.center().x(), r.top() + h * 0.05), w * 0.05, w * 0.05);
    // Head.
    const QRectF head(r.left() + w * 0.1, r.top() + h * 0.18, w * 0.8, h * 0.72);
    FillRounded(p, head, White, Accent, qMax(1.5, w * 0.04));
    const QRectF visor = head.adjusted(w * 0.1, h * 0.12, -w * 0.1, -h * 0.3);
    FillRounded(p, visor, QColor(0x44, 0x4B, 0x5A));
    p.setBrush(QColor(0x7F, 0xE0, 0xFF));
    const double eye = visor.height() * 0.22;
    for (double x : {visor.left() + visor.width() * 0.3, visor.left() + visor.width() * 0.7}) {
        if (eyesOpen)
            p.drawEllipse(QPointF(x, visor.center().y()), eye, eye);
        else
            p.drawRoundedRect(QRectF(x - eye, visor.center().y() - eye * 0.2, eye * 2, eye * 0.4), eye * 0.2,
                              eye * 0.2);
    }
    // Mouth.
    p.setBrush(Accent);
    const double mw = head.width() * 0.34;
    const double mh = mouthOpen ? head.height() * 0.14 : head.height() * 0.05;
    p.drawRoundedRect(QRectF(head.center().x() - mw / 2, head.bottom() - head.height() * 0.22, mw, mh), mh / 2, mh / 2);
}

QImage PaintPicture(const TPictureEntry &e)
{
    QImage image = Blank(e.size);
    QPainter p(&image);
    Antialias(p);
    const QRectF r(0, 0, e.size.width(), e.size.height());
    const QString &look = e.look;
    const double s = qMin(r.width(), r.height());
    const QRectF square((r.width() - s) / 2, (r.height() - s) / 2, s, s);

    if (look.startsWith(QLatin1String("tab"))) {
        DrawTab(p, r.adjusted(1, 1, -1, -1), look, e.text);
    } else if (look == QLatin1String("bookCover")) {
        DrawCover(p, r, Accent, e.text, true);
    } else if (look == QLatin1String("materialCover")) {
        DrawCover(p, r, Blue, e.text, true);
    } else if (look == QLatin1String("emptyShelf")) {
        FillRounded(p, r.adjusted(1, 1, -1, -1), Pale, Line, 1.5);
        const QRectF book(r.center().x() - r.height() * 0.18, r.top() + r.height() * 0.12, r.height() * 0.36,
                          r.height() * 0.46);
        FillRounded(p, book, White, Line, 2);
        p.setPen(QPen(Line, 2, Qt::DashLine));
        p.drawLine(QPointF(book.left() + 6, book.center().y()), QPointF(book.right() - 6, book.center().y()));
        DrawFittedText(p, QRectF(r.left(), r.top() + r.height() * 0.64, r.width(), r.height() * 0.26), e.text, InkSoft,
                       r.height() * 0.13);
    } else if (look == QLatin1String("queryIcon")) {
        DrawMagnifier(p, square);
    } else if (look == QLatin1String("expBadge")) {
        DrawBadge(p, square, Accent, e.text);
    } else if (look == QLatin1String("coin")) {
        DrawCoin(p, square, e.text);
    } else if (look == QLatin1String("fiveStar")) {
        const double step = r.width() / 5;
        for (int i = 0; i < 5; ++i)
            DrawStar(p, QPointF(step * (i + 0.5), r.center().y()), qMin(step, r.height()) * 0.48, Accent);
    } else if (look == QLatin1String("unitFinished") || look == QLatin1String("unitUnfinished")
               || look == QLatin1String("noFinish")) {
        const bool done = look == QLatin1String("unitFinished");
        FillRounded(p, r.adjusted(1, 1, -1, -1), done ? Green : (look == QLatin1String("noFinish") ? Red : Line));
        // A ribbon without text is a background: the page writes its own
        // caption on it.
        if (e.text.isEmpty()) {
        } else if (done) {
            DrawCheck(p, QRectF(2, r.height() * 0.1, r.height() * 0.8, r.height() * 0.8), White);
            DrawFittedText(p, r.adjusted(r.height() * 0.85, 0, -3, 0), e.text, White, r.height() * 0.5, true);
        } else {
            DrawFittedText(p, r, e.text, White, r.height() * 0.55, true);
        }
    } else if (look == QLatin1String("lessonDefault") || look == QLatin1String("repeatCenter")
               || look == QLatin1String("wordPicture")) {
        FillRounded(p, r.adjusted(1, 1, -1, -1), AccentPale, AccentLight, 2);
        // A sun and two hills: the placeholder of a missing picture.
        p.setPen(Qt::NoPen);
        p.setBrush(AccentLight);
        p.drawEllipse(QPointF(r.width() * 0.78, r.height() * 0.28), r.height() * 0.1, r.height() * 0.1);
        QPainterPath hills;
        hills.moveTo(r.left() + 2, r.bottom() - 2);
        hills.quadTo(r.width() * 0.3, r.height() * 0.45, r.width() * 0.55, r.bottom() - 2);
        hills.quadTo(r.width() * 0.75, r.height() * 0.55, r.right() - 2, r.bottom() - 2);
        hills.closeSubpath();
        p.setBrush(QColor(0xFF, 0xC3, 0x7A));
        p.drawPath(hills);
        if (look == QLatin1String("repeatCenter")) {
            DrawBubble(p, QRectF(r.width() * 0.1, r.height() * 0.12, r.width() * 0.45, r.height() * 0.3), White,
                       Accent);
            DrawSpeaker(p, QRectF(r.width() * 0.24, r.height() * 0.14, r.height() * 0.26, r.height() * 0.26), Accent,
                        2);
        }
        DrawFittedText(p, QRectF(0, r.height() * 0.62, r.width(), r.height() * 0.3), e.text, AccentDark,
                       r.height() * 0.18, true);
    } else if (look == QLatin1String("micUp") || look == QLatin1String("micDown")) {
        const bool down = look == QLatin1String("micDown");
        p.setPen(Qt::NoPen);
        p.setBrush(down ? AccentDark : Accent);
        p.drawEllipse(square.adjusted(2, 2, -2, -2));
        DrawMicrophone(p, square.adjusted(s * 0.18, s * 0.18, -s * 0.18, -s * 0.18), White);
    } else if (look == QLatin1String("readUp") || look == QLatin1String("replayUp")) {
        // A white round button with an accent ring: a loudspeaker to hear
        // the model, a circling arrow around a play sign to hear oneself.
        p.setPen(QPen(Accent, s * 0.05));
        p.setBrush(White);
        p.drawEllipse(square.adjusted(s * 0.04, s * 0.04, -s * 0.04, -s * 0.04));
        if (look == QLatin1String("readUp")) {
            DrawSpeaker(p, square.adjusted(s * 0.22, s * 0.22, -s * 0.18, -s * 0.22), Accent, 2);
        } else {
            const QRectF arc = square.adjusted(s * 0.24, s * 0.24, -s * 0.24, -s * 0.24);
            p.setPen(QPen(Accent, s * 0.06, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(arc, 110 * 16, 300 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(Accent);
            const QPointF tip(arc.center().x() + std::cos(qDegreesToRadians(110.0)) * arc.width() / 2,
                              arc.center().y() - std::sin(qDegreesToRadians(110.0)) * arc.height() / 2);
            const double a = s * 0.09;
            p.drawPolygon(QPolygonF{QPointF(tip.x() - a, tip.y() - a), QPointF(tip.x() + a * 0.6, tip.y() - a * 0.2),
                                    QPointF(tip.x() - a * 0.4, tip.y() + a)});
            const QPointF c = arc.center();
            const double t = s * 0.1;
            p.drawPolygon(QPolygonF{QPointF(c.x() - t * 0.6, c.y() - t), QPointF(c.x() - t * 0.6, c.y() + t),
                                    QPointF(c.x() + t, c.y())});
        }
    } else if (look == QLatin1String("recordingBadge")) {
        FillRounded(p, r.adjusted(1, 1, -1, -1), White, Red, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(Red);
        p.drawEllipse(QPointF(r.height() * 0.55, r.center().y()), r.height() * 0.2, r.height() * 0.2);
        DrawFittedText(p, QRectF(r.height(), 0, r.width() - r.height() * 1.2, r.height()), e.text, Red,
                       r.height() * 0.5, true);
    } else if (look == QLatin1String("loopUp") || look == QLatin1String("loopDown")) {
        DrawLoop(p, square, look == QLatin1String("loopDown"));
    } else if (look == QLatin1String("speakerOrange")) {
        DrawSpeaker(p, square, Accent, 2);
    } else if (look == QLatin1String("scoreIcon")) {
        DrawBadge(p, square, Accent, e.text);
    } else if (look.startsWith(QLatin1String("exit"))) {
        DrawExit(p, square, look);
    } else if (look == QLatin1String("modeMenu")) {
        // The card behind a lesson's study-mode labels: white, orange edge.
        FillRounded(p, r.adjusted(1, 1, -1, -1), White, Accent, 2);
    } else if (look == QLatin1String("dialogBlue")) {
        DrawBubble(p, r, QColor(0xDD, 0xEE, 0xFC), Blue);
    } else if (look == QLatin1String("dialogWhite")) {
        DrawBubble(p, r, White, Line);
    } else if (look == QLatin1String("voiceGray")) {
        DrawVoice(p, square, InkSoft);
    } else if (look == QLatin1String("voiceWhite")) {
        DrawVoice(p, square, White);
    } else if (look == QLatin1String("robotFace")) {
        DrawRobotFace(p, square, false, true);
    } else if (look == QLatin1String("robotVerdict")) {
        DrawRobotFace(p, QRectF(0, r.height() * 0.1, r.height() * 0.8, r.height() * 0.8), true, true);
        const QRectF bubble(r.height() * 0.78, r.height() * 0.2, r.width() - r.height() * 0.8, r.height() * 0.5);
        DrawBubble(p, bubble, AccentPale, Accent);
        DrawFittedText(p, bubble.adjusted(14, 2, -6, -2), e.text, AccentDark, bubble.height() * 0.34, true);
    } else if (look == QLatin1String("triangle")) {
        QPolygonF tri;
        tri << QPointF(1, 1) << QPointF(r.width() - 1, 1) << QPointF(r.center().x(), r.height() - 1);
        p.setPen(Qt::NoPen);
        p.setBrush(Accent);
        p.drawPolygon(tri);
    } else if (look == QLatin1String("medalGold")) {
        DrawMedal(p, square, Gold, e.text);
    } else if (look == QLatin1String("medalSilver")) {
        DrawMedal(p, square, Silver, e.text);
    } else if (look == QLatin1String("medalCopper")) {
        DrawMedal(p, square, Copper, e.text);
    } else if (look == QLatin1String("scoreGold")) {
        DrawScoreLevel(p, square, Gold, e.text, 12);
    } else if (look == QLatin1String("scoreSilver")) {
        DrawScoreLevel(p, square, Silver, e.text, 10);
    } else if (look == QLatin1String("scoreCopper")) {
        DrawScoreLevel(p, square, Copper, e.text, 8);
    } else if (look == QLatin1String("scoreBad")) {
        DrawScoreLevel(p, square, Line, e.text, 0);
    } else {
        return {};
    }
    return image;
}

QImage PaintStrip(const TPictureEntry &e)
{
    if (e.look != QLatin1String("micStrip"))
        return {};
    QImage image = Blank(e.size);
    QPainter p(&image);
    Antialias(p);
    const double w = double(e.size.width()) / e.frames;
    const double h = e.size.height();
    const double s = qMin(w, h);
    for (int i = 0; i < e.frames; ++i) {
        // A microphone with a ring that swells and fades over the row.
        const QPointF c(w * (i + 0.5), h / 2);
        const double phase = double(i) / e.frames;
        QColor ring = Accent;
        ring.setAlphaF(1.0 - phase);
        p.setPen(Qt::NoPen);
        p.setBrush(ring);
        const double rr = s * (0.34 + 0.14 * phase);
        p.drawEllipse(c, rr, rr);
        p.setBrush(Accent);
        p.drawEllipse(c, s * 0.34, s * 0.34);
        DrawMicrophone(p, QRectF(c.x() - s * 0.3, c.y() - s * 0.3, s * 0.6, s * 0.6), White);
    }
    return image;
}
