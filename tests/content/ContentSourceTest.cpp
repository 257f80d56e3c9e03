// The generator's pieces: the book source formats, the catalog checks, the
// description it plans, and the audio path (WAV handling and the cache).

#include "AudioMaker.h"
#include "BookSource.h"
#include "Catalog.h"
#include "DataJsonKeys.h"
#include "Mp3Encoder.h"
#include "PackagePlan.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

TEST(ContentSource, LessonSourceKeepsSpeakersPicturesAndNarration)
{
    TLessonSource book;
    QString error;
    ASSERT_TRUE(ParseLessonSource(QStringLiteral("# a comment\n"
                                                 "cast: Ms Wang = Woman.png\n"
                                                 "cast: Tom = Boy.png\n"
                                                 "unit: Unit 1\n"
                                                 "lesson: Hello\n"
                                                 "part:\n"
                                                 "Ms Wang: Time: nine o'clock.\n"
                                                 "Tom: Yes.\n"
                                                 "part:\n"
                                                 "* Tom: goes home.\n"),
                                  book, error))
        << error.toStdString();
    ASSERT_EQ(book.units.size(), 1);
    const auto &parts = book.units[0].lessons[0].parts;
    ASSERT_EQ(parts.size(), 2);
    ASSERT_EQ(parts[0].lines.size(), 2);
    EXPECT_EQ(parts[0].lines[0].speaker, QStringLiteral("Ms Wang"));
    EXPECT_EQ(parts[0].lines[0].picture, QStringLiteral("Woman.png"));
    EXPECT_EQ(parts[0].lines[0].text, QStringLiteral("Time: nine o'clock."));
    EXPECT_EQ(parts[1].lines[0].speaker, QString());
    EXPECT_EQ(parts[1].lines[0].text, QStringLiteral("Tom: goes home."));
}

TEST(ContentSource, SourceErrorsNameTheLine)
{
    const struct
    {
        bool words; // a word book source, else a lesson book source
        const char *text;
        const char *error;
    } cases[] = {
        {false, "cast: Tom = Boy.png\nunit: U\nlesson: L\npart:\nTim: Hello.\n", "line 5: unknown speaker 'Tim'"},
        {false, "unit: U\nlesson: L\nHello.\n", "line 3: sentence outside a part"},
        {false, "unit: U\nlesson: L\npart:\n", "lesson 'L' has an empty part"},
        {false, "# nothing\n", "no unit"},
        {true, "unit: U\napple | a | b | c\napple | a | b | d\n", "line 3: 'apple' twice in one unit"},
        {true, "unit: U\nin/out | a | b | c\n", "line 2: a word or example may not contain '/' or '\\'"},
        {true, "unit: U\n", "unit 'U' has no word"},
    };
    for (const auto &c : cases) {
        TLessonSource lessons;
        TWordSource words;
        QString error;
        EXPECT_FALSE(c.words ? ParseWordSource(QString::fromUtf8(c.text), words, error)
                             : ParseLessonSource(QString::fromUtf8(c.text), lessons, error))
            << c.text;
        EXPECT_EQ(error.toStdString(), c.error);
    }
}

