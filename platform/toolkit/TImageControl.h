#pragma once
// A picture holder: keeps a list of pictures and shows the one at ImageIndex,
// scaled to fit inside the control with its proportions kept and centred.
// An index outside the list shows nothing.

#include "TControl.h"

#include <QImage>
#include <QList>

class STUDYTOOLKIT_EXPORT TImageControl : public TControl
{
    Q_OBJECT
public:
    explicit TImageControl(QWidget *parent = nullptr);

    // Appends a picture and returns its index.
    int AddImage(const QImage &image);
    // Decodes PNG/JPEG bytes and appends them; -1 (list unchanged) when the
    // bytes are not a picture.
    int AddImageData(const QByteArray &data);
    void ClearImages();
    int ImageCount() const { return static_cast<int>(m_images.size()); }
    QImage Image(int index) const;

    int ImageIndex() const { return m_index; }
    void SetImageIndex(int index);
    // The picture on show; null when the index is outside the list.
    QImage CurrentImage() const { return Image(m_index); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<QImage> m_images;
    int m_index = 0;
};
