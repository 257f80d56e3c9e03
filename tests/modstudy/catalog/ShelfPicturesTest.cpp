// The picture chain: one address request at a time across the five lists
// in their order, pictures shown from the download or from the UI archive,
// a failed download leaving the default picture, and the ways the chain
// stops and starts again. (That a picture already on disk is not asked for
// shows in the scenario runs with a kept main path.)

#include "ShelfTestSupport.h"
#include "StoreTestSupport.h"

#include "WaitUntil.h"

#include "TButton.h"
#include "TRectangle.h"
#include "TTabControl.h"

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
    Serve(QStringLiteral("pics/r1.png"));
    Serve(QStringLiteral("pics/o1.png"));
    Serve(QStringLiteral("pics/x1.png"));
    Serve(QStringLiteral("pics/m1.png"));
    Serve(QStringLiteral("pics/g2.png"));
    // pics/missing.png is not served: its download fails.
    Deliver({.recent = ordered_json::array({Book(1, "R", "L", "pics/r1.png")}),
             .own = ordered_json::array({Book(1, "R", "L", "pics/o1.png"), Book(2, "No picture", "W")}),
             .outside = ordered_json::array({Book(3, "X", "X", "pics/x1.png")}),
             .self = ordered_json::array({Material(4, "M", "pics/m1.png")}),
             .recommended =
                 ordered_json::array({Goods(3001, "G1", "pics/missing.png"), Goods(3002, "G2", "pics/g2.png")})});

    ASSERT_TRUE(Settled(6));
    EXPECT_EQ(keys, (QStringList{"pics/r1.png", "pics/o1.png", "pics/x1.png", "pics/m1.png", "pics/missing.png",
                                 "pics/g2.png"}));
    EXPECT_EQ(overlapping, 0);
    EXPECT_EQ(Centre(F().UserBooks_Usually[0]), kServed);
    EXPECT_EQ(Centre(F().UserBooks[0]), kServed);
    EXPECT_EQ(Centre(F().UserBooks[1]), kDefault) << "a tile without picture key shows the default";
    EXPECT_EQ(Centre(F().UserBooks_Outside[0]), kServed);
    EXPECT_EQ(Centre(F().Materials[0]), kServed);
    EXPECT_EQ(Centre(F().RecommandGoods[0]), kDefault) << "failed download";
    EXPECT_EQ(Centre(F().RecommandGoods[1]), kServed) << "the chain went on after the failure";
    EXPECT_TRUE(QFile::exists(Local(QStringLiteral("pics/book/g2.png"))));
    // The chain is over: nothing more is asked for.
    EXPECT_FALSE(WaitUntil([&] { return keys.size() > 6; }, RealMs{300}));
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

TEST_F(ShelfPictures, RefusedAddressesLeaveTheDefaultTheChainGoesOnAndTheErrorShowsOncePerShelf)
{
    Serve(QStringLiteral("pics/b.png"));
    refused << QStringLiteral("pics/a.png") << QStringLiteral("pics/c.png") << QStringLiteral("pics/d.png");
    const TShelf shelf{.own = ordered_json::array({Book(1, "A", "L", "pics/a.png"), Book(2, "B", "L", "pics/b.png"),
                                                   Book(3, "C", "L", "pics/c.png"), Book(4, "D", "L", "pics/d.png")})};
    Deliver(shelf);
    ASSERT_TRUE(Settled(4));
    EXPECT_EQ(keys, (QStringList{"pics/a.png", "pics/b.png", "pics/c.png", "pics/d.png"}));
    EXPECT_EQ(host.message->Infos(), QStringList{QStringLiteral("资源不存在")});
    EXPECT_EQ(Centre(F().UserBooks[0]), kDefault);
    EXPECT_EQ(Centre(F().UserBooks[1]), kServed);
    EXPECT_EQ(Centre(F().UserBooks[3]), kDefault);
    EXPECT_EQ(overlapping, 0);

    // The next shelf reply may tell the learner again, once.
    Deliver(shelf);
    ASSERT_TRUE(Settled(7));
    EXPECT_EQ(host.message->Infos().size(), 2);
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

TEST_F(ShelfPictures, AShelfButtonRestartsTheChainsANetworkFailureEnded)
{
    autoAnswer = false;
    Deliver({.own = ordered_json::array({Book(1, "A", "L", "pics/a.png")})});
    ASSERT_EQ(keys, QStringList{"pics/a.png"});
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":99999}"));
    ASSERT_EQ(F().MyCourseIndex, 2147483647);
    pending = false;
    ClickMiddle(F().Button_MyBook);
    EXPECT_EQ(F().MyCourseIndex, 0);
    EXPECT_EQ(keys, (QStringList{"pics/a.png", "pics/a.png"}));
}
