// End to end with the simulated learning service and the generated sample
// content: the shelf arrives, a click on an own book asks for its package
// record, the package is downloaded over loopback HTTP, decoded and shown;
// a second open finds the package current and opens it without a download.

#include "TestHost.h"

#include "LearningServiceSim.h"
#include "PackBook.h"
#include "TBookIconFrame.h"
#include "TTabControl.h"
#include "WaitUntil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SampleCourse : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        served = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("content"));
        ASSERT_TRUE(sim.Start(served, work.filePath(QStringLiteral("state/service.db")),
                              work.filePath(QStringLiteral("service"))))
            << sim.Error().toStdString();
        sim.SetReplySink([this](const QString &reply) { host.mod->ReceiveMsg(reply); });
        host.onRequest = [this](const QString &text) { sim.Request(text); };
        host.Start(false);
        F().SetMainPath(work.filePath(QStringLiteral("client")) + QLatin1Char('/'));
        host.mod->SetUserInfos(host.user);
        ASSERT_TRUE(WaitUntil([this] { return !F().UserBooks.isEmpty(); }, RealMs{20000})) << "the shelf never arrived";
    }
    TStudyFrame &F() { return *host.Frame(); }
    TBookIconFrame *OwnBook(qint64 id)
    {
        for (TBookIconFrame *tile : F().UserBooks)
            if (tile->LessonID() == id)
                return tile;
        return nullptr;
    }
    bool Open(TBookIconFrame *tile)
    {
        tile->DoBookMouseUp(Qt::LeftButton, Qt::NoModifier, QPointF(5, 5));
        return WaitUntil(
            [this] { return F().TabControl_Home->TabIndex() == pgBook || !host.message->Infos().isEmpty(); },
            RealMs{30000});
    }

    QTemporaryDir work;
    QString served;
    TLearningServiceSim sim;
    TestHost host;
};

TEST_F(SampleCourse, TextbookIsDownloadedOnceThenOpenedFromDisk)
{
    TBookIconFrame *book = OwnBook(1001);
    ASSERT_TRUE(book);
    host.message->QueueAnswer(mrYes);
    ASSERT_TRUE(Open(book));
    EXPECT_TRUE(host.message->Infos().isEmpty()) << host.message->Infos().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(host.message->Questions().size(), 1);
    EXPECT_EQ(host.message->Questions().at(0).text,
              QStringLiteral("'Happy English Book 1'\n的资源包不存在,是否下载？"));
    ASSERT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_EQ(F().PackBook->BookName, QStringLiteral("Happy English Book 1"));
    EXPECT_FALSE(F().PackBook->IsWordBook);
    EXPECT_GE(F().PackBook->Units.size(), 12);
    const QString local = work.filePath(QStringLiteral("client/data/happy_english_1.7z"));
    EXPECT_EQ(Bytes(local), Bytes(QDir(served).filePath(QStringLiteral("packages/happy_english_1.7z"))));

    // Back on the shelf and open again: the package on disk is current.
    F().Button_ReturnMouseUp();
    ASSERT_EQ(F().TabControl_Home->TabIndex(), pgHome);
    const int addressRequests = int(TestHost::WithCode(host.requests, 13).size());
    book = OwnBook(1001);
    ASSERT_TRUE(book);
    ASSERT_TRUE(Open(book));
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_EQ(host.message->Questions().size(), 1) << "no second question";
    EXPECT_EQ(F().PackBook->BookName, QStringLiteral("Happy English Book 1"));
    // Picture requests of the shelf may still be counted; no package request.
    for (const TSentText &s : TestHost::WithCode(host.requests, 13).mid(addressRequests))
        EXPECT_FALSE(s.text.contains(QStringLiteral("packages/"))) << s.text.toStdString();
}

TEST_F(SampleCourse, WordBookIsOpenedAsAWordBook)
{
    TBookIconFrame *book = OwnBook(1002);
    ASSERT_TRUE(book);
    host.message->QueueAnswer(mrYes);
    ASSERT_TRUE(Open(book));
    EXPECT_TRUE(host.message->Infos().isEmpty()) << host.message->Infos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(F().NowLoadType, LTWordPackage);
    ASSERT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_TRUE(F().PackBook->IsWordBook);
    EXPECT_TRUE(QFile::exists(work.filePath(QStringLiteral("client/data/first_words.7z"))));
}

} // namespace
