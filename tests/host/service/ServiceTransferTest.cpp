// Transfers on the simulator's HTTP server that no scenario makes: speech,
// and the requests it must refuse. (Downloads of packages and pictures and
// the module's upload are the scenarios'.)

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

// The module's own upload (the address, then every field in order) is
// passage_reading's; a form without its key is refused.
TEST_F(ServiceTransferTest, AnUploadWithoutItsKeyIsRefused)
{
    const QString file = m_dir.filePath(QStringLiteral("voice.mp3"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("ID3 recorded voice bytes"));
    }
    THttpTransfer keyless(&owner);
    keyless.SetUploadServer(m_sim.HttpServer()->Url(QStringLiteral("/upload")).toString());
    keyless.AddField(QStringLiteral("uid"), QString::number(kUid));
    keyless.SetUploadFile(file);
    EXPECT_FALSE(keyless.ShowModal());
    EXPECT_EQ(m_sim.State().UploadCount(), 0);
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
