// The shelf's picture chain: one address request at a time across the five lists
// in their order, pictures shown from the download or from the UI archive,
// a failed download or a refused address leaving the default picture, and
// the ways the chain stops and starts again (that a network failure ends
// the chain shows in the dispatcher's tests); then a material's own picture.

#include "ShelfTestSupport.h"
#include "StoreTestSupport.h"

#include "ClockSpeed.h"
#include "WaitUntil.h"

#include "StudyPartFrame.h"
#include "TButton.h"
#include "TRectangle.h"
#include "TTabControl.h"

#include <QElapsedTimer>
#include <QImage>

using namespace ShelfTest;

namespace {

const QColor kServed(0x20, 0xA0, 0x40);  // pictures on the picture server
const QColor kDefault(0x30, 0x50, 0xE0); // the UI archive's default pictures

QColor Centre(const TBookIconFrame *tile)
{
    const QImage &image = tile->BookPicture()->Bitmap();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

// Answers every address request (13) from the event loop, as the host
// relays the service's replies, and counts requests that were sent while an
// earlier one was still unanswered.
class ShelfPictures : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        host.archive->SetPictureColor(kDefault);
        host.onRequest = [this](const QString &text) {
            if (TestHost::Code(text) != 13)
                return;
            const QString key = QString::fromStdString(Parse(text).value("key", std::string()));
            keys << key;
            if (pending)
                ++overlapping;
            pending = true;
            if (autoAnswer)
                host.Later([this, key] {
                    pending = false;
                    host.mod->ReceiveMsg(refused.contains(key) ? QStringLiteral(
                                             "{\"apiCode\":14,\"errorCode\":4,\"errorText\":\"资源不存在\"}")
                                                               : AddressReply(key));
                });
        };
    }
    void Deliver(const TShelf &shelf)
    {
        F().bResponse = false;
        host.mod->ReceiveMsg(Text(shelf.Json()));
    }
    void Serve(const QString &key) { ServeFile(key, FakeArchive::MakePng(QSize(30, 40), kServed)); }
    bool Settled(int requests)
    {
        return WaitUntil([&] { return keys.size() >= requests && !pending && F().WorkState == wsIdle; }, RealMs{8000});
    }

    QStringList keys;
    bool pending = false;
    bool autoAnswer = true;
    QStringList refused; // keys whose address the service refuses
    int overlapping = 0;
};

} // namespace

TEST_F(ShelfPictures, PicturesAreFetchedOneAtATimeInListOrderAndAFailureLeavesTheDefault)
{
    for (const char *key : {"pics/r1.png", "pics/o1.png", "pics/x1.png", "pics/m1.png", "pics/g2.png"})
        Serve(QString::fromLatin1(key));
    // pics/missing.png is not served: its download fails; the address of
    // pics/refused.png is refused, which the learner is told once per shelf.
    refused << QStringLiteral("pics/refused.png");
    const TShelf shelf{
        .recent = ordered_json::array({Book(1, "R", "L", "pics/r1.png")}),
        .own = ordered_json::array({Book(1, "R", "L", "pics/o1.png"), Book(2, "No picture", "W"),
                                    Book(5, "Refused", "L", "pics/refused.png")}),
        .outside = ordered_json::array({Book(3, "X", "X", "pics/x1.png")}),
        .self = ordered_json::array({Material(4, "M", "pics/m1.png")}),
        .recommended = ordered_json::array({Goods(3001, "G1", "pics/missing.png"), Goods(3002, "G2", "pics/g2.png")})};
    Deliver(shelf);

    ASSERT_TRUE(Settled(7));
    EXPECT_EQ(keys, (QStringList{"pics/r1.png", "pics/o1.png", "pics/refused.png", "pics/x1.png", "pics/m1.png",
                                 "pics/missing.png", "pics/g2.png"}));
    EXPECT_EQ(overlapping, 0);
    EXPECT_EQ(Centre(F().UserBooks_Usually[0]), kServed);
    EXPECT_EQ(Centre(F().UserBooks[0]), kServed);
    EXPECT_EQ(Centre(F().UserBooks[1]), kDefault) << "a tile without picture key shows the default";
    EXPECT_EQ(Centre(F().UserBooks[2]), kDefault) << "refused address";
    EXPECT_EQ(Centre(F().UserBooks_Outside[0]), kServed);
    EXPECT_EQ(Centre(F().Materials[0]), kServed);
    EXPECT_EQ(Centre(F().RecommandGoods[0]), kDefault) << "failed download";
    EXPECT_EQ(Centre(F().RecommandGoods[1]), kServed) << "the chain went on after the failure";
    EXPECT_TRUE(QFile::exists(Local(QStringLiteral("pics/book/g2.png"))));
    EXPECT_EQ(host.message->Infos(), QStringList{QStringLiteral("资源不存在")});
    // The chain is over: nothing more is asked for.
    EXPECT_FALSE(WaitUntil([&] { return keys.size() > 7; }, RealMs{300}));

    // The same shelf again: pictures on disk are not asked for, and the
    // refusal may be told once more.
    Deliver(shelf);
    ASSERT_TRUE(Settled(9));
    EXPECT_EQ(keys.mid(7), (QStringList{"pics/refused.png", "pics/missing.png"}));
    EXPECT_EQ(host.message->Infos().size(), 2);
}

