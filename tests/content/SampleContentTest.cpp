// The generated sample content: every package opens with the package
// password, decodes as a book, and holds every file its description names;
// the catalog agrees with the packages.

#include "Catalog.h"
#include "DataJsonKeys.h"
#include "PackBook.h"
#include "PackageArchive.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using json = nlohmann::json;

namespace {

const QString kServed = QStringLiteral(STUDY_CONTENT_DIR);

bool IsMp3(const QByteArray &data)
{
    if (data.startsWith("ID3"))
        return data.size() > 128;
    // An MPEG audio frame header: 11 set sync bits, layer III.
    return data.size() > 128 && static_cast<unsigned char>(data[0]) == 0xFF
           && (static_cast<unsigned char>(data[1]) & 0xE6) == 0xE2;
}

bool IsPng(const QByteArray &data)
{
    return data.startsWith("\x89PNG\r\n\x1a\n");
}

QByteArray ReadServed(const QString &path)
{
    QFile f(kServed + QLatin1Char('/') + path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TCatalog LoadCatalog()
{
    TCatalog catalog;
    QString error;
    EXPECT_TRUE(ParseCatalog(ReadServed(QStringLiteral("catalog.json")), catalog, error)) << error.toStdString();
    return catalog;
}

const TCatalogBook *FindBook(const TCatalog &catalog, const QString &courseType)
{
    for (const TCatalogBook &b : catalog.books) {
        if (b.courseType == courseType)
            return &b;
    }
    return nullptr;
}

// The word's example audio name by the documented rule.
QString ExampleName(QString example)
{
    example.replace(QLatin1Char('?'), QLatin1Char('-'));
    example.remove(QLatin1Char('"'));
    example.replace(QLatin1Char('.'), QLatin1Char('_'));
    example.replace(QLatin1Char(':'), QLatin1Char('_'));
    return example.trimmed();
}

QString PackagePath(const TCatalogBook &book)
{
    return kServed + QLatin1Char('/') + book.url;
}

} // namespace

// Every book of the catalog decodes with the catalog's version and id; a
// lesson book holds every picture and audio its description names.
TEST(SampleContent, EveryBookMatchesTheCatalogAndLessonBooksHoldTheirPicturesAndAudio)
{
    const TCatalog catalog = LoadCatalog();
    ASSERT_GE(catalog.books.size(), 3);
    int lessonBooks = 0;
    for (const TCatalogBook &entry : catalog.books) {
        SCOPED_TRACE(entry.url.toStdString());
        TeduPack_Book book;
        ASSERT_TRUE(book.funcDecodeResourceFile(PackagePath(entry))) << book.DecodeError().toStdString();
        EXPECT_EQ(book.Version, entry.version);
        EXPECT_EQ(book.BookId, entry.lessonId);
        EXPECT_EQ(book.BookName, entry.lessonName);
        EXPECT_EQ(book.IsWordBook, entry.IsWordBook());
        EXPECT_TRUE(IsPng(ReadServed(entry.packagePic))) << entry.packagePic.toStdString();
        if (entry.IsWordBook())
            continue;
        ++lessonBooks;
        std::shared_ptr<TPackageArchive> package = book.Package();
        ASSERT_TRUE(package);
        for (const TeduPack_Unit &unit : book.Units) {
            for (const TeduPack_Lesson &lesson : unit.Lessons) {
                QByteArray picture;
                const bool found = package->ContentToMemory(lesson.PictureName + QStringLiteral(".png"), picture)
                                   || package->ContentToMemory(lesson.PictureName + QStringLiteral(".jpg"), picture);
                EXPECT_TRUE(found && IsPng(picture)) << lesson.PictureName.toStdString();
                for (const TeduPack_Part &part : lesson.Parts) {
                    for (const TeduPack_Sentence &s : part.Sentences) {
                        QByteArray audio;
                        EXPECT_TRUE(package->ContentToMemory(s.AudioEntry, audio) && IsMp3(audio))
                            << s.AudioEntry.toStdString();
                    }
                }
            }
        }
    }
    EXPECT_GE(lessonBooks, 2) << "a textbook and an extracurricular book";
}

TEST(SampleContent, TheTextbookHasTwelveUnitsOfDialoguesAndNarrationWithDistinctSentenceIds)
{
    const TCatalog catalog = LoadCatalog();
    const TCatalogBook *textbook = FindBook(catalog, QStringLiteral("L"));
    ASSERT_NE(textbook, nullptr);
    TeduPack_Book book;
    ASSERT_TRUE(book.funcDecodeResourceFile(PackagePath(*textbook))) << book.DecodeError().toStdString();
    ASSERT_GE(book.Units.size(), 12);
    QSet<qint64> sentenceIds;
    int dialogues = 0;
    int narrations = 0;
    for (const TeduPack_Unit &unit : book.Units) {
        EXPECT_GE(unit.Lessons.size(), 2) << unit.Name.toStdString();
        for (const TeduPack_Lesson &lesson : unit.Lessons) {
            EXPECT_FALSE(lesson.PictureName.isEmpty());
            ASSERT_FALSE(lesson.Parts.isEmpty());
            for (const TeduPack_Part &part : lesson.Parts) {
                ASSERT_FALSE(part.Sentences.isEmpty());
                QSet<QString> speakers;
                for (const TeduPack_Sentence &s : part.Sentences) {
                    EXPECT_FALSE(s.Text.trimmed().isEmpty());
                    EXPECT_FALSE(sentenceIds.contains(s.Id)) << "sentence id used twice: " << s.Id;
                    sentenceIds.insert(s.Id);
                    if (!s.SpeakerName.isEmpty()) {
                        EXPECT_TRUE(s.SpeakerPicture.endsWith(QLatin1String(".png"))) << s.Text.toStdString();
                        speakers.insert(s.SpeakerName);
                    }
                }
                dialogues += speakers.size() >= 2 && speakers.size() <= 3;
                narrations += speakers.isEmpty();
            }
        }
    }
    EXPECT_GE(dialogues, 12);
    EXPECT_GE(narrations, 6);
}

TEST(SampleContent, WordBookUnitsHoldTheirWordsWithPictureWordAndExampleAudio)
{
    const TCatalog catalog = LoadCatalog();
    const TCatalogBook *wordBook = FindBook(catalog, QStringLiteral("W"));
    ASSERT_NE(wordBook, nullptr);
    TeduPack_Book book;
    ASSERT_TRUE(book.funcDecodeResourceFile(PackagePath(*wordBook))) << book.DecodeError().toStdString();
    EXPECT_TRUE(book.IsWordBook);
    ASSERT_GE(book.Units.size(), 3);
    for (const TeduPack_Unit &unit : book.Units)
        EXPECT_GE(unit.WordCount, 3) << unit.Name.toStdString();

    // The word drill reads the word keys itself: check them against the entries.
    std::shared_ptr<TPackageArchive> package = book.Package();
    QByteArray text;
    ASSERT_TRUE(package->ContentToMemory(QString::fromLatin1(DataJson::kEntryName), text));
    const json data = json::parse(text.constData(), text.constData() + text.size());
    ASSERT_EQ(data[DataJson::kUnits].size(), static_cast<size_t>(book.Units.size()));
    QSet<qint64> wordIds;
    for (const json &unit : data[DataJson::kUnits]) {
        const json &words = unit[DataJson::kWords];
        EXPECT_EQ(unit[DataJson::kCount].get<qint64>(), static_cast<qint64>(words.size()));
        const QString prefix = QString::number(unit[DataJson::kOrderId].get<qint64>()) + QLatin1Char('/');
        for (const json &word : words) {
            const qint64 wordId = word[DataJson::kWordId].get<qint64>();
            EXPECT_FALSE(wordIds.contains(wordId)) << "word id used twice: " << wordId;
            wordIds.insert(wordId);
            const QString content = QString::fromStdString(word[DataJson::kWordContent].get<std::string>());
            const QString phonetic = QString::fromStdString(word[DataJson::kWordPhonetic].get<std::string>());
            EXPECT_TRUE(phonetic.startsWith(QLatin1Char('/')) && phonetic.endsWith(QLatin1Char('/')))
                << content.toStdString();
            EXPECT_FALSE(word[DataJson::kWordTranslate].get<std::string>().empty());
            const QString folder =
                prefix + QString::number(word[DataJson::kWordFolder].get<qint64>()) + QLatin1Char('/');
            QByteArray bytes;
            const QString picture = folder + QString::fromStdString(word[DataJson::kWordPicture].get<std::string>());
            EXPECT_TRUE(package->ContentToMemory(picture, bytes) && IsPng(bytes)) << picture.toStdString();
            const QString audio = folder + content.trimmed() + QStringLiteral(".mp3");
            EXPECT_TRUE(package->ContentToMemory(audio, bytes) && IsMp3(bytes)) << audio.toStdString();
            const QString example =
                folder + ExampleName(QString::fromStdString(word[DataJson::kWordExample].get<std::string>()))
                + QStringLiteral(".mp3");
            EXPECT_TRUE(package->ContentToMemory(example, bytes) && IsMp3(bytes)) << example.toStdString();
        }
    }
}

TEST(SampleContent, CatalogPicturesAndPassageAudioAreServed)
{
    const TCatalog catalog = LoadCatalog();
    EXPECT_EQ(catalog.recommended.size(), 11);
    EXPECT_GE(catalog.materials.size(), 2);
    for (const TCatalogMaterial &m : catalog.materials) {
        EXPECT_TRUE(IsPng(ReadServed(m.picture))) << m.picture.toStdString();
        EXPECT_TRUE(IsPng(ReadServed(m.contentPicture))) << m.contentPicture.toStdString();
        // A passage of several sentences: well over a second of 64 kbit/s audio.
        const QByteArray audio = ReadServed(m.origiVoice);
        EXPECT_TRUE(IsMp3(audio) && audio.size() > 8000) << m.origiVoice.toStdString();
    }
    for (const TCatalogCourse &c : catalog.recommended)
        EXPECT_TRUE(IsPng(ReadServed(c.goodsPic))) << c.goodsPic.toStdString();
}

TEST(SampleContent, PackagesRefuseAnotherPasswordAndHideTheirNames)
{
    const TCatalog catalog = LoadCatalog();
    ASSERT_FALSE(catalog.books.isEmpty());
    TPackageArchive archive;
    const TArchiveResult wrong = archive.Open(PackagePath(catalog.books[0]), QStringLiteral("not the password"));
    EXPECT_FALSE(wrong.ok());
    EXPECT_EQ(wrong.error, TArchiveError::WrongPassword);
    EXPECT_TRUE(archive.Entries().isEmpty());
    ASSERT_TRUE(archive.Open(PackagePath(catalog.books[0])).ok());
    EXPECT_GE(archive.IndexOf(QString::fromLatin1(DataJson::kEntryName)), 0);
}

TEST(SampleContent, ServedCatalogIsTheSourceCatalog)
{
    QFile source(QStringLiteral(STUDY_CONTENT_SOURCE "/catalog.json"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(source.readAll(), ReadServed(QStringLiteral("catalog.json")));
}
