#pragma once
// Drawing of the frames of the archive's animations.

#include "PictureList.h"

#include <QImage>

// Frame `index` of an "ani" entry; a null image when the look is unknown.
QImage PaintAnimationFrame(const TPictureEntry &entry, int index);
