// The course shelf's five tile lists: building them from the shelf reply
// (acAllBooksShelf), placing the tiles on the grid of their boxes, finding a tile and
// freeing the lists.
//
// Each builder replaces its whole list and frees the old tiles. A shelf reply
// can arrive inside a wait that a tile's own click handler started; the old
// tiles then leave the shelf at once and are freed from the event loop.

#include "StudyFrame.h"

#include "Envelope.h"
#include "ShelfJson.h"
#include "ShelfLayout.h"

#include "Commonconst.h"
#include "LocalPath.h"
#include "TBookIconFrame.h"
#include "TVertScrollBox.h"

using nlohmann::ordered_json;
using namespace Shelf;

namespace {

// Frees the old tiles; the open book is forgotten when it was one of them.
// While a tile's click handler runs (the reply came in during its wait) the
// tiles only leave the shelf at once and are freed from the event loop.
void ReleaseTiles(QList<TBookIconFrame *> &list, TBookIconFrame *&curSelectBook, bool clickRunning)
{
    for (TBookIconFrame *tile : std::as_const(list)) {
        if (tile == curSelectBook)
            curSelectBook = nullptr;
        if (!clickRunning) {
            delete tile;
            continue;
        }
        tile->hide();
        tile->setParent(nullptr);
        tile->deleteLater();
    }
    list.clear();
}

// "default" when the tile has no picture key, else the local file its
// picture is downloaded to. A key whose last segment cannot be stored as a
// file name also gets the default picture (no download is asked for it).
QString LocalIconFor(const QString &key, const QString &picsFolder)
{
    if (key.isEmpty())
        return QStringLiteral("default");
    const QString name = LocalNameFromUrl(key);
    return name.isEmpty() ? QStringLiteral("default") : picsFolder + name;
}

void FillBookTile(TBookIconFrame *tile, const ordered_json &e, const QString &picsFolder)
{
    tile->SetUid(MemberInt(e, "uid"));
    tile->SetPackagePic(MemberText(e, "packagePic"));
    tile->SetCourseCode(MemberText(e, "courseCode"));
    tile->SetIsRecommend(static_cast<int>(MemberInt(e, "isRecommend")));
    tile->SetLessonID(MemberInt(e, "lessonId"));
    tile->SetLessonName(MemberText(e, "lessonName"));
    tile->SetGoodsName(tile->LessonName());
    tile->SetOrderId(static_cast<int>(MemberInt(e, "orderId")));
    tile->SetUrl(MemberText(e, "url"));
    tile->SetpackageName(LocalNameFromUrl(tile->Url()));
    tile->SetVersion(MemberText(e, "version"));
    tile->SetVersionNo(static_cast<int>(MemberInt(e, "versionNo")));
    tile->SetCourseType(TileCourseType(MemberText(e, "courseType")));
    tile->SetLocalIcon(LocalIconFor(tile->PackagePic(), picsFolder));
}

void FillMaterialTile(TBookIconFrame *tile, const ordered_json &e, const QString &picsFolder)
{
    tile->SetUid(MemberInt(e, "uid"));
    tile->SetMaterialId(MemberInt(e, "materialId"));
    tile->SetOrigiVoice(MemberText(e, "origiVoice"));
    tile->SetTeacherId(MemberText(e, "teacherId"));
    tile->SetGoodsName(MemberText(e, "title"));
    tile->SetPicture(MemberText(e, "picture"));
    tile->SetIsNetMate(static_cast<int>(MemberInt(e, "isNetMate")));
    tile->SetLocalIcon(LocalIconFor(tile->Picture(), picsFolder));
}

void FillRecommendTile(TBookIconFrame *tile, const ordered_json &e, const QString &picsFolder)
{
    tile->SetDescription(MemberText(e, "description"));
    tile->SetGoodsID(MemberInt(e, "goodsId"));
    tile->SetGoodsLevel(static_cast<int>(MemberInt(e, "goodsLevel")));
    tile->SetGoodsName(MemberText(e, "goodsName"));
    tile->SetGoodsPicURL(MemberText(e, "goodsPic"));
    tile->SetIsRecommand(static_cast<int>(MemberInt(e, "isRecomm")));
    tile->SetLessonID(MemberInt(e, "lessonId"));
    tile->SetMemo(MemberText(e, "memo"));
    tile->SetPrice(MemberNumber(e, "price"));
    tile->SetWordCount(static_cast<int>(MemberInt(e, "wordCount")));
    tile->SetTradePrice(MemberNumber(e, "tradePrice"));
    tile->Setrebate(MemberNumber(e, "rebate"));
    tile->SetLocalIcon(LocalIconFor(tile->GoodsPicURL(), picsFolder));
}

// Puts the tile at the next place of its box. The place is set before the
// tile joins the box, because the box measures its content again on every
// change of a child.
void Place(TBookIconFrame *tile, TVertScrollBox *box, TGridCursor &cursor, int columns)
{
    const QPointF place = NextGridPlace(cursor, columns, tile->Width(), tile->Height());
    if (tile->X() != place.x() || tile->Y() != place.y())
        tile->SetPosition(place.x(), place.y());
    if (tile->parentWidget() != box->Content())
        box->AddToContent(tile);
    // A tile made without parent is hidden until it is shown in its box.
    if (tile->isHidden())
        tile->SetVisible(true);
}

ordered_json ParseShelf(const QString &sjson)
{
    TParsedMessage parsed = ParseMessage(sjson);
    return parsed.ok ? std::move(parsed.body) : ordered_json::object();
}

} // namespace

