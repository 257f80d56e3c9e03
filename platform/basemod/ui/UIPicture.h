#pragma once
// Pictures from the host's UI archive.

#include "basemod_export.h"
#include "HostServices.h"

#include <QByteArray>
#include <QString>

#include <optional>

class TRectangle;

// The archive's bytes for `name`; nullopt when the archive is missing, the
// name is absent or the archive failed (the failure is logged).
BASEMOD_EXPORT std::optional<QByteArray> ReadUIResource(const QString &name, const IArchivePtr &archive);

// Fills the rectangle's bitmap with the archive picture `name` (e.g.
// "png\study\UnRecorded.png"). Returns false, leaving the bitmap as it was,
// when the control or archive is missing, the name is absent or its bytes are
// not a picture; the last two are written to the log.
BASEMOD_EXPORT bool LoadPicture_UI(TRectangle *control, const QString &name, const IArchivePtr &archive);

// Copies the archive entry `name` into `stream`. Returns false and leaves the
// stream untouched when the archive is missing or the name is absent.
BASEMOD_EXPORT bool LoadPictureToMemory_UI(const QString &name, QByteArray &stream, const IArchivePtr &archive);
