// The generator's pieces: the book source formats, the catalog checks and the
// description it plans. Its audio path is checked by the sample content's
// tests, which find every planned sound in the packages.

#include "BookSource.h"
#include "Catalog.h"
#include "DataJsonKeys.h"
#include "PackagePlan.h"

#include <gtest/gtest.h>

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
    // Same file name in another folder: the module would store both as one file.
    EXPECT_FALSE(ParseCatalog(catalogOf(book(1, "p/a.7z") + QLatin1Char(',') + book(2, "q/A.7z")), catalog, error));
    EXPECT_FALSE(ParseCatalog(catalogOf(book(1, "../a.7z")), catalog, error));
    EXPECT_TRUE(error.contains(QLatin1String("\"url\""))) << error.toStdString();
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
