#include "FigurePainter.h"

#include "Palette.h"
#include "PicturePainter.h"

#include <QFileInfo>
#include <QPainterPath>
#include <QtMath>

using namespace uipal;

namespace {

enum class Prop { None, Book, Mic };
enum class Hair { Short, Long, Ponytail, Spiky };

struct Person
{
    QColor hair;
    Hair style;
    QColor shirt;
    double scale; // children are drawn smaller
};

const QColor Skin(0xFF, 0xDB, 0xB8);

std::optional<Person> PersonOf(const QString &name)
{
    if (name == QLatin1String("man"))
        return Person{QColor(0x3B, 0x2A, 0x20), Hair::Short, Blue, 1.0};
    if (name == QLatin1String("woman"))
        return Person{QColor(0x5A, 0x35, 0x20), Hair::Long, QColor(0xE8, 0x6A, 0x8C), 1.0};
    if (name == QLatin1String("boy"))
        return Person{QColor(0x2A, 0x20, 0x1A), Hair::Spiky, Green, 0.86};
    if (name == QLatin1String("girl"))
        return Person{QColor(0x6B, 0x3A, 0x1E), Hair::Ponytail, Accent, 0.86};
    return std::nullopt;
}

// A standing person facing the viewer, feet at the bottom of `r`.
void DrawPerson(QPainter &p, const QRectF &r, const Person &who, bool mouthOpen, bool eyesOpen, Prop prop, double lift)
{
    const double h = r.height() * who.scale;
    const double w = r.width();
    const double top = r.bottom() - h;
    const double cx = r.center().x();
    const double headR = h * 0.16;
    const QPointF head(cx, top + headR + h * 0.03);
    p.setPen(Qt::NoPen);
    // Long hair behind the head.
    p.setBrush(who.hair);
    if (who.style == Hair::Long)
        p.drawRoundedRect(QRectF(cx - headR * 1.1, head.y() - headR * 0.6, headR * 2.2, headR * 2.4), headR * 0.5,
                          headR * 0.5);
    if (who.style == Hair::Ponytail)
        p.drawEllipse(QPointF(cx + headR * 1.05, head.y() + headR * 0.2), headR * 0.4, headR * 0.7);
    // Body: a rounded shirt and legs.
    const QRectF body(cx - w * 0.28, head.y() + headR * 1.05, w * 0.56, h * 0.4);
    FillRounded(p, body, who.shirt);
    p.setBrush(QColor(0x4A, 0x55, 0x68));
    p.drawRoundedRect(QRectF(cx - w * 0.2, body.bottom() - 4, w * 0.16, r.bottom() - body.bottom() + 3), 4, 4);
    p.drawRoundedRect(QRectF(cx + w * 0.04, body.bottom() - 4, w * 0.16, r.bottom() - body.bottom() + 3), 4, 4);
    // Head and hair on top.
    p.setBrush(Skin);
    p.drawEllipse(head, headR, headR);
    p.setBrush(who.hair);
    QPainterPath cap;
    cap.moveTo(head.x() - headR, head.y());
    cap.arcTo(QRectF(head.x() - headR, head.y() - headR, headR * 2, headR * 2), 180, -180);
    cap.quadTo(head.x(), head.y() - headR * 0.35, head.x() - headR, head.y());
    p.drawPath(cap);
    if (who.style == Hair::Spiky) {
        QPolygonF spikes;
        for (int i = 0; i <= 4; ++i)
            spikes << QPointF(head.x() - headR + i * headR * 0.5, head.y() - headR * (i % 2 ? 1.25 : 0.8));
        spikes << QPointF(head.x() + headR, head.y() - headR * 0.3)
               << QPointF(head.x() - headR, head.y() - headR * 0.3);
        p.drawPolygon(spikes);
    }
    // Face.
    p.setBrush(Ink);
    const double eyeR = headR * 0.13;
    for (double dx : {-0.38, 0.38}) {
        if (eyesOpen)
            p.drawEllipse(QPointF(head.x() + dx * headR, head.y() + headR * 0.12), eyeR, eyeR);
        else
            p.drawRect(QRectF(head.x() + dx * headR - eyeR, head.y() + headR * 0.1, eyeR * 2, eyeR * 0.5));
    }
    p.setBrush(QColor(0xC8, 0x3C, 0x3C));
    const double mw = headR * 0.5;
    const double mh = mouthOpen ? headR * 0.32 : headR * 0.1;
    p.drawRoundedRect(QRectF(head.x() - mw / 2, head.y() + headR * 0.5, mw, mh), mh / 2, mh / 2);
    // Arms and the prop in front of the body.
    const double handY = body.top() + body.height() * 0.55 - lift;
    p.setPen(QPen(Skin, w * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(body.left() + 3, body.top() + 6), QPointF(cx - w * 0.12, handY));
    p.drawLine(QPointF(body.right() - 3, body.top() + 6), QPointF(cx + w * 0.12, handY));
    p.setPen(Qt::NoPen);
    if (prop == Prop::Book) {
        const QRectF book(cx - w * 0.26, handY - h * 0.1, w * 0.52, h * 0.14);
        FillRounded(p, book, White, AccentDark, 1.5);
        p.setPen(QPen(AccentDark, 1.5));
        p.drawLine(QPointF(cx, book.top()), QPointF(cx, book.bottom()));
    } else if (prop == Prop::Mic) {
        DrawMicrophone(p, QRectF(cx - w * 0.14, handY - h * 0.18, w * 0.28, h * 0.22), Ink);
    }
}

void DrawRobot(QPainter &p, const QRectF &r, bool mouthOpen, bool eyesOpen, bool book, double lift)
{
    const double w = r.width(), h = r.height();
    const QRectF body(r.left() + w * 0.2, r.top() + h * 0.5, w * 0.6, h * 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(InkSoft);
    p.drawRoundedRect(QRectF(r.left() + w * 0.3, body.bottom() - 2, w * 0.12, r.bottom() - body.bottom()), 3, 3);
    p.drawRoundedRect(QRectF(r.left() + w * 0.58, body.bottom() - 2, w * 0.12, r.bottom() - body.bottom()), 3, 3);
    FillRounded(p, body, AccentPale, Accent, 2);
    DrawRobotFace(p, QRectF(r.left() + w * 0.08, r.top() + h * 0.02, w * 0.84, h * 0.5), mouthOpen, eyesOpen);
    if (book) {
        const QRectF open(r.left() + w * 0.16, body.top() + body.height() * 0.25 - lift, w * 0.68, h * 0.13);
        FillRounded(p, open, White, AccentDark, 1.5);
        p.setPen(QPen(AccentDark, 1.5));
        p.drawLine(QPointF(open.center().x(), open.top()), QPointF(open.center().x(), open.bottom()));
    } else {
        p.setBrush(Accent);
        p.drawEllipse(QPointF(body.center().x(), body.center().y()), w * 0.06, w * 0.06);
    }
}

// Sparkles around the centre, spreading with `t` (0 to 1).
void DrawSparkles(QPainter &p, const QRectF &r, double t, const QColor &color)
{
    for (int i = 0; i < 8; ++i) {
        const double angle = 2 * M_PI * i / 8 + t;
        const double dist = r.width() * (0.18 + 0.28 * t);
        QColor c = color;
        c.setAlphaF(qBound(0.0, 1.0 - t * 0.8, 1.0));
        DrawStar(p, r.center() + QPointF(std::cos(angle) * dist, std::sin(angle) * dist), r.width() * 0.05, c);
    }
}

void DrawEffect(QPainter &p, const QRectF &r, const QString &look, double t)
{
    const double grow = 0.6 + 0.4 * qMin(1.0, t * 2);
    const double s = r.width() * 0.5 * grow;
    const QRectF centre(r.center().x() - s / 2, r.center().y() - s / 2 - r.height() * 0.1 * t, s, s);
    DrawSparkles(p, r, t, look == QLatin1String("expEffect") ? Accent : Gold);
    if (look == QLatin1String("expEffect")) {
        p.setPen(Qt::NoPen);
        p.setBrush(Accent);
        p.drawEllipse(centre);
        DrawFittedText(p, centre, QStringLiteral("经验"), White, s * 0.32, true);
    } else if (look == QLatin1String("coinEffect")) {
        DrawCoin(p, centre, QStringLiteral("V"));
    } else {
        DrawMedal(p, centre, Gold, QString());
    }
    DrawFittedText(p, QRectF(r.left(), r.bottom() - r.height() * 0.2, r.width(), r.height() * 0.18),
                   QStringLiteral("+1"), AccentDark, r.height() * 0.14, true);
}

void DrawWelcome(QPainter &p, const QRectF &r, double t)
{
    FillRounded(p, r.adjusted(2, 2, -2, -2), AccentPale, AccentLight, 3);
    DrawSparkles(p, QRectF(r.center().x() - r.height() / 2, r.top(), r.height(), r.height()), t, Accent);
    const double robotH = r.height() * 0.55;
    const QRectF robot(r.left() + r.width() * 0.08,
                       r.bottom() - robotH - r.height() * 0.08 + std::sin(t * 2 * M_PI) * 4, robotH * 0.66, robotH);
    DrawRobot(p, robot, int(t * 10) % 2 == 0, true, false, 0);
    const QString text = QStringLiteral("欢迎来学习");
    const int shown = qMax(1, qCeil(text.size() * qMin(1.0, t * 1.6)));
    DrawFittedText(p,
                   QRectF(r.left() + r.width() * 0.3, r.top() + r.height() * 0.25, r.width() * 0.66, r.height() * 0.3),
                   text.left(shown), AccentDark, r.height() * 0.14, true);
    DrawFittedText(p,
                   QRectF(r.left() + r.width() * 0.3, r.top() + r.height() * 0.55, r.width() * 0.66, r.height() * 0.16),
                   QStringLiteral("Let's study English!"), Ink, r.height() * 0.08);
}

// A mouth shaped for a phoneme: how open and how wide, and whether the teeth
// or tongue show, chosen from the sound's class.
void DrawMouth(QPainter &p, const QRectF &r, const QString &phoneme, double t)
{
    double open = 0.35, wide = 0.6;
    bool teeth = false, round = false;
    const QString ph = phoneme.toLower();
    if (ph == QLatin1String("aa") || ph == QLatin1String("ae") || ph == QLatin1String("ah") || ph == QLatin1String("ay")
        || ph == QLatin1String("aw")) {
        open = 0.7;
        wide = 0.65;
    } else if (ph == QLatin1String("ao") || ph == QLatin1String("ow") || ph == QLatin1String("oy")
               || ph == QLatin1String("uw") || ph == QLatin1String("uh") || ph == QLatin1String("w")) {
        open = 0.45;
        wide = 0.35;
        round = true;
    } else if (ph == QLatin1String("iy") || ph == QLatin1String("ih") || ph == QLatin1String("ey")
               || ph == QLatin1String("eh") || ph == QLatin1String("y") || ph == QLatin1String("s")
               || ph == QLatin1String("z") || ph == QLatin1String("t") || ph == QLatin1String("d")
               || ph == QLatin1String("n") || ph == QLatin1String("l")) {
        open = 0.25;
        wide = 0.75;
        teeth = true;
    } else if (ph == QLatin1String("b") || ph == QLatin1String("p") || ph == QLatin1String("m")) {
        open = 0.05;
        wide = 0.55;
    } else if (ph == QLatin1String("f") || ph == QLatin1String("v") || ph == QLatin1String("th")
               || ph == QLatin1String("dh")) {
        open = 0.2;
        wide = 0.6;
        teeth = true;
    } else if (ph == QLatin1String("sh") || ph == QLatin1String("zh") || ph == QLatin1String("ch")
               || ph == QLatin1String("jh") || ph == QLatin1String("r") || ph == QLatin1String("er")) {
        open = 0.35;
        wide = 0.45;
        round = true;
        teeth = true;
    }
    // Frames go from rest to the shape and back.
    const double amount = std::sin(t * M_PI);
    const double cw = r.width() * (0.45 + (wide - 0.45) * amount);
    const double ch = r.height() * 0.34 * (0.08 + open * amount);
    const QPointF c(r.center().x(), r.top() + r.height() * 0.5);
    // Face.
    p.setPen(Qt::NoPen);
    p.setBrush(Skin);
    p.drawEllipse(QRectF(r.left() + 4, r.top() + 4, r.width() - 8, r.height() * 0.78));
    p.setBrush(Ink);
    for (double dx : {-0.2, 0.2})
        p.drawEllipse(QPointF(r.center().x() + dx * r.width(), r.top() + r.height() * 0.2), r.width() * 0.04,
                      r.width() * 0.04);
    p.setBrush(QColor(0xB8, 0x30, 0x30));
    const QRectF lips(c.x() - cw / 2, c.y() - ch / 2, cw, qMax(2.0, ch));
    p.drawRoundedRect(lips, round ? lips.width() / 2 : lips.height() / 2, lips.height() / 2);
    if (ch > 6) {
        p.setBrush(QColor(0x5A, 0x10, 0x10));
        p.drawRoundedRect(lips.adjusted(3, 3, -3, -3), lips.height() / 3, lips.height() / 3);
        if (teeth) {
            p.setBrush(White);
            p.drawRect(QRectF(lips.left() + 5, lips.top() + 3, lips.width() - 10, lips.height() * 0.22));
        }
    }
    const QRectF label(r.left(), r.bottom() - r.height() * 0.18, r.width(), r.height() * 0.16);
    FillRounded(p, label.adjusted(r.width() * 0.2, 0, -r.width() * 0.2, 0), Accent);
    DrawFittedText(p, label, QLatin1Char('/') + phoneme + QLatin1Char('/'), White, label.height() * 0.7, true);
}

} // namespace

QImage PaintAnimationFrame(const TPictureEntry &e, int index)
{
    QImage image(e.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r(0, 0, e.size.width(), e.size.height());
    const QString &look = e.look;
    const double t = e.frames > 1 ? double(index) / (e.frames - 1) : 0.0;
    const bool mouthOpen = index % 2 == 1;
    // Idle figures blink once in the last frame and otherwise stand still.
    const bool blink = index == e.frames - 1;
    const double bob = std::sin(2 * M_PI * index / e.frames) * r.height() * 0.02;

    if (look == QLatin1String("robotRead")) {
        DrawRobot(p, r, mouthOpen, true, true, bob);
    } else if (look == QLatin1String("robotIdle")) {
        DrawRobot(p, r, false, !blink, false, 0);
    } else if (look == QLatin1String("robotTalk")) {
        DrawRobot(p, r, mouthOpen, true, false, 0);
    } else if (look == QLatin1String("manRecord") || look == QLatin1String("manRecordIdle")) {
        const bool recording = look == QLatin1String("manRecord");
        const QRectF figure = r.adjusted(0, r.height() * 0.08, 0, 0);
        DrawPerson(p, figure, *PersonOf(QStringLiteral("man")), recording && mouthOpen, recording || !blink, Prop::Mic,
                   r.height() * 0.12);
        if (recording) {
            // Sound waves that grow over the run.
            QColor wave = Accent;
            p.setBrush(Qt::NoBrush);
            for (int i = 0; i <= index % 3; ++i) {
                wave.setAlphaF(1.0 - i * 0.3);
                p.setPen(QPen(wave, 2, Qt::SolidLine, Qt::RoundCap));
                const double rad = r.width() * (0.12 + 0.1 * i);
                p.drawArc(QRectF(r.width() * 0.5 - rad, r.height() * 0.12 - rad, rad * 2, rad * 2), 20 * 16, 140 * 16);
            }
        }
    } else if (look.endsWith(QLatin1String("Read")) || look.endsWith(QLatin1String("Idle"))
               || look.endsWith(QLatin1String("Talk"))) {
        const QString who = look.left(look.size() - 4);
        const std::optional<Person> person = PersonOf(who);
        if (!person)
            return {};
        if (look.endsWith(QLatin1String("Read")))
            DrawPerson(p, r, *person, mouthOpen, true, Prop::Book, bob);
        else if (look.endsWith(QLatin1String("Idle")))
            DrawPerson(p, r, *person, false, !blink, Prop::None, 0);
        else
            DrawPerson(p, r, *person, mouthOpen, true, Prop::None, 0);
    } else if (look == QLatin1String("welcome")) {
        DrawWelcome(p, r, t);
    } else if (look == QLatin1String("expEffect") || look == QLatin1String("coinEffect")
               || look == QLatin1String("medalEffect")) {
        DrawEffect(p, r, look, t);
    } else if (look == QLatin1String("mouth")) {
        const QString phoneme = e.name.section(QLatin1Char('\\'), -1);
        DrawMouth(p, r, phoneme, t);
    } else if (look.startsWith(QLatin1String("score")) && look.endsWith(QLatin1String("Ani"))) {
        // The level picture turning in: narrow to full width.
        TPictureEntry still = e;
        still.look = look.left(look.size() - 3);
        static const QHash<QString, QString> texts = {
            {QStringLiteral("scoreGold"), QStringLiteral("优秀")},
            {QStringLiteral("scoreSilver"), QStringLiteral("良好")},
            {QStringLiteral("scoreCopper"), QStringLiteral("及格")},
            {QStringLiteral("scoreBad"), QStringLiteral("加油")},
        };
        still.text = texts.value(still.look);
        const QImage level = PaintPicture(still);
        if (level.isNull())
            return {};
        const double scale = 0.3 + 0.7 * t;
        const QSizeF shown(r.width() * std::abs(std::cos((1 - t) * M_PI / 2)) * scale + 1, r.height() * scale);
        p.drawImage(QRectF(r.center().x() - shown.width() / 2, r.center().y() - shown.height() / 2, shown.width(),
                           shown.height()),
                    level);
    } else {
        return {};
    }
    return image;
}