TEST(ContentSource, CatalogRefusesUnsafePathsAndCollisions)
{
    const auto book = [](int id, const char *url) {
        return QStringLiteral(R"({"lessonId": %1, "lessonName": "B", "courseType": "L", "source": "b.book",
            "url": "%2", "version": "1", "versionNo": 1, "packagePic": "p.png", "tileColor": "#FF112233"})")
            .arg(id)
            .arg(QLatin1String(url));
    };
    const auto catalogOf = [](const QString &books) {
        return (QStringLiteral(R"({"books": [)") + books + QStringLiteral(R"(], "materials": [], "recommended": []})"))
            .toUtf8();
    };
    TCatalog catalog;
    QString error;
    ASSERT_TRUE(ParseCatalog(catalogOf(book(1, "p/a.7z") + QLatin1Char(',') + book(2, "p/b.7z")), catalog, error))
        << error.toStdString();
    EXPECT_EQ(catalog.books[1].tileColor, QColor(0x11, 0x22, 0x33));
    // Same file name in another folder: the module would store both as one file.
    EXPECT_FALSE(ParseCatalog(catalogOf(book(1, "p/a.7z") + QLatin1Char(',') + book(2, "q/A.7z")), catalog, error));
    EXPECT_FALSE(ParseCatalog(catalogOf(book(1, "p/a.7z") + QLatin1Char(',') + book(1, "p/b.7z")), catalog, error));
    EXPECT_FALSE(ParseCatalog(catalogOf(book(1, "../a.7z")), catalog, error));
    EXPECT_TRUE(error.contains(QLatin1String("\"url\""))) << error.toStdString();

    const auto course = [](const char *includes) {
        return QStringLiteral(R"({"goodsId": 9, "goodsName": "G", "goodsLevel": "1", "goodsPic": "g.png",
            "tileColor": "#FF000000", "includes": %1})")
            .arg(QLatin1String(includes));
    };
    const auto withCourse = [&](const char *includes) {
        return (QStringLiteral(R"({"books": [)") + book(1, "p/a.7z") + QStringLiteral(R"(], "materials": [],
            "recommended": [)")
                + course(includes) + QStringLiteral("]}"))
            .toUtf8();
    };
    ASSERT_TRUE(ParseCatalog(withCourse("[1]"), catalog, error)) << error.toStdString();
    EXPECT_EQ(catalog.recommended[0].includes, QList<qint64>{1});
    EXPECT_FALSE(ParseCatalog(withCourse("[2]"), catalog, error));
    // A course must give the learner at least one book.
    EXPECT_FALSE(ParseCatalog(withCourse("[]"), catalog, error));
    EXPECT_TRUE(error.contains(QLatin1String("includes"))) << error.toStdString();
}

TEST(ContentSource, PlansDescribeEveryEntryWithStableIds)
{
    TLessonSource lessons;
    QString error;
    ASSERT_TRUE(ParseLessonSource(QStringLiteral("cast: Amy = Girl.png\nunit: U1\nlesson: L1\npart:\nAmy: Hi.\n"
                                                 "* Amy is here.\nunit: U2\nlesson: L2\npart:\n* Bye.\n"),
                                  lessons, error));
    const TPackagePlan plan = PlanLessonBook({77, QStringLiteral("Book"), QStringLiteral("5")}, lessons);
    const auto &data = plan.data;
    const auto &u2 = data[DataJson::kUnits][1];
    EXPECT_EQ(u2[DataJson::kUnitId], 7702);
    EXPECT_EQ(u2[DataJson::kLessons][0][DataJson::kLessonId], 77021);
    const auto &bye = u2[DataJson::kLessons][0][DataJson::kParts][0][DataJson::kSentences][0];
    EXPECT_EQ(bye[DataJson::kSentenceId], 770003) << "running sentence numbers across units";
    EXPECT_FALSE(bye.contains(DataJson::kSpeakerPicture));
    ASSERT_EQ(plan.audio.size(), 3);
    EXPECT_EQ(plan.audio[2].entry.toStdString(), bye[DataJson::kAudio].get<std::string>());
    // Each character speaks with another voice than the narrator.
    EXPECT_NE(plan.audio[0].voice + QString::number(plan.audio[0].pitch),
              plan.audio[1].voice + QString::number(plan.audio[1].pitch));
    ASSERT_EQ(plan.pictures.size(), 2);
    EXPECT_EQ(plan.pictures[1].entry.toStdString(),
              u2[DataJson::kLessons][0][DataJson::kLessonPicture].get<std::string>() + ".png");

    TWordSource words;
    ASSERT_TRUE(ParseWordSource(QStringLiteral("unit: A\ncat | /kæt/ | 猫 | Is it a \"cat\"? Yes: it is.\n"
                                               "unit: B\ndog | /dɒɡ/ | 狗 | A dog.\n"),
                                words, error));
    const TPackagePlan wordPlan = PlanWordBook({9, QStringLiteral("W"), QStringLiteral("1")}, words);
    const auto &unitB = wordPlan.data[DataJson::kUnits][1];
    EXPECT_EQ(unitB[DataJson::kWordUnitId], 902);
    EXPECT_EQ(unitB[DataJson::kWords][0][DataJson::kWordId], 9002);
    EXPECT_EQ(unitB[DataJson::kWords][0][DataJson::kWordPhonetic], "/dɒɡ/");
    QStringList entries;
    for (const TAudioEntry &a : wordPlan.audio)
        entries << a.entry;
    EXPECT_EQ(entries,
              QStringList({QStringLiteral("1/901/cat.mp3"), QStringLiteral("1/901/Is it a cat- Yes_ it is_.mp3"),
                           QStringLiteral("2/902/dog.mp3"), QStringLiteral("2/902/A dog_.mp3")}));
}

