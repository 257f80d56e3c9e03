// The host's parts that work without a module: silent recordings, notice
// texts built from the catalog, and the quiet sound engine's timing.

#include "HostNotices.h"
#include "StandInEngines.h"

#include "ServiceCatalog.h"
#include "TeduLastAssignMent.h"

#include "WaitUntil.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

using json = nlohmann::ordered_json;

quint32 U32(const QByteArray &b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 U16(const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

TEST(HostParts, SilentWavIsA16kMono16BitPcmFileOfTheAskedLength)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/rec.wav"));
    ASSERT_TRUE(WriteSilentWav(file, 0.5));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    ASSERT_EQ(b.size(), 44 + 16000);
    EXPECT_EQ(b.left(4), "RIFF");
    EXPECT_EQ(U32(b, 4), quint32(b.size() - 8));
    EXPECT_EQ(b.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(U16(b, 20), 1);      // PCM
    EXPECT_EQ(U16(b, 22), 1);      // mono
    EXPECT_EQ(U32(b, 24), 16000u); // rate
    EXPECT_EQ(U32(b, 28), 32000u); // bytes per second
    EXPECT_EQ(U16(b, 32), 2);
    EXPECT_EQ(U16(b, 34), 16);
    EXPECT_EQ(b.mid(36, 4), "data");
    EXPECT_EQ(U32(b, 40), 16000u);
    EXPECT_EQ(b.mid(44).count('\0'), 16000);

    EXPECT_FALSE(WriteSilentWav(QString(), 1));
    EXPECT_FALSE(WriteSilentWav(QStringLiteral("/proc/no/such/place/rec.wav"), 1));
}

TEST(HostParts, QuietEngineFinishesPlaybackFromTheEventLoopAndRecordsSilence)
{
    QObject context;
    TQuietSoundEngine engine(&context);
    int finished = 0;
    engine.SetOnPlayFinished([&] { ++finished; });
    engine.PlayFile(QStringLiteral("a.mp3"), true, 0);
    EXPECT_EQ(finished, 0) << "never inside the play call";
    ASSERT_TRUE(WaitUntil([&] { return finished == 1; }, RealMs{2000}));

    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("r.wav"));
    engine.StartRecord(wav);
    engine.StopRecord();
    EXPECT_TRUE(QFile::exists(wav));
    EXPECT_EQ(engine.FailedRecordings(), 0);
    engine.StartRecord(QStringLiteral("/proc/nowhere/r.wav"));
    EXPECT_EQ(engine.FailedRecordings(), 1);

    TUngradedAudioEngine grade;
    grade.Evaluate(1, dir.filePath(QStringLiteral("e.wav")), QStringLiteral("Hello."), 5);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("e.wav"))));
    EXPECT_TRUE(grade.GetLastResult().isEmpty()) << "nothing is graded";
}

TEST(HostParts, ApiCodeReadsOnlyIntegerCodesOfObjects)
{
    EXPECT_EQ(hostnotice::ApiCode(QStringLiteral("{\"apiCode\":10004}")), 10004);
    EXPECT_EQ(hostnotice::ApiCode(hostnotice::Bare(99999)), 99999);
    EXPECT_EQ(hostnotice::ApiCode(QStringLiteral("{\"apiCode\":\"10004\"}")), std::nullopt);
    EXPECT_EQ(hostnotice::ApiCode(QStringLiteral("[10004]")), std::nullopt);
    EXPECT_EQ(hostnotice::ApiCode(QStringLiteral("{\"apiCode\":")), std::nullopt);
}

TEST(HostParts, NoticesNameRealCatalogEntries)
{
    TServiceCatalog catalog;
    ASSERT_TRUE(catalog.Load(QCoreApplication::applicationDirPath() % QStringLiteral("/content")))
        << catalog.Error().toStdString();

    const auto assignment = hostnotice::SampleAssignment(catalog);
    ASSERT_TRUE(assignment);
    const json notice = json::parse(assignment->toStdString());
    EXPECT_EQ(notice["apiCode"], hostnotice::kAssignment);
    // The module reads the assignment from "content" and opens its first unit.
    TeduLastAssignMent parsed;
    ASSERT_TRUE(parsed.SetJson(QString::fromStdString(notice["content"].get<std::string>())));
    ASSERT_GT(parsed.FirstUnitId(), 0);
    EXPECT_GT(catalog.BookOfUnit(parsed.FirstUnitId()), 0) << "the unit belongs to a served book";

    const auto recent = hostnotice::RecentLesson(catalog);
    ASSERT_TRUE(recent);
    const json lesson = json::parse(recent->toStdString());
    EXPECT_EQ(lesson["apiCode"], hostnotice::kRecentLesson);
    const auto book = catalog.Book(lesson["lessonId"].get<qint64>());
    ASSERT_TRUE(book);
    EXPECT_EQ((*book)["lessonName"], lesson["lessonName"]);
}

TEST(HostParts, NoticesAreAbsentWhenTheCatalogHasNothingToName)
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("catalog.json")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"books":[{"lessonId":7,"lessonName":"Words","courseType":"W","owned":true,"recent":false}],)"
            R"("materials":[],"recommended":[]})");
    f.close();
    TServiceCatalog catalog;
    ASSERT_TRUE(catalog.Load(dir.path())) << catalog.Error().toStdString();
    EXPECT_FALSE(hostnotice::SampleAssignment(catalog)) << "only lesson books carry assignments";
    EXPECT_FALSE(hostnotice::RecentLesson(catalog));
}

} // namespace
