// The shelf's picture chain: one tile picture after another across the five
// lists (recent, own, outside, materials, recommended), with at most one
// download-address request (acGetDownloadUrl) outstanding. A tile whose picture is already
// on disk, or that has none, is shown at once and the chain moves on; a tile
// whose picture must be fetched ends the step, and the address reply (acDownloadUrl)
// downloads it, shows it and continues with ContinuePictureChain. A refused
// address (PictureAddressFailed) or a failed download leaves the default
// picture and the chain goes on.

#include "StudyFrame.h"

#include "ShelfLayout.h"

#include "Log.h"
#include "TBookIconFrame.h"
#include "TRectangle.h"
#include "UIPicture.h"

#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPointer>

using namespace Shelf;

namespace {

struct TChainList
{
    QList<TBookIconFrame *> *list;
    int *cursor;
    TLoadType kind;
    QString defaultPicture;
};

const QString kBookIcon = QStringLiteral("png\\study\\home\\BookIcon.png");
const QString kMaterialIcon = QStringLiteral("png\\study\\home\\MateriaIcon.png");

TChainList ChainList(TStudyFrame &f, TShelfList which)
{
    switch (which) {
    case slUsually: return {&f.UserBooks_Usually, &f.MyCourse_UsuallyIndex, LTMyCourse_Usually, kBookIcon};
    case slMyCourse: return {&f.UserBooks, &f.MyCourseIndex, LTMyCoursePic, kBookIcon};
    case slOutside: return {&f.UserBooks_Outside, &f.MyCourse_OutsideIndex, LTMyCourse_OutsidePic, kBookIcon};
    case slMaterials: return {&f.Materials, &f.MaterialsIndex, LTMaterialsPic, kMaterialIcon};
    case slRecommend: break;
    }
    return {&f.RecommandGoods, &f.RecommandIndex, LTRecommPic, kBookIcon};
}

QString PictureKey(TShelfList which, const TBookIconFrame *tile)
{
    switch (which) {
    case slMaterials: return tile->Picture();
    case slRecommend: return tile->GoodsPicURL();
    default: return tile->PackagePic();
    }
}

// The list a pending shelf-picture address is for; false for other kinds.
bool ListOfLoadType(TLoadType kind, TShelfList &which)
{
    switch (kind) {
    case LTMyCourse_Usually: which = slUsually; return true;
    case LTMyCoursePic: which = slMyCourse; return true;
    case LTMyCourse_OutsidePic: which = slOutside; return true;
    case LTMaterialsPic: which = slMaterials; return true;
    case LTRecommPic: which = slRecommend; return true;
    default: return false;
    }
}

} // namespace

void TStudyFrame::DisplayMyCourse_Usually()
{
    RunPictureChain(slUsually);
}

void TStudyFrame::DisplayMyCoursePicture()
{
    RunPictureChain(slMyCourse);
}

void TStudyFrame::DisplayMyCourse_OutsidePicture()
{
    RunPictureChain(slOutside);
}

void TStudyFrame::DisplayMaterialsPicture()
{
    RunPictureChain(slMaterials);
}

void TStudyFrame::DisplayRecommandPicture()
{
    RunPictureChain(slRecommend);
}