TEST(ContentAudio, WaveDecodingResamplingAndEncoding)
{
    QList<qint16> ramp;
    for (int i = 0; i < 22050; ++i)
        ramp.append(static_cast<qint16>(std::lround(10000 * std::sin(i / 20.0))));
    const QByteArray wave = EncodeMonoWave(ramp, 22050);
    QList<qint16> back;
    int rate = 0;
    ASSERT_TRUE(DecodeMonoWave(wave, back, rate));
    EXPECT_EQ(rate, 22050);
    EXPECT_EQ(back, ramp);

    // A writer's "unknown length" data size runs to the end of the bytes.
    QByteArray open = wave;
    open.replace(40, 4, QByteArray("\xff\xff\xff\x7f", 4));
    ASSERT_TRUE(DecodeMonoWave(open, back, rate));
    EXPECT_EQ(back.size(), ramp.size());

    QByteArray stereo = wave;
    stereo[22] = 2;
    EXPECT_FALSE(DecodeMonoWave(stereo, back, rate));

    const QList<qint16> resampled = Resample(ramp, 22050, 16000);
    ASSERT_EQ(resampled.size(), 16000);
    // The same waveform at the new rate: compare at a matching time.
    EXPECT_NEAR(resampled[9970], 10000 * std::sin(9970 * 22050.0 / 16000 / 20.0), 200);

    // The file the generator writes is one the base package's encoder accepts.
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("a.wav")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(EncodeMonoWave(resampled, 16000));
    f.close();
    TWaveFormat format;
    ASSERT_TRUE(ReadWaveFormat(f.fileName(), format));
    EXPECT_EQ(format.dataBytes, 32000);
}

TEST(ContentAudio, SpeechIsMadeOnceAndThenTakenFromTheCache)
{
    QTemporaryDir dir;
    TAudioMaker maker(dir.filePath(QStringLiteral("cache")), 2);
    const TSpeech hello{QStringLiteral("Hello, Tom."), QStringLiteral("en-us"), 50};
    const TSpeech higher{QStringLiteral("Hello, Tom."), QStringLiteral("en-us"), 70};
    EXPECT_NE(maker.CacheFile(hello), maker.CacheFile(higher));
    QString error;
    ASSERT_TRUE(maker.Make({hello, higher, hello}, error)) << error.toStdString();
    EXPECT_EQ(maker.Spoken(), 2);
    EXPECT_GT(QFile(maker.CacheFile(hello)).size(), 1000);

    TAudioMaker again(dir.filePath(QStringLiteral("cache")), 2);
    // A text that starts like an option is spoken, not read as one.
    ASSERT_TRUE(again.Make({hello, {QStringLiteral("--help me"), QStringLiteral("en-us"), 50}}, error))
        << error.toStdString();
    EXPECT_EQ(again.Spoken(), 1); // hello came from the cache
    // An unknown voice is a failure, not a silent file.
    EXPECT_FALSE(again.Make({{QStringLiteral("Hi."), QStringLiteral("no-such-voice"), 50}}, error));
    EXPECT_FALSE(QFile::exists(again.CacheFile({QStringLiteral("Hi."), QStringLiteral("no-such-voice"), 50})));
}
