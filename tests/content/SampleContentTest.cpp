// The generated sample content: every package opens with the package
// password and decodes as a book, a lesson book holds every file its
// description names, and the catalog agrees with the packages.

#include "Catalog.h"
#include "PackBook.h"
#include "PackageArchive.h"

#include <QFile>

#include <gtest/gtest.h>

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

TEST(SampleContent, CatalogPicturesAndPassageAudioAreServed)
{
    const TCatalog catalog = LoadCatalog();
    EXPECT_FALSE(catalog.materials.isEmpty());
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

TEST(SampleContent, PackagesRefuseAnotherPasswordWithoutShowingTheirNames)
{
    const TCatalog catalog = LoadCatalog();
    ASSERT_FALSE(catalog.books.isEmpty());
    TPackageArchive archive;
    const TArchiveResult wrong = archive.Open(PackagePath(catalog.books[0]), QStringLiteral("not the password"));
    EXPECT_EQ(wrong.error, TArchiveError::WrongPassword);
    EXPECT_TRUE(archive.Entries().isEmpty());
}
