#pragma once
// The UI archive for tests. It serves explicit entries, generated pictures and
// generated animations, and records every name asked for.
//
// Any name under "png\" that has no explicit entry gets a generated 64 x 64 PNG
// of one colour (configurable) unless the name was marked missing or
// generation is switched off. AddAnimation writes a frame list in the base
// package's frame-list syntax and serves its frames, each frame in its own
// colour (FrameColor) so that a test can tell which frame is shown.
// Names are compared with "/" and "\" taken as the same separator.

#include "HostServices.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <QSize>
#include <QStringList>

class FakeArchive : public IArchive
{
public:
    void AddEntry(const QString &name, const QByteArray &bytes);
    // An explicit picture entry.
    void AddPicture(const QString &name, const QColor &color, const QSize &size);
    // Marks a name absent, even under "png\" or after AddEntry.
    void SetMissing(const QString &name);
    void SetPictureColor(const QColor &color) { m_color = color; }
    QColor PictureColor() const { return m_color; }

    // Adds "ani\<name>\filelist.txt" listing frameCount frames
    // "<name>_000.png", ... of the given size, and, when `sound` is not empty,
    // a sound entry "<name>.mp3" named in the list. Returns the list's name.
    QString AddAnimation(const QString &name, int frameCount, const QSize &size = QSize(40, 40),
                         const QByteArray &sound = {});
    // Colour of frame `index` of a generated animation.
    static QColor FrameColor(int index);
    // A PNG of one colour.
    static QByteArray MakePng(const QSize &size, const QColor &color);

    // Every name asked for, in order, as given.
    const QStringList &Requests() const { return m_requests; }
    int RequestCount(const QString &name) const;
    void ClearRequests() { m_requests.clear(); }

    std::optional<QByteArray> GetResource(const QString &name) override;

private:
    QHash<QString, QByteArray> m_entries;
    QSet<QString> m_missing;
    QStringList m_requests;
    QColor m_color = QColor(0x3A, 0x7B, 0xD5);
    QSize m_size = QSize(64, 64);
};
