#include "HttpTransfer.h"
#include "TransferTestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>

using namespace transfer_test;

namespace {

class Upload : public ServerFixture
{
protected:
    QString MakeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = Target(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }
    QWidget owner;
};

} // namespace

TEST_F(Upload, SendsTheFieldsInTheirOrderThenTheFileAndKeepsTheReply)
{
    const QByteArray audio = NoiseBytes(120 * 1024, 5);
    const QString file = MakeFile(QStringLiteral("7_share me.mp3"), audio);
    const QByteArray reply = R"({"errorCode":0,"url":"goodVoice/7/7_share me.mp3","名":"值"})";
    server.SetUploadReply(reply);
    // Not in any sorted order, so that a reordering shows.
    const QList<QPair<QString, QString>> fields = {
        {QStringLiteral("key"), QStringLiteral("goodVoice/7/7_share me.mp3")},
        {QStringLiteral("policy"), QStringLiteral("eyJleHBpcmF0aW9uIjoiMjAzMCJ9")},
        {QStringLiteral("备注"), QStringLiteral("中文 值\r\nsecond line")},
        {QStringLiteral("empty"), QString()},
        {QStringLiteral("Signature"), QStringLiteral("c2ln+/=")},
    };
    QStringList notices;
    THttpTransfer transfer(&owner);
    transfer.SetDoSomething([&](const QString &n) { notices << n; });
    transfer.SetUploadServer(server.Url(QStringLiteral("/oss")).toString());
    for (const auto &f : fields)
        transfer.AddField(f.first, f.second);
    transfer.SetUploadFile(file);
    ASSERT_TRUE(transfer.ShowModal()) << transfer.ErrorText().toStdString();
    EXPECT_EQ(transfer.ResponseText(), QString::fromUtf8(reply));

    ASSERT_EQ(server.Uploads().size(), 1);
    const TRecordedUpload up = server.Uploads().first();
    EXPECT_EQ(up.fields, fields);
    QStringList order;
    for (const auto &f : fields)
        order << f.first;
    order << QStringLiteral("file");
    EXPECT_EQ(up.partOrder, order);
    EXPECT_EQ(up.fileName, QStringLiteral("7_share me.mp3"));
    EXPECT_EQ(up.fileContentType, "audio/mpeg");
    EXPECT_EQ(up.fileBytes, audio);

    ASSERT_FALSE(notices.isEmpty());
    const QJsonObject last = QJsonDocument::fromJson(notices.last().toUtf8()).object();
    EXPECT_EQ(last.value(QStringLiteral("transfer")).toString(), QStringLiteral("upload"));
    EXPECT_EQ(last.value(QStringLiteral("state")).toString(), QStringLiteral("succeeded"));
}

TEST_F(Upload, FailsOnARefusalOrAMissingFileAndStillGivesTheRefusalText)
{
    const QString file = MakeFile(QStringLiteral("a.mp3"), NoiseBytes(2000, 1));
    server.SetUploadReply(R"({"errorCode":3,"errorText":"签名过期"})", 403);
    THttpTransfer refused(&owner);
    refused.SetUploadServer(server.Url(QStringLiteral("/oss")).toString());
    refused.SetUploadFile(file);
    EXPECT_FALSE(refused.ShowModal());
    EXPECT_EQ(refused.ResponseText(), QStringLiteral(R"({"errorCode":3,"errorText":"签名过期"})"));

    const int before = int(server.RequestLog().size());
    THttpTransfer missing(&owner);
    missing.SetUploadServer(server.Url(QStringLiteral("/oss")).toString());
    missing.SetUploadFile(Target(QStringLiteral("gone.mp3")));
    EXPECT_FALSE(missing.ShowModal());
    EXPECT_TRUE(missing.ErrorText().contains(QStringLiteral("gone.mp3")));
    // Nothing went to the server.
    EXPECT_FALSE(WaitUntil([&] { return server.RequestLog().size() > before; }, RealMs{200}));
}
