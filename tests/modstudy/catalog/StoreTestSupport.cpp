#include "StoreTestSupport.h"

#include "ResourcePackageInfo.h"
#include "TBookIconFrame.h"
#include "TTabControl.h"
#include "WaitUntil.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QByteArray BookJson(const QString &version, const char *bookType)
{
    const nlohmann::ordered_json book = {
        {"version", version.toStdString()},
        {"bookId", 9001},
        {"bookName", "Book One"},
        {"bookType", bookType},
        {"Units", nlohmann::ordered_json::array(
                      {{{"unitId", 11}, {"unitName", "Unit 1"}, {"lessons", nlohmann::ordered_json::array()}}})}};
    return QByteArray::fromStdString(book.dump());
}

void StoreTest::SetUp()
{
    ASSERT_TRUE(mainDir.isValid());
    ASSERT_TRUE(served.isValid());
    host.message = messages;
    host.Start(false);
    F().SetMainPath(mainDir.path() + QLatin1Char('/'));
    server.SetRoot(served.path());
    ASSERT_TRUE(server.Listen());
    host.onRequest = [this](const QString &text) {
        if (TestHost::Code(text) != 13 || !answerAddresses)
            return;
        const auto j = nlohmann::ordered_json::parse(text.toStdString());
        const QString key = QString::fromStdString(j.value("key", std::string()));
        host.Later([this, key] { host.mod->ReceiveMsg(AddressReply(key)); });
    };
}

void StoreTest::ServePackage(const QString &relative, const QList<TestEntry> &entries)
{
    const QString path = Served(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString error = MakePackage(path, entries);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
}

void StoreTest::ServeFile(const QString &relative, const QByteArray &bytes)
{
    const QString path = Served(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void StoreTest::PutLocal(const QString &relative, const QByteArray &bytes)
{
    const QString path = Local(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList StoreTest::LocalFiles() const
{
    QStringList files;
    QDirIterator it(mainDir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(mainDir.path()).relativeFilePath(it.next());
    // The frame's own result store is not a download.
    files.removeIf([](const QString &f) { return f.startsWith(QLatin1String("config/")); });
    files.sort();
    return files;
}

TBookIconFrame *StoreTest::SelectBook(const QString &name, const QString &url, const QString &courseType)
{
    auto *tile = new TBookIconFrame();
    tile->SetGoodsName(name);
    tile->SetLessonName(name);
    tile->SetUrl(url);
    tile->SetCourseType(courseType);
    tile->SetLessonID(9001);
    F().UserBooks.append(tile);
    F().bStop = false;
    F().bStopDownloadBookPicture = true;
    F().curSelectBook = tile;
    return tile;
}

void StoreTest::SetRecordVersion(const QString &version)
{
    auto info = std::make_shared<TResourcePackageInfo>();
    info->Fversion = version;
    info->FlessonId = 9001;
    F().SetResourcePackageInfo(info);
}

QString StoreTest::AddressReply(const QString &key) const
{
    const QString url = addressOverride.isEmpty() ? server.Url(QLatin1Char('/') + key).toString() : addressOverride;
    nlohmann::ordered_json reply = {
        {"apiCode", 14}, {"errorCode", 0}, {"url", url.toStdString()}, {"key", key.toStdString()}};
    return QString::fromStdString(reply.dump());
}

QStringList StoreTest::RequestedKeys() const
{
    QStringList keys;
    for (const TSentText &s : TestHost::WithCode(host.requests, 13)) {
        const auto j = nlohmann::ordered_json::parse(s.text.toStdString());
        keys << QString::fromStdString(j.value("key", std::string()));
    }
    return keys;
}

bool StoreTest::WaitForOutcome(int realMs)
{
    return WaitUntil([this] { return F().TabControl_Home->TabIndex() == pgBook || !messages->Infos().isEmpty(); },
                     RealMs{realMs});
}
