// Addresses handed out by the simulator lead to real transfers on its HTTP
// server: downloads of served files and speech, uploads recorded in its state.

#include "HttpTransfer.h"
#include "LocalHttpServer.h"
#include "ServiceTestSupport.h"

#include <QFile>
#include <QWidget>

using namespace service_test;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ServiceTransferTest : public ServiceTest
{
protected:
    bool Download(const QString &url, const QString &target)
    {
        THttpTransfer transfer(&owner);
        transfer.SetDownloadURL(url);
        transfer.SetSaveFile(target);
        const bool ok = transfer.DownloadingQuiet();
        EXPECT_EQ(ok, transfer.Succeeded()) << transfer.ErrorText().toStdString();
        return ok;
    }
    QWidget owner;
};

TEST_F(ServiceTransferTest, DownloadAddressIsServedWithTheFilesBytes)
{
    for (const char *key :
         {"packages/happy_english_1.7z", "pics/book/tile_1002.png", "audio/material/material_2001.mp3"}) {
        SCOPED_TRACE(key);
        const json r = Ask(Request::GetDownLoadURLResource(Learner(), QString::fromLatin1(key)));
        ASSERT_EQ(r.value("errorCode", -1), 0) << r.dump();
        EXPECT_EQ(r["key"].get<std::string>(), key);
        const QString url = QString::fromStdString(r["url"].get<std::string>());
        EXPECT_TRUE(url.startsWith(QStringLiteral("http://127.0.0.1:") + QString::number(m_sim.HttpServer()->Port())))
            << url.toStdString();
        // The module names the file by the address's last segment.
        EXPECT_TRUE(url.endsWith(QString::fromLatin1(key).section(QLatin1Char('/'), -1)));

        const QString target =
            m_dir.filePath(QStringLiteral("down/") + QString::fromLatin1(key).section(QLatin1Char('/'), -1));
        ASSERT_TRUE(Download(url, target));
        const QByteArray expected = ReadAll(QDir(ServedFolder()).filePath(QString::fromLatin1(key)));
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(ReadAll(target), expected);
    }
    // A key written with back-slashes names the same file.
    const json r = Ask(Request::GetDownLoadURLResource(Learner(), QStringLiteral("pics\\book\\tile_1001.png")));
    EXPECT_EQ(r.value("errorCode", -1), 0) << r.dump();
}

TEST_F(ServiceTransferTest, UploadAddressTakesTheFormAndTheStateRecordsItButNotWithoutAKey)
{
    const json r = Ask(Request::GetUpLoadURLResource(Learner(), QStringLiteral("voice-42")));
    ASSERT_EQ(r.value("errorCode", -1), 0) << r.dump();
    const QString file = m_dir.filePath(QStringLiteral("voice.mp3"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("ID3 recorded voice bytes"));
    }
    // The form without its key is refused.
    THttpTransfer keyless(&owner);
    keyless.SetUploadServer(m_sim.HttpServer()->Url(QStringLiteral("/upload")).toString());
    keyless.AddField(QStringLiteral("uid"), QString::number(kUid));
    keyless.SetUploadFile(file);
    EXPECT_FALSE(keyless.ShowModal());
    EXPECT_EQ(m_sim.State().UploadCount(), 0);

    // The way the module uploads: the address, then every field in order.
    THttpTransfer transfer(&owner);
    transfer.SetUploadServer(QString::fromStdString(r["uploadurl"].get<std::string>()));
    for (const auto &[name, value] : r["fields"].items())
        transfer.AddField(QString::fromStdString(name), QString::fromStdString(value.get<std::string>()));
    transfer.SetUploadFile(file);
    ASSERT_TRUE(transfer.ShowModal()) << transfer.ErrorText().toStdString();
    EXPECT_TRUE(m_sim.State().HasUpload(QStringLiteral("voice-42")));
    EXPECT_EQ(m_sim.State().UploadCount(), 1);
}

TEST_F(ServiceTransferTest, SpeechIsSpokenIntoAServedWaveFile)
{
    const json r = Ask(Request::GetTTSAudio(QStringLiteral("banana")));
    ASSERT_EQ(r.value("errorCode", -1), 0) << r.dump();
    const QString target = m_dir.filePath(QStringLiteral("tts.wav"));
    ASSERT_TRUE(Download(QString::fromStdString(r["url"].get<std::string>()), target));
    const QByteArray wav = ReadAll(target);
    ASSERT_GT(wav.size(), 1000);
    EXPECT_TRUE(wav.startsWith("RIFF"));
    EXPECT_EQ(wav.mid(8, 4), QByteArray("WAVE"));
    // The same text gives the same address; another text another one.
    EXPECT_EQ(Ask(Request::GetTTSAudio(QStringLiteral("banana")))["url"], r["url"]);
    EXPECT_NE(Ask(Request::GetTTSAudio(QStringLiteral("apple")))["url"], r["url"]);
    // Only speech files are served from the speech folder.
    EXPECT_FALSE(Download(m_sim.HttpServer()->Url(QStringLiteral("/speech/..%2Fstate%2Fservice.db")).toString(),
                          m_dir.filePath(QStringLiteral("x"))));
}

} // namespace