void TStudyFrame::RunPictureChain(int list)
{
    // Default pictures decoded once per run and shared by the tiles.
    QHash<QString, QImage> defaults;
    const auto showDefault = [this, &defaults](TBookIconFrame *tile, const QString &name) {
        auto it = defaults.find(name);
        if (it == defaults.end()) {
            QImage image;
            if (const std::optional<QByteArray> bytes = ReadUIResource(name, FUIArchive))
                image.loadFromData(*bytes);
            it = defaults.insert(name, image);
        }
        if (!it->isNull())
            tile->BookPicture()->SetBitmap(*it);
    };

    auto which = static_cast<TShelfList>(list);
    for (;;) {
        if (bStop || bStopDownloadBookPicture)
            return;
        const TChainList chain = ChainList(*this, which);
        if (*chain.cursor < 0)
            *chain.cursor = 0;
        if (*chain.cursor >= chain.list->size()) {
            TShelfList next;
            if (!NextInChain(which, next))
                return;
            *ChainList(*this, next).cursor = 0;
            which = next;
            continue;
        }
        TBookIconFrame *tile = chain.list->at(*chain.cursor);
        const QString key = PictureKey(which, tile);
        const QString local = tile->LocalIcon();
        const bool isDefault = local == QLatin1String("default");
        if (!key.isEmpty() && !isDefault && !QFileInfo::exists(local)) {
            if (isAssignmentSkip) {
                // An assignment is about to open: skip this picture and stop.
                ++*chain.cursor;
                return;
            }
            // One request at a time: the outstanding one's reply carries the
            // chain on to this tile.
            if (bPictureRequestPending)
                return;
            bPictureRequestPending = true;
            NowLoadType = chain.kind;
            GetDownLoadURLResource(key);
            return;
        }
        if (isDefault || !tile->BookPicture()->LoadBitmapFromFile(local))
            showDefault(tile, chain.defaultPicture);
        ++*chain.cursor;
    }
}

void TStudyFrame::ContinuePictureChain(const QString &url, const QString &key)
{
    TShelfList which;
    if (!ListOfLoadType(NowLoadType, which))
        return;
    // The learner opened something meanwhile: the chain resumes at this tile
    // when the shelf is shown again.
    if (bStopDownloadBookPicture)
        return;
    const TChainList chain = ChainList(*this, which);
    if (*chain.cursor < 0 || *chain.cursor >= chain.list->size())
        return;
    QPointer<TBookIconFrame> tile = chain.list->at(*chain.cursor);
    const QString expected = PictureKey(which, tile);
    if (!key.isEmpty() && key != expected) {
        // The address of a tile of an earlier shelf; the current chain has
        // asked for its own.
        procSaveLog(QStringLiteral("info：ContinuePictureChain: address for ") % key
                    % QStringLiteral(" does not belong to the next tile (") % expected % QStringLiteral(")"));
        bPictureRequestPending = true;
        return;
    }
    const bool downloaded = DownloadBookPicture(url, expected);
    // The download keeps the event loop running: a new shelf may have
    // replaced this one, and its own chain is then under way.
    if (!tile || chain.list->value(*chain.cursor) != tile.data())
        return;
    const QString local = tile->LocalIcon();
    const bool shown = downloaded && local != QLatin1String("default") && QFileInfo::exists(local)
                       && tile->BookPicture()->LoadBitmapFromFile(local);
    if (!shown)
        LoadPicture(tile->BookPicture(), chain.defaultPicture);
    ++*chain.cursor;
    RunPictureChain(which);
}

bool TStudyFrame::IsShelfPictureLoad(TLoadType kind)
{
    TShelfList which;
    return ListOfLoadType(kind, which);
}

void TStudyFrame::PictureAddressFailed()
{
    TShelfList which;
    if (!ListOfLoadType(NowLoadType, which) || bStop || bStopDownloadBookPicture)
        return;
    const TChainList chain = ChainList(*this, which);
    if (*chain.cursor < 0 || *chain.cursor >= chain.list->size())
        return;
    LoadPicture(chain.list->at(*chain.cursor)->BookPicture(), chain.defaultPicture);
    ++*chain.cursor;
    RunPictureChain(which);
}

bool TStudyFrame::IsShelfPictureKey(const QString &key) const
{
    if (key.isEmpty())
        return false;
    const std::pair<TShelfList, const QList<TBookIconFrame *> *> lists[] = {{slUsually, &UserBooks_Usually},
                                                                            {slMyCourse, &UserBooks},
                                                                            {slOutside, &UserBooks_Outside},
                                                                            {slMaterials, &Materials},
                                                                            {slRecommend, &RecommandGoods}};
    for (const auto &[which, list] : lists) {
        for (const TBookIconFrame *tile : *list) {
            if (PictureKey(which, tile) == key)
                return true;
        }
    }
    return false;
}
