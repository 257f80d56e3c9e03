// End to end with the simulated learning service and the generated sample
// content: the shelf arrives, a click on an own book asks for its package
// record, the package is downloaded over loopback HTTP, decoded and shown;
// a second open finds the package current and opens it without a download.

#include "ServiceSimFixture.h"

#include "PackBook.h"
#include "TBookIconFrame.h"
#include "TTabControl.h"
#include "WaitUntil.h"

#include <QFile>

namespace {

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SampleCourse : public ServiceSimFixture
{
protected:
    void SetUp() override
    {
        ServiceSimFixture::SetUp();
        host.mod->SetUserInfos(host.user);
        ASSERT_TRUE(WaitUntil([this] { return !F().UserBooks.isEmpty(); }, RealMs{20000})) << "the shelf never arrived";
    }
    // Clicks the own book and waits for the book page or a message.
    bool Open(qint64 id)
    {
        for (TBookIconFrame *tile : F().UserBooks)
            if (tile->LessonID() == id) {
                tile->DoBookMouseUp(Qt::LeftButton, Qt::NoModifier, QPointF(5, 5));
                return WaitUntil(
                    [this] { return F().TabControl_Home->TabIndex() == pgBook || !host.message->Infos().isEmpty(); },
                    RealMs{30000});
            }
        ADD_FAILURE() << "no own book " << id;
        return false;
    }
};

TEST_F(SampleCourse, TextbookIsDownloadedOnceThenOpenedFromDisk)
{
    host.message->QueueAnswer(mrYes);
    ASSERT_TRUE(Open(1001));
    EXPECT_TRUE(host.message->Infos().isEmpty()) << host.message->Infos().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(host.message->Questions().size(), 1);
    EXPECT_EQ(host.message->Questions().at(0).text,
              QStringLiteral("'Happy English Book 1'\n的资源包不存在,是否下载？"));
    ASSERT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_EQ(F().PackBook->BookName, QStringLiteral("Happy English Book 1"));
    EXPECT_FALSE(F().PackBook->IsWordBook);
    EXPECT_GE(F().PackBook->Units.size(), 12);
    EXPECT_EQ(Bytes(Client(QStringLiteral("data/happy_english_1.7z"))),
              Bytes(QDir(served).filePath(QStringLiteral("packages/happy_english_1.7z"))));

    // Back on the shelf and open again: the package on disk is current.
    F().Button_ReturnMouseUp();
    ASSERT_EQ(F().TabControl_Home->TabIndex(), pgHome);
    const int addressRequests = int(TestHost::WithCode(host.requests, 13).size());
    ASSERT_TRUE(Open(1001));
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_EQ(host.message->Questions().size(), 1) << "no second question";
    // Picture requests of the shelf may still be counted; no package request.
    for (const TSentText &s : TestHost::WithCode(host.requests, 13).mid(addressRequests))
        EXPECT_FALSE(s.text.contains(QStringLiteral("packages/"))) << s.text.toStdString();
}

TEST_F(SampleCourse, WordBookIsOpenedAsAWordBook)
{
    host.message->QueueAnswer(mrYes);
    ASSERT_TRUE(Open(1002));
    EXPECT_TRUE(host.message->Infos().isEmpty()) << host.message->Infos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(F().NowLoadType, LTWordPackage);
    ASSERT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_TRUE(F().PackBook->IsWordBook);
    EXPECT_TRUE(QFile::exists(Client(QStringLiteral("data/first_words.7z"))));
}

} // namespace
