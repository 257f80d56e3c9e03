// A book's package over loopback HTTP with real packages: opening it from
// the shelf, with the package on disk checked against the package record and
// the question asked; the address reply 14, its failures and messages,
// decoding a fresh package, and addresses that must not be downloaded.

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

// (The addresses without a usable last segment are the store tests'.)
TEST_F(PackageDownload, AnAddressWithoutAUsableFileNameIsNotDownloadedLoggedAndReported)
{
    ServePackage(QStringLiteral("a/b/x.7z"), {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    addressOverride = QStringLiteral("http://127.0.0.1:%1").arg(server.Port()) + QStringLiteral("/a/b/..");
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

// Opening the book from the shelf: the package on disk against the package
// record, the question, and what is deleted when.
class EnterMyCourse : public PackageDownload
{
protected:
    void SetUp() override
    {
        PackageDownload::SetUp();
        F().MyCourseIndex = 4;
    }
    const QString outdated = QStringLiteral("'Book One'的资源包不是最新版本,是否下载？");
};

TEST_F(EnterMyCourse, IntactPackageOfAnotherVersionAsksAndNoKeepsItAndRestartsTheOwnShelfChain)
{
    ServePackage(QStringLiteral("old.7z"), {{QStringLiteral("data.json"), BookJson(QStringLiteral("4"))}});
    const QByteArray old = ReadFile(Served(QStringLiteral("old.7z")));
    PutLocal(kPackage, old);
    F().isAssignmentSkip = true;
    bool allowedDuringQuestion = true;
    Messages().onAsk = [&] { allowedDuringQuestion = F().isAllowOperate; };
    F().EnterMyCourse();
    ASSERT_EQ(Messages().Questions().size(), 1);
    EXPECT_EQ(Messages().Questions().at(0).text, outdated);
    EXPECT_FALSE(allowedDuringQuestion) << "a second open must not start while the question is open";
    EXPECT_TRUE(F().isAllowOperate);
    EXPECT_EQ(ReadFile(Local(kPackage)), old);
    EXPECT_TRUE(RequestedKeys().isEmpty());
    EXPECT_FALSE(F().isAssignmentSkip);
    EXPECT_EQ(F().MyCourseIndex, 0);
    EXPECT_EQ(Page(), pgHome);
}

TEST_F(EnterMyCourse, YesReplacesTheOldPackageWhichIsGoneBeforeTheDownloadStarts)
{
    ServePackage(QStringLiteral("old.7z"), {{QStringLiteral("data.json"), BookJson(QStringLiteral("4"))}});
    PutLocal(kPackage, ReadFile(Served(QStringLiteral("old.7z"))));
    ServePackage(kBookUrl, {{QStringLiteral("data.json"), BookJson(QStringLiteral("5"))}});
    int existedAtRequest = -1;
    server.SetHandler([&](const THttpRequest &) -> std::optional<THttpResponse> {
        existedAtRequest = QFile::exists(Local(kPackage)) ? 1 : 0;
        return std::nullopt;
    });
    Messages().QueueAnswer(mrYes);
    F().EnterMyCourse();
    ASSERT_TRUE(WaitForOutcome());
    EXPECT_EQ(existedAtRequest, 0);
    EXPECT_EQ(Page(), pgBook);
    EXPECT_EQ(F().PackBook->Version, QStringLiteral("5"));
    EXPECT_EQ(ReadFile(Local(kPackage)), ReadFile(Served(kBookUrl)));
}

TEST_F(EnterMyCourse, BookAddressWithoutAFileNameIsRefusedWithoutQuestionOrRequest)
{
    for (const QString &url : {QStringLiteral("a/b/"), QStringLiteral("a/b/.."), QStringLiteral("a/b/.")}) {
        F().curSelectBook->SetUrl(url);
        Messages().Clear();
        LogCapture log;
        F().EnterMyCourse();
        EXPECT_TRUE(Messages().Questions().isEmpty()) << url.toStdString();
        ASSERT_EQ(Messages().Infos().size(), 1) << url.toStdString();
        EXPECT_TRUE(Messages().Infos().at(0).contains(url));
        EXPECT_EQ(log.LinesStartingWith(QStringLiteral("error:EnterMyCourse")).size(), 1);
        EXPECT_TRUE(F().isAllowOperate);
    }
    EXPECT_TRUE(RequestedKeys().isEmpty());
    EXPECT_TRUE(LocalFiles().isEmpty());
}

} // namespace