TBookIconFrame *TStudyFrame::NewShelfTile(QList<TBookIconFrame *> &list, const QString &prefix,
                                          void (TStudyFrame::*onClick)(TBookIconFrame *, Qt::MouseButton, double,
                                                                       double))
{
    auto *tile = new TBookIconFrame(nullptr);
    const int index = static_cast<int>(list.size());
    list.append(tile);
    tile->SetName(prefix + QString::number(index));
    tile->SetSideShow(bsTitle | bsFrame);
    tile->SetFontFamily(FontWQYdzStr);
    tile->SetFontSize(13);
    tile->SetMyHint(FCustomHint);
    tile->SetTag(index);
    tile->SetOnBookMouseUp(
        [this, onClick](TBookIconFrame *sender, Qt::MouseButton button, Qt::KeyboardModifiers, QPointF pos) {
            ++ShelfTileClickDepth;
            RunHandler(sender->objectName() + QStringLiteral("MouseUp"),
                       [this, onClick, sender, button, pos] { (this->*onClick)(sender, button, pos.x(), pos.y()); });
            --ShelfTileClickDepth;
        });
    return tile;
}

void TStudyFrame::BuildUserBooks_UsuallyIcons(const QString &sjson)
{
    // A new shelf starts its own chain; an address still on its way belongs
    // to the old one.
    bPictureRequestPending = false;
    ReleaseTiles(UserBooks_Usually, curSelectBook, ShelfTileClickDepth > 0);
    const ordered_json body = ParseShelf(sjson);
    const QString pics = LocalPath(FMainPath, QStringLiteral("pics\\book\\"));
    TGridCursor cursor;
    for (const ordered_json &e : MemberArray(body, "userBooksRequently")) {
        if (bStop)
            break;
        if (!e.is_object())
            continue;
        TBookIconFrame *tile = NewShelfTile(UserBooks_Usually, QStringLiteral("MyCourseIcon_Usually"),
                                            &TStudyFrame::StudyMyCourse_UsuallyMouseUp);
        FillBookTile(tile, e, pics);
        Place(tile, VertScrollBox_Usually, cursor, kColumns);
    }
}

void TStudyFrame::BuildRecommandIcons(const QString &sjson)
{
    ReleaseTiles(RecommandGoods, curSelectBook, ShelfTileClickDepth > 0);
    const ordered_json body = ParseShelf(sjson);
    const QString pics = LocalPath(FMainPath, QStringLiteral("pics\\book\\"));
    TGridCursor cursor;
    for (const ordered_json &e : MemberArray(body, "recommBooks")) {
        if (bStop)
            break;
        if (!e.is_object())
            continue;
        TBookIconFrame *tile =
            NewShelfTile(RecommandGoods, QStringLiteral("RecommandIcon"), &TStudyFrame::StudyRecommendMouseUp);
        FillRecommendTile(tile, e, pics);
        Place(tile, VertScrollBox_Recommand, cursor, kRecommendColumns);
    }
}

