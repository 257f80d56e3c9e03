// The address reply 14 for packages, pictures and material audio: failures
// and their messages, decoding a fresh package, and addresses that must not
// be downloaded at all.

#include "StoreTestSupport.h"

#include "LogCapture.h"
#include "HeldReader.h"
#include "PackBook.h"
#include "StudyClock.h"
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
        F().PendingPackageKey = kBookUrl;
        F().PendingPackageTitle = QStringLiteral("Book One ");
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
    F().UserBooks.first()->SetPackagePic(QStringLiteral("pics/tile.png"));
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

TEST_F(PackageDownload, AReplyForAnotherPackageIsReportedNotDroppedAndAReplyWithoutKeyIsTaken)
{
    ServePackage(kBookUrl, {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    answerAddresses = false;
    LogCapture log;
    AskForPackage();
    // Another package's address (not a shelf picture): the learner is told.
    host.mod->ReceiveMsg(AddressReply(QStringLiteral("x/other.7z")));
    EXPECT_EQ(Messages().Infos(), QStringList{kFailed});
    EXPECT_EQ(
        log.LinesStartingWith(QStringLiteral("error:ActOnDownloadAddress: the address reply names x/other.7z")).size(),
        1);
    EXPECT_TRUE(LocalFiles().isEmpty());

    // Asked again, the answer comes without "key".
    AskForPackage();
    host.mod->ReceiveMsg(QStringLiteral("{\"apiCode\":14,\"errorCode\":0,\"url\":\"%1\"}")
                             .arg(server.Url(QLatin1Char('/') + kBookUrl).toString()));
    ASSERT_TRUE(WaitUntil([&] { return Page() == pgBook; }, RealMs{15000}));
    EXPECT_EQ(LocalFiles(), QStringList{kPackage});
    EXPECT_EQ(Messages().Infos().size(), 1);
}

TEST_F(PackageDownload, ACourseOpenedWhileTheDownloadedPackageIsDecodedIsTheOneShown)
{
    // Book One is downloaded and its decode held; meanwhile the learner opens
    // Book Two, whose package is current on disk. Book Two must be shown, and
    // Book One's decoder must never write into a book that was replaced.
    ServePackage(kBookUrl, {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    nlohmann::ordered_json two = nlohmann::ordered_json::parse(BookJson(QStringLiteral("5")).toStdString());
    two["bookName"] = "Book Two";
    const QString error = MakePackage(Local(QStringLiteral("data/two.7z")),
                                      {{QStringLiteral("data.json"), QByteArray::fromStdString(two.dump())}});
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    TBookIconFrame *tileTwo = new TBookIconFrame();
    tileTwo->SetGoodsName(QStringLiteral("Book Two"));
    tileTwo->SetUrl(QStringLiteral("x/two.7z"));
    tileTwo->SetCourseType(QStringLiteral("U"));
    tileTwo->SetLessonID(9002);
    F().UserBooks.append(tileTwo);
    const auto answer13 = host.onRequest;
    host.onRequest = [&](const QString &text) {
        if (TestHost::Code(text) == 2101)
            host.Later([this] {
                host.mod->ReceiveMsg(
                    QStringLiteral("{\"apiCode\":2102,\"items\":[{\"lessonId\":9002,\"version\":\"5\"}]}"));
            });
        else
            answer13(text);
    };

    HeldReader reader;
    ASSERT_TRUE(reader.Install());
    LogCapture log;
    bool clicked = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (clicked || !reader.Started())
            return;
        // Book One's decode is under way, inside its wait.
        clicked = true;
        QTimer::singleShot(StudyClock::scaled(300), &poll, [&reader] { reader.Release(); });
        F().StudyMyCourseMouseUp(tileTwo, Qt::LeftButton, 5, 5);
    });
    poll.start();
    AskForPackage();
    ASSERT_TRUE(WaitUntil([&] { return clicked && reader.Released() && F().WorkState == wsIdle && Page() == pgBook; },
                          RealMs{20000}));
    ASSERT_TRUE(F().PackBook);
    EXPECT_EQ(F().PackBook->BookName, QStringLiteral("Book Two"));
    EXPECT_EQ(F().curSelectBook, tileTwo);
    EXPECT_TRUE(Messages().Infos().isEmpty()) << Messages().Infos().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(WaitUntil(
        [&] { return !log.Lines().filter(QStringLiteral("decoded after another course was asked for")).isEmpty(); },
        RealMs{10000}));
}

// A lesson package that cannot be decoded is deleted; a word package is kept.
TEST_F(PackageDownload, PackageThatCannotBeDecodedIsReportedAndOnlyALessonPackageDeleted)
{
    ServePackage(kBookUrl, {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"), "poem")}});
    for (const TLoadType kind : {LTLessonPackage, LTWordPackage}) {
        Messages().Clear();
        LogCapture log;
        AskForPackage(kind);
        ASSERT_TRUE(WaitForOutcome());
        EXPECT_EQ(Messages().Infos(), QStringList{kFailed});
        EXPECT_EQ(Page(), pgHome);
        EXPECT_EQ(QFile::exists(Local(kPackage)), kind == LTWordPackage);
        EXPECT_FALSE(log.LinesStartingWith(QStringLiteral("error:ActOnDownloadAddress")).isEmpty());
    }
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

class RefusedPackageAddress : public PackageDownload, public ::testing::WithParamInterface<const char *>
{};

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

INSTANTIATE_TEST_SUITE_P(LastSegment, RefusedPackageAddress,
                         ::testing::Values("/a/b/", "/a/b/.", "/a/b/..", "/a/b/?name=c.7z"));

TEST_F(PackageDownload, ShelfPictureIsStoredUnderPicsBookAndAFailedOneLeavesNoFileAndNoMessage)
{
    ServeFile(QStringLiteral("pics/book/tile_1.png"), FakeArchive::MakePng(QSize(8, 8), Qt::red));
    EXPECT_TRUE(F().DownloadBookPicture(server.Url(QStringLiteral("/pics/book/tile_1.png")).toString(),
                                        QStringLiteral("pics/book/tile_1.png")));
    EXPECT_EQ(LocalFiles(), QStringList{QStringLiteral("pics/book/tile_1.png")});

    // A picture is not worth a message: the tile keeps its default one.
    EXPECT_FALSE(F().DownloadBookPicture(server.Url(QStringLiteral("/pics/book/none.png")).toString(), QString()));
    EXPECT_EQ(LocalFiles(), QStringList{QStringLiteral("pics/book/tile_1.png")});
    EXPECT_TRUE(Messages().Infos().isEmpty());
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
