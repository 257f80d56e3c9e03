#include "HttpTransfer.h"
#include "LogCapture.h"
#include "TransferTestSupport.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

using namespace transfer_test;

namespace {

// Collects the notices of a transfer.
struct NoticeLog
{
    TGetStrProc Sink()
    {
        return [this](const QString &text) { notices.append(QJsonDocument::fromJson(text.toUtf8()).object()); };
    }
    QString State(qsizetype i) const { return notices.value(i).value(QStringLiteral("state")).toString(); }
    QList<QJsonObject> notices;
};

class Download : public ServerFixture
{
protected:
    void SetUp() override
    {
        ServerFixture::SetUp();
        owner = std::make_unique<QWidget>();
    }
    std::unique_ptr<QWidget> owner;
};

} // namespace

TEST_F(Download, QuietAndModalRunsStoreTheExactBytesAndReportToTheSink)
{
    const QByteArray body = NoiseBytes(300 * 1024, 1);
    const QString url = Serve(QStringLiteral("pack.7z"), body);
    for (const bool modal : {false, true}) {
        SCOPED_TRACE(modal ? "modal" : "quiet");
        const QString file = Target(modal ? QStringLiteral("m.7z") : QStringLiteral("q.7z"));
        NoticeLog log;
        THttpTransfer transfer(owner.get());
        transfer.SetDoSomething(log.Sink());
        transfer.SetDownloadURL(url);
        transfer.SetSaveFile(file);
        // A timer sees the window only if events run during the modal call.
        bool sawWindow = false;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, &probe,
                         [&] { sawWindow = sawWindow || (transfer.isVisible() && transfer.isModal()); });
        probe.start(1);
        const bool ok = modal ? transfer.ShowModal() : transfer.DownloadingQuiet();
        EXPECT_TRUE(ok);
        EXPECT_TRUE(transfer.Succeeded());
        EXPECT_EQ(ReadFile(file), body);
        EXPECT_EQ(sawWindow, modal);
        EXPECT_FALSE(transfer.isVisible());
        ASSERT_GE(log.notices.size(), 2);
        EXPECT_EQ(log.State(0), QStringLiteral("started"));
        EXPECT_EQ(log.State(log.notices.size() - 1), QStringLiteral("succeeded"));
        EXPECT_EQ(log.notices.last().value(QStringLiteral("bytes")).toInteger(), body.size());
    }
    EXPECT_EQ(Entries(target.path()), (QStringList{QStringLiteral("m.7z"), QStringLiteral("q.7z")}));
}

TEST_F(Download, AFailureLeavesNoFileUnderTheTargetNameAndKeepsAnExistingOne)
{
    const QByteArray body = NoiseBytes(200 * 1024, 7);
    for (const char *name : {"missing.7z", "cut.7z", "loop.7z"})
        Serve(QString::fromLatin1(name), body);
    server.FailWith(QStringLiteral("/missing.7z"), 404);
    server.Truncate(QStringLiteral("/cut.7z"), 150 * 1024);
    server.Redirect(QStringLiteral("/loop.7z"), QStringLiteral("/loop.7z"));
    for (const char *name : {"missing.7z", "cut.7z", "loop.7z"}) {
        for (const bool existing : {false, true}) {
            SCOPED_TRACE(testing::Message() << name << (existing ? " over an existing file" : ""));
            const QString file = Target(QStringLiteral("pack.7z"));
            QFile::remove(file);
            if (existing) {
                ASSERT_TRUE(WriteFile(file, "the good old package"));
            }
            LogCapture logs;
            NoticeLog notices;
            THttpTransfer transfer(owner.get());
            transfer.SetDoSomething(notices.Sink());
            transfer.SetDownloadURL(server.Url(QLatin1Char('/') + QString::fromLatin1(name)).toString());
            transfer.SetSaveFile(file);
            EXPECT_FALSE(transfer.ShowModal());
            EXPECT_EQ(logs.LinesStartingWith(QStringLiteral("error:")).size(), 1);
            EXPECT_EQ(notices.State(notices.notices.size() - 1), QStringLiteral("failed"));
            EXPECT_EQ(Entries(target.path()), existing ? QStringList{QStringLiteral("pack.7z")} : QStringList());
            if (existing) {
                EXPECT_EQ(ReadFile(file), "the good old package");
            }
        }
    }
}