void TStudyFrame::BuildUserBooksIcons(const QString &sjson)
{
    ReleaseTiles(UserBooks, curSelectBook, ShelfTileClickDepth > 0);
    const ordered_json body = ParseShelf(sjson);
    const QString pics = LocalPath(FMainPath, QStringLiteral("pics\\book\\"));
    TGridCursor text;
    TGridCursor word;
    for (const ordered_json &e : MemberArray(body, "userBooks")) {
        if (bStop)
            break;
        if (!e.is_object())
            continue;
        TBookIconFrame *tile =
            NewShelfTile(UserBooks, QStringLiteral("MyCourseIcon"), &TStudyFrame::StudyMyCourseMouseUp);
        FillBookTile(tile, e, pics);
        switch (OwnBoxOfCourseType(MemberText(e, "courseType"))) {
        case obText: Place(tile, VertScrollBox_MyBookText, text, kColumns); break;
        case obWord: Place(tile, VertScrollBox_MyBookWord, word, kColumns); break;
        case obOther:
            // Placed with the outside books below.
            break;
        }
    }
    LayoutOtherBooksBox();
}

void TStudyFrame::BuildUserBooks_OutsideIcons(const QString &sjson)
{
    ReleaseTiles(UserBooks_Outside, curSelectBook, ShelfTileClickDepth > 0);
    const ordered_json body = ParseShelf(sjson);
    const QString pics = LocalPath(FMainPath, QStringLiteral("pics\\book\\"));
    for (const ordered_json &e : MemberArray(body, "outsideBooks")) {
        if (bStop)
            break;
        if (!e.is_object())
            continue;
        TBookIconFrame *tile = NewShelfTile(UserBooks_Outside, QStringLiteral("MyCourseIcon_Outside"),
                                            &TStudyFrame::StudyMyCourse_OutsideMouseUp);
        FillBookTile(tile, e, pics);
    }
    LayoutOtherBooksBox();
}

void TStudyFrame::LayoutOtherBooksBox()
{
    // Own books of other types and the outside books share the box; one grid
    // keeps them from covering each other.
    TVertScrollBox *box = VertScrollBox_MyBookExtracurricular;
    TGridCursor cursor;
    for (TBookIconFrame *tile : std::as_const(UserBooks)) {
        QWidget *parent = tile->parentWidget();
        if (parent != VertScrollBox_MyBookText->Content() && parent != VertScrollBox_MyBookWord->Content())
            Place(tile, box, cursor, kColumns);
    }
    for (TBookIconFrame *tile : std::as_const(UserBooks_Outside))
        Place(tile, box, cursor, kColumns);
}

void TStudyFrame::BuildMaterialsIcons(const QString &sjson)
{
    ReleaseTiles(Materials, curSelectBook, ShelfTileClickDepth > 0);
    const ordered_json body = ParseShelf(sjson);
    const auto materials = body.find("userMaterials");
    if (materials == body.end() || !materials->is_object())
        return;
    const QString pics = LocalPath(FMainPath, QStringLiteral("pics\\book\\"));
    struct TMaterialBox
    {
        const char *key;
        QString prefix;
        TVertScrollBox *box;
    };
    // The platform's materials first, then the teachers'.
    const TMaterialBox boxes[] = {
        {"userOwnMaterialsVox", QStringLiteral("MaterialsIconVox"), VertScrollBox_MaterialsVox},
        {"userOwnMaterialsSelf", QStringLiteral("MaterialsIconTeacher"), VertScrollBox_MaterialsTeacher},
    };
    for (const TMaterialBox &target : boxes) {
        TGridCursor cursor;
        for (const ordered_json &e : MemberArray(*materials, target.key)) {
            if (bStop)
                return;
            if (!e.is_object())
                continue;
            TBookIconFrame *tile = NewShelfTile(Materials, target.prefix, &TStudyFrame::StudyMaterialsMouseUp);
            FillMaterialTile(tile, e, pics);
            Place(tile, target.box, cursor, kColumns);
        }
    }
}

int TStudyFrame::FindBook(const QList<TBookIconFrame *> &List, const QString &Name, qint64 Id) const
{
    for (int i = 0; i < List.size(); ++i) {
        const TBookIconFrame *tile = List.at(i);
        if (tile && tile->LessonID() == Id && tile->LessonName().compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TStudyFrame::FreeShelfLists()
{
    for (QList<TBookIconFrame *> *list :
         {&RecommandGoods, &Materials, &UserBooks, &UserBooks_Outside, &UserBooks_Usually}) {
        qDeleteAll(*list);
        list->clear();
    }
    curSelectBook = nullptr;
}
