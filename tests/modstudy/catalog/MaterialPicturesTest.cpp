// Pictures into rectangles: picture files, UI archive pictures and a
// teaching material's own picture, downloaded on first use with a bounded
// wait.

#include "StoreTestSupport.h"

#include "ClockSpeed.h"
#include "StudyPartFrame.h"
#include "TRectangle.h"
#include "TTabControl.h"

#include <QElapsedTimer>
#include <QFile>

namespace {

const QString kPicture = QStringLiteral("pics/material/p1.png");
const QString kDefault = QStringLiteral("png\\study\\LessonPictureDefault.png");

class MaterialPictures : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        host.archive->SetPictureColor(Qt::blue);
        auto *passage = new TStudyPartFrame(F().TabItem_Study);
        area = passage->Rectangle_PartPicture;
        F().StudyPartFrame = passage;
        ServeFile(kPicture, FakeArchive::MakePng(QSize(12, 12), Qt::red));
    }
    void SetMaterial(const QString &contentPicture)
    {
        F().MaterialDetailContent =
            QStringLiteral(R"({"materialId":3,"content":"Spring","contentPicture":"%1"})").arg(contentPicture);
    }
    QColor Shown() const { return area->HasBitmap() ? area->Bitmap().pixelColor(1, 1) : QColor(); }
    TRectangle *area = nullptr;
};

TEST_F(MaterialPictures, PictureIsDownloadedIntoDataOnceAndShown)
{
    SetMaterial(kPicture);
    F().LoadMaterialContentPic();
    EXPECT_EQ(RequestedKeys(), QStringList{kPicture});
    EXPECT_EQ(F().iDownloadSuccess, 1);
    EXPECT_EQ(LocalFiles(), QStringList{QStringLiteral("data/p1.png")});
    EXPECT_EQ(Shown(), QColor(Qt::red));

    area->ClearBitmap();
    F().LoadMaterialContentPic();
    EXPECT_EQ(RequestedKeys().size(), 1) << "a picture on disk is not downloaded again";
    EXPECT_EQ(Shown(), QColor(Qt::red));
}

TEST_F(MaterialPictures, MaterialWithoutAUsablePictureShowsTheDefaultWithoutARequest)
{
    for (const QString &content :
         {QString(), QStringLiteral("not json"), QStringLiteral(R"({"contentPicture":""})"),
          QStringLiteral(R"({"content":"x"})"), QStringLiteral(R"({"contentPicture":"pics/material/.."})")}) {
        area->ClearBitmap();
        F().MaterialDetailContent = content;
        F().LoadMaterialContentPic();
        EXPECT_EQ(Shown(), QColor(Qt::blue)) << content.toStdString();
    }
    EXPECT_TRUE(RequestedKeys().isEmpty());
    EXPECT_GE(host.archive->RequestCount(kDefault), 5);
}

TEST_F(MaterialPictures, AddressThatNeverComesEndsTheWaitWithTheDefault)
{
    ClockSpeed speed(20);
    answerAddresses = false;
    SetMaterial(kPicture);
    QElapsedTimer real;
    real.start();
    F().LoadMaterialContentPic();
    // Sixteen rounds of 500 ms stated time are 400 ms at twenty times speed.
    EXPECT_GE(real.elapsed(), 300);
    EXPECT_LT(real.elapsed(), 4000);
    EXPECT_EQ(F().iDownloadSuccess, -1);
    EXPECT_EQ(Shown(), QColor(Qt::blue));
    EXPECT_TRUE(LocalFiles().isEmpty());
}

TEST_F(MaterialPictures, FailedDownloadShowsTheDefaultAndStopEndsTheWait)
{
    SetMaterial(QStringLiteral("pics/material/missing.png"));
    F().LoadMaterialContentPic();
    EXPECT_EQ(F().iDownloadSuccess, 0);
    EXPECT_EQ(Shown(), QColor(Qt::blue));

    answerAddresses = false;
    area->ClearBitmap();
    SetMaterial(kPicture);
    host.Later([this] { F().bStop = true; });
    QElapsedTimer real;
    real.start();
    F().LoadMaterialContentPic();
    EXPECT_LT(real.elapsed(), 2000);
    EXPECT_EQ(Shown(), QColor(Qt::blue));
}

TEST_F(MaterialPictures, MissingPictureFileLeavesThePreviousPicture)
{
    ASSERT_TRUE(F().LoadPictureFromPackage(area, kDefault));
    EXPECT_FALSE(F().LoadPictureFile(area, Local(QStringLiteral("data/none.png"))));
    EXPECT_FALSE(F().LoadPictureFile(area, QString()));
    EXPECT_EQ(Shown(), QColor(Qt::blue));

    PutLocal(QStringLiteral("data/broken.png"), "not a picture");
    EXPECT_FALSE(F().LoadPictureFile(area, Local(QStringLiteral("data/broken.png"))));
    EXPECT_EQ(Shown(), QColor(Qt::blue));

    PutLocal(QStringLiteral("data/green.png"), FakeArchive::MakePng(QSize(4, 4), Qt::green));
    EXPECT_TRUE(F().LoadPictureFile(area, Local(QStringLiteral("data/green.png"))));
    EXPECT_EQ(Shown(), QColor(Qt::green));

    host.archive->SetMissing(QStringLiteral("png\\none.png"));
    EXPECT_FALSE(F().LoadPictureFromPackage(area, QStringLiteral("png\\none.png")));
    EXPECT_EQ(Shown(), QColor(Qt::green));
}

} // namespace