TEST_F(Download, CreatesMissingFoldersAndFollowsRedirects)
{
    const QByteArray body = NoiseBytes(5000, 3);
    Serve(QStringLiteral("files/new.png"), body);
    server.Redirect(QStringLiteral("/old.png"), server.Url(QStringLiteral("/files/new.png")).toString());
    THttpTransfer transfer(owner.get());
    transfer.SetDownloadURL(server.Url(QStringLiteral("/old.png")).toString());
    const QString file = Target(QStringLiteral("pics/book/new.png"));
    transfer.SetSaveFile(file);
    ASSERT_TRUE(transfer.DownloadingQuiet()) << transfer.ErrorText().toStdString();
    EXPECT_EQ(ReadFile(file), body);
}

TEST_F(Download, GivesUpWhenNoByteArrivesForThirtySeconds)
{
    ClockSpeed fast(100); // 30 s stated time is 0.3 s
    Serve(QStringLiteral("a.bin"), NoiseBytes(10000, 1));
    server.Stall(QStringLiteral("/a.bin"), 500); // after the first bytes
    THttpTransfer transfer(owner.get());
    transfer.SetDownloadURL(server.Url(QStringLiteral("/a.bin")).toString());
    transfer.SetSaveFile(Target(QStringLiteral("a.bin")));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(transfer.DownloadingQuiet());
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_TRUE(transfer.ErrorText().contains(QStringLiteral("no data for 30 s")))
        << transfer.ErrorText().toStdString();
    EXPECT_TRUE(Entries(target.path()).isEmpty());
}

TEST_F(Download, ReturnsSafelyWhenTheOwnerIsDeletedDuringTheRun)
{
    const QString url = Serve(QStringLiteral("held.bin"), NoiseBytes(4000, 1));
    server.Stall(QStringLiteral("/held.bin"), 100);
    // Modal and deleted from a timer, or quiet and deleted by its own sink.
    for (const bool modal : {true, false}) {
        SCOPED_TRACE(modal ? "modal, by a timer" : "quiet, by the sink");
        QPointer<QWidget> doomed = new QWidget;
        QPointer<THttpTransfer> transfer = new THttpTransfer(doomed);
        transfer->SetDownloadURL(url);
        transfer->SetSaveFile(Target(QStringLiteral("held.bin")));
        QTimer timer;
        if (modal) {
            QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
                if (server.StalledCount() > 0)
                    delete doomed.data();
            });
            timer.start(5);
        } else {
            transfer->SetDoSomething([&](const QString &text) {
                if (text.contains(QStringLiteral("\"running\"")))
                    delete doomed.data();
            });
        }
        EXPECT_FALSE(modal ? transfer->ShowModal() : transfer->DownloadingQuiet());
        EXPECT_TRUE(transfer.isNull());
        // The partial download went with it.
        EXPECT_TRUE(WaitUntil([&] { return Entries(target.path()).isEmpty(); }, RealMs{10000}));
        server.ReleaseStalled();
    }
}

TEST_F(Download, CancelOrClosingTheWindowEndsTheTransferAsFailed)
{
    const QString url = Serve(QStringLiteral("held.bin"), NoiseBytes(4000, 1));
    server.Stall(QStringLiteral("/held.bin"), 100);
    THttpTransfer transfer(owner.get());
    transfer.SetDownloadURL(url);
    transfer.SetSaveFile(Target(QStringLiteral("held.bin")));
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
        if (server.StalledCount() > 0 && transfer.isVisible())
            transfer.reject(); // what Escape and the close button do
    });
    timer.start(5);
    EXPECT_FALSE(transfer.ShowModal());
    EXPECT_TRUE(transfer.ErrorText().startsWith(QStringLiteral("cancelled"))) << transfer.ErrorText().toStdString();
    EXPECT_TRUE(Entries(target.path()).isEmpty());
}