TEST_F(ShelfPictures, OpeningSomethingStopsTheChainAndTheShelfPageResumesIt)
{
    autoAnswer = false;
    Deliver({.own = ordered_json::array({Book(1, "A", "L", "pics/a.png"), Book(2, "B", "L", "pics/b.png")})});
    ASSERT_EQ(keys, QStringList{"pics/a.png"});
    EXPECT_EQ(F().NowLoadType, LTMyCoursePic);

    // The learner opens something; the address that arrives then is not
    // acted on and the chain asks for nothing.
    F().bStopDownloadBookPicture = true;
    pending = false;
    host.mod->ReceiveMsg(AddressReply(QStringLiteral("pics/a.png")));
    F().DisplayMyCoursePicture();
    EXPECT_EQ(keys.size(), 1);
    EXPECT_EQ(F().MyCourseIndex, 0);

    // Back on the shelf page the flag is cleared and the chain starts again.
    F().TabControl_Home->SetTabIndex(pgDisplayScore);
    F().Button_ReturnMouseUp();
    EXPECT_FALSE(F().bStopDownloadBookPicture);
    EXPECT_EQ(keys, (QStringList{"pics/a.png", "pics/a.png"}));
}

TEST_F(ShelfPictures, APendingAssignmentSkipsThePictureAndStopsTheChain)
{
    F().BuildUserBooksIcons(Text(
        TShelf{.own = ordered_json::array({Book(1, "A", "L", "pics/a.png"), Book(2, "B", "L", "pics/b.png")})}.Json()));
    F().isAssignmentSkip = true;
    F().MyCourseIndex = 0;
    F().DisplayMyCoursePicture();
    EXPECT_TRUE(keys.isEmpty());
    EXPECT_EQ(F().MyCourseIndex, 1);
}

TEST_F(ShelfPictures, ShelfButtonsPressedWhileAPictureIsOnItsWayAskForNothingMore)
{
    autoAnswer = false;
    Deliver({.recent = ordered_json::array({Book(1, "A", "L", "pics/r.png")}),
             .own = ordered_json::array({Book(1, "A", "L", "pics/a.png")}),
             .self = ordered_json::array({Material(4, "M", "pics/m.png")})});
    ClickMiddle(F().Button_MaterialsBook);
    ClickMiddle(F().Button_UsuallyBook);
    EXPECT_EQ(keys, QStringList{"pics/r.png"});
    EXPECT_EQ(overlapping, 0);
    EXPECT_EQ(F().NowLoadType, LTMyCourse_Usually) << "the outstanding request keeps its kind";
}

// A teaching material's own picture, downloaded on first use with a bounded
// wait, or the UI archive's default picture.
namespace {

const QString kPicture = QStringLiteral("pics/material/p1.png");

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

// Every other end of the wait shows the default: a failed download, an
// address that never comes (sixteen rounds of 500 ms stated time, 400 ms at
// twenty times speed) and a stop.
TEST_F(MaterialPictures, TheWaitEndsWithTheDefaultOnAFailureAfterItsRoundsOrOnAStop)
{
    const struct
    {
        const char *picture;
        bool answered;
        bool stop;
        int speed;
        int minMs, maxMs;
        int success; // iDownloadSuccess afterwards
    } cases[] = {
        {"pics/material/missing.png", true, false, 1, 0, 2000, 0},
        {"pics/material/p1.png", false, false, 20, 300, 4000, -1},
        {"pics/material/p1.png", false, true, 1, 0, 2000, -1},
    };
    for (const auto &c : cases) {
        ClockSpeed speed(c.speed);
        answerAddresses = c.answered;
        area->ClearBitmap();
        SetMaterial(QString::fromLatin1(c.picture));
        if (c.stop)
            host.Later([this] { F().bStop = true; });
        QElapsedTimer real;
        real.start();
        F().LoadMaterialContentPic();
        EXPECT_GE(real.elapsed(), c.minMs) << c.picture;
        EXPECT_LT(real.elapsed(), c.maxMs) << c.picture;
        EXPECT_EQ(F().iDownloadSuccess, c.success) << c.picture;
        EXPECT_EQ(Shown(), QColor(Qt::blue)) << c.picture;
    }
    EXPECT_TRUE(LocalFiles().isEmpty());
}

} // namespace
