#include "PictureSheet.h"

#include "AniFrameList.h"
#include "HostServices.h"
#include "Palette.h"

#include <QImage>
#include <QPainter>

using namespace uipal;

namespace {

constexpr int Columns = 7;
constexpr int Rows = 7;
constexpr int CellW = 220;
constexpr int CellH = 180;
constexpr int LabelH = 34;

std::optional<QImage> Decode(IArchive &archive, const QString &name)
{
    const std::optional<QByteArray> bytes = archive.GetResource(name);
    if (!bytes)
        return std::nullopt;
    QImage image = QImage::fromData(*bytes, "PNG");
    if (image.isNull())
        return std::nullopt;
    return image;
}

void Checker(QPainter &p, const QRect &r)
{
    p.fillRect(r, QColor(0xD4, 0xD4, 0xD4));
    for (int y = r.top(); y < r.bottom(); y += 10)
        for (int x = r.left() + ((y - r.top()) / 10 % 2) * 10; x < r.right(); x += 20)
            p.fillRect(QRect(x, y, 10, 10).intersected(r), QColor(0xBC, 0xBC, 0xBC));
}

// Draws `image` scaled down (never up beyond 2x) to fit `box`, centred.
void Fit(QPainter &p, const QRect &box, const QImage &image)
{
    const double scale = qMin(2.0, qMin(double(box.width()) / image.width(), double(box.height()) / image.height()));
    const QSizeF size(image.width() * scale, image.height() * scale);
    p.drawImage(QRectF(box.center().x() - size.width() / 2 + 0.5, box.center().y() - size.height() / 2 + 0.5,
                       size.width(), size.height()),
                image);
}

void DrawCell(QPainter &p, const QRect &cell, const TPictureEntry &e, IArchive &archive)
{
    const QRect art = cell.adjusted(6, 6, -6, -LabelH);
    Checker(p, art);
    QString caption = e.name;
    bool ok = true;
    if (e.kind == TPictureKind::Animation) {
        const std::optional<QByteArray> listText = archive.GetResource(e.name + QStringLiteral("\\filelist.txt"));
        const TAniFrameList list = listText ? ParseAniFrameList(*listText) : TAniFrameList{};
        QList<QImage> frames;
        for (const QString &frame : list.frames) {
            if (const auto image = Decode(archive, AniEntryName(e.name + QStringLiteral("\\filelist.txt"), frame)))
                frames.append(*image);
        }
        ok = !frames.isEmpty() && frames.size() == list.frames.size();
        const int columns = frames.size() <= 4 ? int(frames.size()) : (frames.size() + 1) / 2;
        const int rows = frames.size() <= 4 ? 1 : 2;
        for (int i = 0; i < frames.size(); ++i) {
            const int w = art.width() / qMax(1, columns), h = art.height() / rows;
            Fit(p, QRect(art.left() + (i % columns) * w, art.top() + (i / columns) * h, w, h).adjusted(1, 1, -1, -1),
                frames[i]);
        }
        caption += QStringLiteral("  (%1 frames%2)")
                       .arg(frames.size())
                       .arg(list.sound.isEmpty() ? QString() : QStringLiteral(", ") + list.sound);
    } else if (e.kind == TPictureKind::Sound) {
        const std::optional<QByteArray> bytes = archive.GetResource(e.name);
        ok = bytes && bytes->size() > 128;
        DrawFittedText(p, art, QStringLiteral("\u266A \"%1\"  %2 KB").arg(e.text).arg(bytes ? bytes->size() / 1024 : 0),
                       Ink, 15);
    } else {
        const std::optional<QImage> image = Decode(archive, e.name);
        ok = image.has_value();
        if (image) {
            Fit(p, art.adjusted(2, 2, -2, -2), *image);
            caption += QStringLiteral("  %1x%2").arg(image->width()).arg(image->height());
        }
    }
    if (!ok) {
        p.fillRect(art, QColor(255, 0, 0, 90));
        DrawFittedText(p, art, QStringLiteral("MISSING"), Red, 24, true);
    }
    p.setPen(Ink);
    p.setFont(Font(11));
    p.drawText(QRect(cell.left() + 4, cell.bottom() - LabelH + 2, cell.width() - 8, LabelH - 4),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere, caption);
}

} // namespace

QStringList WritePictureSheets(const QList<TPictureEntry> &entries, IArchive &archive, const QString &prefix)
{
    QStringList written;
    const int perPage = Columns * Rows;
    for (int start = 0; start < entries.size(); start += perPage) {
        const int count = qMin(perPage, int(entries.size()) - start);
        const int rows = (count + Columns - 1) / Columns;
        QImage page(Columns * CellW, rows * CellH + 40, QImage::Format_ARGB32_Premultiplied);
        page.fill(White);
        QPainter p(&page);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setRenderHint(QPainter::TextAntialiasing);
        const int number = start / perPage + 1;
        DrawFittedText(p, QRectF(0, 0, page.width(), 40),
                       QStringLiteral("UI 图片总览 — 第 %1 页 / 共 %2 页")
                           .arg(number)
                           .arg((entries.size() + perPage - 1) / perPage),
                       AccentDark, 20, true);
        for (int i = 0; i < count; ++i) {
            const QRect cell((i % Columns) * CellW, 40 + (i / Columns) * CellH, CellW, CellH);
            p.setPen(Line);
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            DrawCell(p, cell, entries[start + i], archive);
        }
        p.end();
        const QString path = prefix + QString::number(number) + QStringLiteral(".png");
        if (page.save(path, "PNG"))
            written.append(path);
    }
    return written;
}
