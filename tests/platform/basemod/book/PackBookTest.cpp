#include "DataJsonKeys.h"
#include "PackBook.h"
#include "PackageArchive.h"
#include "PackageMaker.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;
namespace K = DataJson;

// Two units; the first has a lesson with two parts (a dialogue of Tom and
// Amy, then a passage without speaker) and a lesson without picture. The keys
// are spelt out as the packages hold them.
Json lessonBook()
{
    return Json::parse(R"({"version": "12", "bookId": 9001, "bookName": "Book One", "bookType": "lesson", "Units": [
      {"unitId": 11, "unitName": "Unit 1", "lessons": [
        {"lessonId": 111, "lessonName": "Greetings", "picture": "pics/l111", "parts": [
          {"partId": 1, "sentences": [
            {"sentenceId": 5001, "text": "Hello, Amy.", "speaker": "Tom", "speakerPicture": "Man.png",
             "audio": "u1/l1/5001.mp3"},
            {"sentenceId": 5002, "text": "Hi, Tom!", "speaker": "Amy", "speakerPicture": "Woman.png",
             "audio": "u1/l1/5002.mp3"}]},
          {"partId": 2, "sentences": [{"sentenceId": 5003, "text": "It is a fine day.", "audio": "u1/l1/5003.mp3"}]}]},
        {"lessonId": 112, "lessonName": "Numbers", "parts": []}]},
      {"unitId": 12, "unitName": "Unit 2", "lessons": []}]})");
}

Json wordBook()
{
    return Json::parse(R"({"version": "3", "bookId": 9002, "bookName": "Words", "bookType": "word", "Units": [
      {"lessonId": 31, "unitName": "Fruit", "orderId": 1, "Count": 2, "wordes": [
        {"wordsId": 77, "content": "apple", "phonetic": "/ˈæpl/", "translate": "苹果", "example1": "I eat an apple.",
         "picture": "apple.jpg", "lessonId": 31},
        {"wordsId": 78, "content": "pear", "phonetic": "/per/", "translate": "梨", "example1": "A pear.",
         "picture": "pear.jpg", "lessonId": 31}]},
      {"lessonId": 32, "unitName": "Empty", "orderId": 2, "Count": 0, "wordes": []}]})");
}

class PackBookTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString make(const QString &name, const Json &description, QList<TestEntry> more = {})
    {
        more.prepend({QString::fromLatin1(K::kEntryName), QByteArray::fromStdString(description.dump())});
        const QString p = dir.filePath(name);
        const QString err = MakePackage(p, more);
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        return p;
    }
    static QList<TestEntry> lessonAudio()
    {
        return {{"u1/l1/5001.mp3", NoiseBytes(20000, 51)},
                {"u1/l1/5002.mp3", NoiseBytes(30000, 52)},
                {"u1/l1/5003.mp3", NoiseBytes(25000, 53)},
                {"pics/l111.png", NoiseBytes(900, 54)}};
    }
    static QByteArray readFile(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

// One line per unit, lesson, part and sentence of a decoded book.
QStringList outline(const TeduPack_Book &book)
{
    QStringList out{QStringLiteral("%1 %2 %3 %4")
                        .arg(QLatin1String(book.IsWordBook ? "word" : "lesson"), book.Version)
                        .arg(book.BookId)
                        .arg(book.BookName)};
    for (const TeduPack_Unit &u : book.Units) {
        out << QStringLiteral("unit %1 %2 order %3 words %4").arg(u.Id).arg(u.Name).arg(u.OrderId).arg(u.WordCount);
        for (const TeduPack_Lesson &l : u.Lessons) {
            out << QStringLiteral(" lesson %1 %2 [%3]").arg(l.Id).arg(l.Name, l.PictureName);
            for (const TeduPack_Part &p : l.Parts) {
                out << QStringLiteral("  part %1").arg(p.Id);
                for (const TeduPack_Sentence &t : p.Sentences)
                    out << QStringLiteral("   %1 %2|%3|%4|%5")
                               .arg(t.Id)
                               .arg(t.Text, t.SpeakerName, t.SpeakerPicture, t.AudioEntry);
            }
        }
    }
    return out;
}

TEST_F(PackBookTest, DecodesALessonBookWithEverythingTheStudyPagesRead)
{
    TeduPack_Book book;
    ASSERT_TRUE(book.funcDecodeResourceFile(make("lesson.7z", lessonBook(), lessonAudio())))
        << book.DecodeError().toStdString();
    EXPECT_EQ(outline(book), (QStringList{"lesson 12 9001 Book One", "unit 11 Unit 1 order 0 words 0",
                                          " lesson 111 Greetings [pics/l111]", "  part 1",
                                          "   5001 Hello, Amy.|Tom|Man.png|u1/l1/5001.mp3",
                                          "   5002 Hi, Tom!|Amy|Woman.png|u1/l1/5002.mp3", "  part 2",
                                          "   5003 It is a fine day.|||u1/l1/5003.mp3", " lesson 112 Numbers []",
                                          "unit 12 Unit 2 order 0 words 0"}));
}

TEST_F(PackBookTest, DecodesAWordBookIntoItsUnits)
{
    TeduPack_Book book;
    ASSERT_TRUE(book.funcDecodeResourceFile(make("word.7z", wordBook()))) << book.DecodeError().toStdString();
    EXPECT_EQ(outline(book),
              (QStringList{"word 3 9002 Words", "unit 31 Fruit order 1 words 2", "unit 32 Empty order 2 words 0"}));
}

TEST_F(PackBookTest, RefusesBrokenLayoutsAndLeavesNoHalfReadBook)
{
    struct Case
    {
        const char *what;
        bool word; // starts from the word book, else from the lesson book
        std::function<void(Json &)> breakIt;
        const char *where; // part of the error naming the place
    };
    const auto sentences = [](Json &j, int part) -> Json & {
        return j[K::kUnits][0][K::kLessons][0][K::kParts][part][K::kSentences];
    };
    const QList<Case> cases = {
        {"unit without id", false, [](Json &j) { j[K::kUnits][1].erase(K::kUnitId); }, "Units[1].unitId"},
        {"sentence text a number", false, [&](Json &j) { sentences(j, 0)[1][K::kText] = 5; },
         "Units[0].lessons[0].parts[0].sentences[1].text"},
        {"sentence without audio", false, [&](Json &j) { sentences(j, 1)[0].erase(K::kAudio); }, "sentences[0].audio"},
        {"word count differs", true, [](Json &j) { j[K::kUnits][0][K::kCount] = 3; }, "Units[0].Count"},
        {"unit id as text", true, [](Json &j) { j[K::kUnits][0][K::kWordUnitId] = "31"; }, "Units[0].lessonId"},
    };

    TeduPack_Book book;
    const QString good = make(QStringLiteral("good.7z"), lessonBook());
    int n = 0;
    for (const Case &c : cases) {
        // A good book first: a failed decode must not leave it behind.
        ASSERT_TRUE(book.funcDecodeResourceFile(good));
        Json description = c.word ? wordBook() : lessonBook();
        c.breakIt(description);
        const QString p = make(QStringLiteral("bad%1.7z").arg(n++), description);
        EXPECT_FALSE(book.funcDecodeResourceFile(p)) << c.what;
        EXPECT_TRUE(book.DecodeError().contains(QLatin1String(c.where)))
            << c.what << ": " << book.DecodeError().toStdString();
        EXPECT_TRUE(book.Units.isEmpty()) << c.what;
        EXPECT_FALSE(book.Package()) << c.what;
    }
}

TEST_F(PackBookTest, SaveToFileWritesEachSentencesAudioWithOneReaderRunEvenAfterTheBookMovesOn)
{
    TeduPack_Book book;
    book.SetMainPath(dir.filePath("host"));
    ASSERT_TRUE(book.funcDecodeResourceFile(make("lesson.7z", lessonBook(), lessonAudio())));
    const QString target = dir.filePath("host/tmp/temp.mp3");
    const int runsBefore = book.Package()->ReaderRuns();

    const auto &parts = book.Units[0].Lessons[0].Parts;
    const TeduPack_Sentence *order[] = {&parts[0].Sentences[1], &parts[1].Sentences[0], &parts[0].Sentences[0]};
    const QByteArray expected[] = {NoiseBytes(30000, 52), NoiseBytes(25000, 53), NoiseBytes(20000, 51)};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(order[i]->SaveToFile()) << i;
        EXPECT_EQ(order[i]->TempAudioPath(), target);
        EXPECT_EQ(readFile(target), expected[i]) << i;
    }
    EXPECT_EQ(book.Package()->ReaderRuns(), runsBefore + 1);

    // A decoded sentence keeps its package when the book moves on.
    const TeduPack_Sentence kept = parts[0].Sentences[0];
    ASSERT_TRUE(book.funcDecodeResourceFile(make("word.7z", wordBook())));
    ASSERT_TRUE(kept.SaveToFile());
    EXPECT_EQ(readFile(target), NoiseBytes(20000, 51));
}

TEST_F(PackBookTest, AFailedSaveLeavesNoOtherSentencesAudioBehind)
{
    // The third sentence's audio is not in the package.
    QList<TestEntry> audio = lessonAudio();
    audio.removeAt(2);
    TeduPack_Book book;
    book.SetMainPath(dir.filePath("host"));
    ASSERT_TRUE(book.funcDecodeResourceFile(make("partial.7z", lessonBook(), audio)));
    const auto &parts = book.Units[0].Lessons[0].Parts;
    ASSERT_TRUE(parts[0].Sentences[0].SaveToFile());
    ASSERT_TRUE(QFile::exists(dir.filePath("host/tmp/temp.mp3")));
    EXPECT_FALSE(parts[1].Sentences[0].SaveToFile());
    EXPECT_FALSE(QFile::exists(dir.filePath("host/tmp/temp.mp3")));
}

TEST(TeduPackUnit, ProgressStaysBetweenZeroAndHundred)
{
    TeduPack_Unit u;
    u.SetFinishPercent(42.5f);
    EXPECT_FLOAT_EQ(u.FinishPercent(), 42.5f);
    u.SetFinishPercent(140.0f);
    u.SetAverageScore(-3.0f);
    EXPECT_FLOAT_EQ(u.FinishPercent(), 100.0f);
    EXPECT_FLOAT_EQ(u.AverageScore(), 0.0f);
    u.SetAverageScore(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(u.AverageScore(), 0.0f);
}

} // namespace
