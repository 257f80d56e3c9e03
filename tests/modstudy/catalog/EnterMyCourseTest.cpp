// Opening a book's package from the shelf: the package on disk against the
// package record, the questions, what is deleted when, and the download that
// follows a Yes, over loopback HTTP with real packages.

#include "StoreTestSupport.h"

#include "LogCapture.h"
#include "PackBook.h"
#include "TBookIconFrame.h"
#include "TTabControl.h"
#include "WaitUntil.h"

#include <QFile>

namespace {

const QString kBookUrl = QStringLiteral("a/b/c.7z");
const QString kPackage = QStringLiteral("data/c.7z");

class EnterMyCourse : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        SelectBook(QStringLiteral(" Book One "), kBookUrl);
        SetRecordVersion(QStringLiteral("5"));
        F().MyCourseIndex = 4;
    }
    int Page() { return F().TabControl_Home->TabIndex(); }
    const QString outdated = QStringLiteral("'Book One'的资源包不是最新版本,是否下载？");
    const QString missing = QStringLiteral("'Book One'\n的资源包不存在,是否下载？");
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

// An intact package without its description stays until the learner
// answers (No here); an unreadable one is gone before the question.
TEST_F(EnterMyCourse, OnlyAnUnreadablePackageIsDeletedBeforeTheQuestion)
{
    ServePackage(QStringLiteral("nodesc.7z"), {{QStringLiteral("pics/l1.png"), QByteArray("picture")}});
    const QByteArray undescribed = ReadFile(Served(QStringLiteral("nodesc.7z")));
    for (const QByteArray &bytes : {undescribed, QByteArray("half a download")}) {
        PutLocal(kPackage, bytes);
        Messages().Clear();
        bool existedWhenAsked = false;
        Messages().onAsk = [&] { existedWhenAsked = QFile::exists(Local(kPackage)); };
        F().EnterMyCourse();
        ASSERT_EQ(Messages().Questions().size(), 1);
        EXPECT_EQ(Messages().Questions().at(0).text, outdated);
        EXPECT_EQ(existedWhenAsked, bytes == undescribed);
        EXPECT_EQ(ReadFile(Local(kPackage)), bytes == undescribed ? bytes : QByteArray());
    }
}

TEST_F(EnterMyCourse, GuardKeepsASecondRunOutAndNothingRunsWithoutABook)
{
    F().isAllowOperate = false;
    F().EnterMyCourse();
    EXPECT_TRUE(Messages().Questions().isEmpty());
    EXPECT_FALSE(F().isAllowOperate);

    F().isAllowOperate = true;
    F().curSelectBook = nullptr;
    F().EnterMyCourse();
    EXPECT_TRUE(Messages().Questions().isEmpty());
    EXPECT_TRUE(RequestedKeys().isEmpty());
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
