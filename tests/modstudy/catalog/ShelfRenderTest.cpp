// The shelves as the learner sees them: each shelf rendered offscreen shows
// its tiles with their pictures inside the frame. The pictures are also
// written to the temporary folder ("shelf_screens") for a look by eye.

#include "ShelfTestSupport.h"

#include "Render.h"
#include "TButton.h"
#include "TRectangle.h"
#include "TText.h"

#include <QDir>
#include <QImage>

using namespace ShelfTest;

namespace {

const QColor kCover(0x30, 0x50, 0xE0);

class ShelfRender : public ShelfFixture
{
protected:
    void SetUp() override
    {
        // As in a host window: the frame is made inside a parent on screen.
        host.parent.show();
        ShelfFixture::SetUp();
        host.archive->SetPictureColor(kCover);
        host.archive->SetPictureSize(QSize(150, 200));
        ordered_json own = ordered_json::array(), goods = ordered_json::array(), self = ordered_json::array();
        for (int i = 0; i < 8; ++i)
            own.push_back(Book(1000 + i, "Lesson book with a long title number " + std::to_string(i), "L"));
        for (int i = 0; i < 11; ++i)
            goods.push_back(Goods(3000 + i, "Course " + std::to_string(i)));
        for (int i = 0; i < 3; ++i)
            self.push_back(Material(2000 + i, "Material " + std::to_string(i)));
        Deliver({.recent = ordered_json::array({Book(1000, "Lesson book 0", "L")}),
                 .own = own,
                 .self = self,
                 .recommended = goods});
    }
    // Renders the frame, keeps the picture for a look, and tells whether the
    // middle of the tile's cover shows the cover picture.
    bool CoverShown(const TBookIconFrame *tile, const QString &file)
    {
        const QImage image = RenderToImage(&F());
        QDir().mkpath(QDir::temp().filePath(QStringLiteral("shelf_screens")));
        image.save(QDir::temp().filePath(QStringLiteral("shelf_screens/") + file));
        const QPoint centre = tile->BookPicture()->mapTo(&F(), tile->BookPicture()->rect().center());
        const double scale = image.width() / F().Width();
        return QColor(image.pixel(centre * scale)) == kCover;
    }
};

} // namespace

TEST_F(ShelfRender, EveryShelfShowsItsTiles)
{
    EXPECT_TRUE(CoverShown(F().UserBooks[0], QStringLiteral("own.png")));
    EXPECT_TRUE(CoverShown(F().UserBooks[6], QStringLiteral("own.png"))) << "second row";
    Click(F().Button_UsuallyBook);
    EXPECT_TRUE(CoverShown(F().UserBooks_Usually[0], QStringLiteral("recent.png")));
    Click(F().Button_MaterialsBook);
    EXPECT_TRUE(CoverShown(F().Materials[2], QStringLiteral("materials.png")));
    Click(F().Button_ReccommandBook);
    EXPECT_TRUE(CoverShown(F().RecommandGoods[10], QStringLiteral("recommended.png")));

    F().RecommandGoods[0]->DoBookMouseUp(Qt::LeftButton, Qt::NoModifier, QPointF(5, 5));
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":1132,\"items\":[{\"packageTitle\":\"Happy English Book 1\","
                                        "\"hasGoods\":1},{\"packageTitle\":\"First Words\",\"hasGoods\":1}]}"));
    const QImage panel = RenderToImage(&F());
    panel.save(QDir::temp().filePath(QStringLiteral("shelf_screens/recommend_panel.png")));
    const QPoint mid = F().Rectangle_RecommandContentBackGground->geometry().center();
    EXPECT_EQ(QColor(panel.pixel(mid.x() * panel.width() / 1024, 150 * panel.width() / 1024 + 20)), QColor(Qt::white));
}
