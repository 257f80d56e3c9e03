#include "UIPicture.h"

#include "Log.h"
#include "TRectangle.h"

#include <exception>

std::optional<QByteArray> ReadUIResource(const QString &name, const IArchivePtr &archive)
{
    if (!archive)
        return std::nullopt;
    try {
        return archive->GetResource(name);
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:ReadUIResource ") + name + QLatin1Char(' ') + QString::fromUtf8(e.what()));
    } catch (...) {
        procSaveLog(QStringLiteral("error:ReadUIResource ") + name);
    }
    return std::nullopt;
}

bool LoadPicture_UI(TRectangle *control, const QString &name, const IArchivePtr &archive)
{
    if (!control)
        return false;
    const std::optional<QByteArray> bytes = ReadUIResource(name, archive);
    if (!bytes) {
        if (archive)
            procSaveLog(QStringLiteral("error:LoadPicture_UI picture not found ") + name);
        return false;
    }
    if (!control->LoadBitmap(*bytes)) {
        procSaveLog(QStringLiteral("error:LoadPicture_UI not a picture ") + name);
        return false;
    }
    return true;
}

bool LoadPictureToMemory_UI(const QString &name, QByteArray &stream, const IArchivePtr &archive)
{
    const std::optional<QByteArray> bytes = ReadUIResource(name, archive);
    if (!bytes)
        return false;
    stream = *bytes;
    return true;
}
