// The address reply 14 for packages, pictures and material audio: failures
// and their messages, decoding a fresh package, the network notice during a
// package download, and addresses that must not be downloaded at all.

#include "StoreTestSupport.h"

#include "LogCapture.h"
#include "PackBook.h"
#include "TBookIconFrame.h"
#include "TTabControl.h"
#include "WaitUntil.h"

#include <QFile>
#include <QTimer>

namespace {

const QString kBookUrl = QStringLiteral("a/b/c.7z");
const QString kPackage = QStringLiteral("data/c.7z");
const QString kFailed = QStringLiteral("下载Book One 的资源包失败,请重试");

class PackageDownload : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        SelectBook(QStringLiteral("Book One "), kBookUrl);
        SetRecordVersion(QStringLiteral("5"));
    }
    // The state after a Yes to the download question: the address request is out.
    void AskForPackage(TLoadType kind = LTLessonPackage)
    {
        F().NowLoadType = kind;
        F().GetDownLoadURLResource(kBookUrl);
    }
    int Page() { return F().TabControl_Home->TabIndex(); }
};

TEST_F(PackageDownload, FailedDownloadShowsTheFailureAndOpensNothing)
{
    ServePackage(kBookUrl, {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    server.FailWith(QLatin1Char('/') + kBookUrl, 404);
    AskForPackage();
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(Messages().Infos(), QStringList{kFailed});
    EXPECT_EQ(Page(), pgHome);
    EXPECT_TRUE(LocalFiles().isEmpty());
    EXPECT_EQ(F().WorkState, wsIdle);
    EXPECT_TRUE(F().bFllowDownload);
}

TEST_F(PackageDownload, AnEarlierPictureAddressArrivingAfterTheBookWasOpenedIsNotTakenForThePackage)
{
    ServePackage(kBookUrl, {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    ServeFile(QStringLiteral("pics/tile.png"), QByteArray("not a package"));
    answerAddresses = false;
    AskForPackage();
    // The shelf's picture address, asked for before the book was opened,
    // arrives first; then the package's own.
    host.mod->ReceiveMsg(AddressReply(QStringLiteral("pics/tile.png")));
    EXPECT_TRUE(Messages().Infos().isEmpty()) << Messages().Infos().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(LocalFiles().isEmpty());
    EXPECT_EQ(Page(), pgHome);
    host.mod->ReceiveMsg(AddressReply(kBookUrl));
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(Page(), pgBook);
    EXPECT_EQ(LocalFiles(), QStringList{kPackage});
    EXPECT_EQ(ReadFile(Local(kPackage)), ReadFile(Served(kBookUrl)));
}

TEST_F(PackageDownload, LessonPackageThatCannotBeDecodedIsReportedAndDeleted)
{
    ServePackage(kBookUrl, {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"), "poem")}});
    LogCapture log;
    AskForPackage(LTLessonPackage);
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(Messages().Infos(), QStringList{kFailed});
    EXPECT_EQ(Page(), pgHome);
    EXPECT_FALSE(QFile::exists(Local(kPackage)));
    EXPECT_FALSE(log.LinesStartingWith(QStringLiteral("error:ActOnDownloadAddress")).isEmpty());
}

TEST_F(PackageDownload, WordPackageThatCannotBeDecodedIsReportedAndKept)
{
    ServePackage(kBookUrl, {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"), "poem")}});
    AskForPackage(LTWordPackage);
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(Messages().Infos(), QStringList{kFailed});
    EXPECT_EQ(Page(), pgHome);
    EXPECT_TRUE(QFile::exists(Local(kPackage)));
}

TEST_F(PackageDownload, AddressNamingAnotherFileStillStoresThePackageUnderTheBookName)
{
    ServePackage(QStringLiteral("dl/xyz.7z"), {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    addressOverride = server.Url(QStringLiteral("/dl/xyz.7z")).toString() + QStringLiteral("?sig=42");
    AskForPackage();
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_TRUE(Messages().Infos().isEmpty());
    EXPECT_EQ(Page(), pgBook);
    EXPECT_EQ(LocalFiles(), QStringList{kPackage});
}

TEST_F(PackageDownload, NetworkNoticeDuringThePackageDownloadWarnsAndLeavesThePictureCursors)
{
    ServePackage(kBookUrl, {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    server.Stall(QLatin1Char('/') + kBookUrl, 10);
    F().MyCourseIndex = 3;
    F().MaterialsIndex = 2;
    F().RecommandIndex = 1;
    F().MyCourse_OutsideIndex = 5;
    bool noticeSent = false;
    bool downloadRunningAtNotice = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (noticeSent || server.StalledCount() == 0)
            return;
        noticeSent = true;
        downloadRunningAtNotice = !F().bFllowDownload && F().WorkState == wsBusy;
        host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":99999}"));
        server.ReleaseStalled();
    });
    poll.start();
    AskForPackage();
    ASSERT_TRUE(WaitUntil([&] { return F().TabControl_Home->TabIndex() == pgBook; }, RealMs{15000}));
    EXPECT_TRUE(noticeSent);
    EXPECT_TRUE(downloadRunningAtNotice);
    EXPECT_EQ(Messages().Infos(), QStringList{QStringLiteral("网络故障，请检查网络")});
    EXPECT_EQ(F().MyCourseIndex, 3);
    EXPECT_EQ(F().MaterialsIndex, 2);
    EXPECT_EQ(F().RecommandIndex, 1);
    EXPECT_EQ(F().MyCourse_OutsideIndex, 5);
}

class RefusedPackageAddress : public PackageDownload, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(RefusedPackageAddress, IsNotDownloadedLoggedAndReported)
{
    ServePackage(QStringLiteral("a/b/x.7z"), {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    addressOverride = QStringLiteral("http://127.0.0.1:%1").arg(server.Port()) + QString::fromLatin1(GetParam());
    LogCapture log;
    AskForPackage();
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(Messages().Infos(), QStringList{kFailed});
    const QStringList refused = log.LinesStartingWith(QStringLiteral("error:DownLoadBookPackage: refused address"));
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused.at(0).endsWith(addressOverride));
    EXPECT_TRUE(server.RequestLog().isEmpty());
    EXPECT_TRUE(LocalFiles().isEmpty());
    EXPECT_EQ(Page(), pgHome);
}

INSTANTIATE_TEST_SUITE_P(LastSegment, RefusedPackageAddress, ::testing::Values("/a/b/", "/a/b/.", "/a/b/..", "/a/b/?name=c.7z"));

TEST_F(PackageDownload, ShelfPictureIsStoredUnderPicsBookAndAnAddressWithoutNameIsRefused)
{
    ServeFile(QStringLiteral("pics/book/tile_1.png"), FakeArchive::MakePng(QSize(8, 8), Qt::red));
    EXPECT_TRUE(F().DownloadBookPicture(server.Url(QStringLiteral("/pics/book/tile_1.png")).toString(),
                                        QStringLiteral("pics/book/tile_1.png")));
    EXPECT_EQ(LocalFiles(), QStringList{QStringLiteral("pics/book/tile_1.png")});

    LogCapture log;
    const QString bad = QStringLiteral("http://127.0.0.1:%1/pics/book/..").arg(server.Port());
    const int before = int(server.RequestLog().size());
    EXPECT_FALSE(F().DownloadBookPicture(bad, QStringLiteral("pics/book/..")));
    EXPECT_EQ(server.RequestLog().size(), before);
    EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:DownloadBookPicture: refused address")).size(), 1);
    EXPECT_EQ(Messages().Infos().size(), 1);
    EXPECT_EQ(LocalFiles(), QStringList{QStringLiteral("pics/book/tile_1.png")});

    EXPECT_FALSE(F().DownloadBookPicture(server.Url(QStringLiteral("/pics/book/none.png")).toString(), QString()));
    EXPECT_EQ(LocalFiles(), QStringList{QStringLiteral("pics/book/tile_1.png")});
}

TEST_F(PackageDownload, MaterialAudioGoesToDataAndItsFailureNamesTheMaterial)
{
    auto *material = new TBookIconFrame();
    material->SetGoodsName(QStringLiteral("春晓"));
    F().Materials.append(material);
    F().curSelectMaterialsIndex = 0;
    ServeFile(QStringLiteral("audio/material/m1.mp3"), QByteArray(3000, 'm'));

    F().NowLoadType = LTMaterialVoic;
    F().GetDownLoadURLResource(QStringLiteral("audio/material/m1.mp3"));
    ASSERT_TRUE(WaitUntil([&] { return QFile::exists(Local(QStringLiteral("data/m1.mp3"))); }, RealMs{10000}));
    EXPECT_TRUE(Messages().Infos().isEmpty());

    F().NowLoadType = LTMaterialVoic;
    F().GetDownLoadURLResource(QStringLiteral("audio/material/gone.mp3"));
    ASSERT_TRUE(WaitUntil([&] { return !Messages().Infos().isEmpty(); }, RealMs{10000}));
    EXPECT_EQ(Messages().Infos(), QStringList{QStringLiteral("下载春晓 的资源包失败,请重试")});
    EXPECT_EQ(LocalFiles(), QStringList{QStringLiteral("data/m1.mp3")});
}

} // namespace
