#include "FakeArchive.h"
#include "LogCapture.h"
#include "TRectangle.h"
#include "UIPicture.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class ThrowingArchive : public IArchive
{
public:
    std::optional<QByteArray> GetResource(const QString &) override { throw std::runtime_error("disk gone"); }
};

} // namespace

TEST(LoadPicture_UI, FillsTheBitmapAndKeepsThePreviousPictureWhenTheNameIsMissingOrBroken)
{
    auto archive = std::make_shared<FakeArchive>();
    archive->SetMissing(QStringLiteral("png\\study\\Gone.png"));
    archive->AddEntry(QStringLiteral("png\\study\\Broken.png"), "not a png");
    TRectangle rect;

    ASSERT_TRUE(LoadPicture_UI(&rect, QStringLiteral("png\\study\\home\\BookIcon.png"), archive));
    EXPECT_EQ(rect.Bitmap().pixelColor(5, 5), archive->PictureColor());
    const QImage before = rect.Bitmap();

    LogCapture log;
    EXPECT_FALSE(LoadPicture_UI(&rect, QStringLiteral("png\\study\\Gone.png"), archive));
    EXPECT_FALSE(LoadPicture_UI(&rect, QStringLiteral("png\\study\\Broken.png"), archive));
    EXPECT_EQ(rect.Bitmap(), before);
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:")).size(), 2);

    EXPECT_FALSE(LoadPicture_UI(&rect, QStringLiteral("png\\x.png"), nullptr));
    EXPECT_FALSE(LoadPicture_UI(&rect, QStringLiteral("png\\x.png"), std::make_shared<ThrowingArchive>()));
    EXPECT_EQ(rect.Bitmap(), before);
}
