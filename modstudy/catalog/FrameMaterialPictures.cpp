// Pictures of the package store: a picture file or a UI archive picture into
// a rectangle, and a teaching material's own picture beside its text, which
// is downloaded on first use.

#include "StudyFrame.h"
#include "StudyPartFrame.h"

#include "PackageStore.h"

#include "Log.h"
#include "UIPicture.h"
#include "Wait.h"

#include "TRectangle.h"

#include <QFileInfo>

namespace {
const QString kDefaultLessonPicture = QStringLiteral("png\\study\\LessonPictureDefault.png");
// The reply to the address request and the download get at most this many
// rounds of kRoundMs (8 seconds in all).
constexpr int kWaitRounds = 16;
constexpr int kRoundMs = 500;

// The "contentPicture" of a material's JSON text; empty when the text holds
// no object or the object no such text.
QString ContentPicture(const QString &materialJson)
{
    const auto json = nlohmann::ordered_json::parse(materialJson.toStdString(), nullptr, false);
    if (!json.is_object())
        return {};
    const auto it = json.find("contentPicture");
    return it != json.end() && it->is_string() ? QString::fromStdString(it->get<std::string>()) : QString();
}
} // namespace

bool TStudyFrame::LoadPictureFile(TRectangle *PictureControl, const QString &PictureName)
{
    if (!PictureControl || PictureName.isEmpty() || !QFileInfo(PictureName).isFile())
        return false;
    return PictureControl->LoadBitmapFromFile(PictureName);
}

bool TStudyFrame::LoadPictureFromPackage(TRectangle *PictureControl, const QString &PictureName)
{
    return LoadPicture_UI(PictureControl, PictureName, FUIArchive);
}

TRectangle *TStudyFrame::MaterialPictureArea() const
{
    return StudyPartFrame ? StudyPartFrame->Rectangle_PartPicture : nullptr;
}

void TStudyFrame::LoadMaterialContentPic()
{
    const auto show = [this](const QString &file) {
        TRectangle *area = MaterialPictureArea();
        if (!area) {
            procSaveLog(QStringLiteral("info：LoadMaterialContentPic: no passage picture area to show the picture in"));
            return;
        }
        if (file.isEmpty() || !LoadPictureFile(area, file))
            LoadPictureFromPackage(area, kDefaultLessonPicture);
    };

    const QString picture = ContentPicture(MaterialDetailContent);
    if (picture.isEmpty()) {
        show(QString());
        return;
    }
    const QString file = PackageStore::DownloadTarget(FMainPath, PackageStore::kMaterialFolder, picture);
    if (file.isEmpty()) {
        procSaveLog(QStringLiteral("error:LoadMaterialContentPic: refused address without a usable file name, ")
                    % QStringLiteral("nothing downloaded: ") % picture);
        show(QString());
        return;
    }
    if (QFileInfo(file).isFile()) {
        show(file);
        return;
    }

    NowLoadType = LTMaterialContentPic;
    iDownloadSuccess = -1;
    GetDownLoadURLResource(picture);
    for (int round = 0; iDownloadSuccess < 0 && round < kWaitRounds && !bStop; ++round) {
        if (!WaitTime(kRoundMs, bStop, this))
            return;
    }
    show(iDownloadSuccess == 1 && QFileInfo(file).isFile() ? file : QString());
}
