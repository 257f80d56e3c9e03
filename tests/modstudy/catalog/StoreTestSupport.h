#pragma once
// A frame with a private main path, a loopback HTTP server serving a folder
// of real packages, and a host that answers every download-address request
// (13) with an address on that server, as the service does.

#include "TestHost.h"

#include "LocalHttpServer.h"
#include "PackageMaker.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <functional>

// A lesson book's "data.json": one unit without lessons, or, with
// `bookType` other than "lesson"/"word", one the book model refuses.
QByteArray BookJson(const QString &version, const char *bookType = "lesson");

// The whole content of a file; empty when it cannot be read.
QByteArray ReadFile(const QString &path);

// Records whether chosen files exist at the moment a question is asked.
class WatchingMessages : public FakeCustomMessage
{
public:
    std::function<void()> onAsk;
    int AskQuestion(const QString &text, int buttons) override
    {
        if (onAsk)
            onAsk();
        return FakeCustomMessage::AskQuestion(text, buttons);
    }
};

class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override;

    TStudyFrame &F() { return *host.Frame(); }
    WatchingMessages &Messages() { return *messages; }

    // A file below the served folder or the main path ("a/b/c.7z").
    QString Served(const QString &relative) const { return served.filePath(relative); }
    QString Local(const QString &relative) const { return mainDir.filePath(relative); }
    // Makes a package below the served folder; false (with a failure) when
    // the packer complained.
    void ServePackage(const QString &relative, const QList<TestEntry> &entries);
    void ServeFile(const QString &relative, const QByteArray &bytes);
    // Writes a local file below the main path.
    void PutLocal(const QString &relative, const QByteArray &bytes);
    // Files anywhere below the main path, relative, sorted.
    QStringList LocalFiles() const;

    // A book tile on the own shelf, selected as a click on it would.
    TBookIconFrame *SelectBook(const QString &name, const QString &url,
                               const QString &courseType = QStringLiteral("U"));
    // The package record of the course being opened.
    void SetRecordVersion(const QString &version);

    // The address reply for a key: the server's address of `path`, or of
    // the key itself when the address is not overridden.
    QString AddressReply(const QString &key) const;
    // Keys of the download-address requests sent so far.
    QStringList RequestedKeys() const;

    // Waits until the frame shows the book page or a message was shown.
    bool WaitForOutcome(int realMs = 15000);

    QTemporaryDir mainDir;
    QTemporaryDir served;
    LocalHttpServer server;
    std::shared_ptr<WatchingMessages> messages = std::make_shared<WatchingMessages>();
    TestHost host;
    // Answer 13 requests (off: the address never arrives).
    bool answerAddresses = true;
    // When set, the address sent for any key (absolute text).
    QString addressOverride;
};
