// Decoding a package's "data.json" into the book model.
//
// The layout (keys in DataJsonKeys.h, described in docs/data-json.md):
// "version" (text), "bookId", "bookName", "bookType" ("lesson" or "word") and
// "Units". Lesson books: unit "unitId"/"unitName"/"lessons", lesson
// "lessonId"/"lessonName"/"picture"/"parts", part "partId"/"sentences",
// sentence "sentenceId"/"text"/"speaker"/"speakerPicture"/"audio". Word books:
// unit "lessonId"/"unitName"/"orderId"/"Count"/"wordes", each word with at
// least "wordsId" and "content". Ids are integers; a key that is present must
// have its type; required keys are the ids, names, texts and arrays. A word
// unit's "Count" must equal the number of its words.

#include "PackBook.h"

#include "DataJsonKeys.h"
#include "PackageArchive.h"
#include "PackageFiles.h"

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::ordered_json;

struct DecodeFailure
{
    QString message;
};

// Typed access with the place of the value in the message of a failure.
class Reader
{
public:
    Reader(const Json &node, QString where) : m_node(node), m_where(std::move(where))
    {
        if (!m_node.is_object())
            fail(m_where, QStringLiteral("is not an object"));
    }

    qint64 Int(const char *key) const
    {
        const Json &v = at(key);
        if (!v.is_number_integer())
            fail(path(key), QStringLiteral("is not an integer"));
        return v.get<qint64>();
    }
    QString Text(const char *key) const
    {
        const Json &v = at(key);
        if (!v.is_string())
            fail(path(key), QStringLiteral("is not a text"));
        return QString::fromStdString(v.get<std::string>());
    }
    // An optional text: empty when the key is absent.
    QString OptionalText(const char *key) const { return m_node.contains(key) ? Text(key) : QString(); }
    const Json &Array(const char *key) const
    {
        const Json &v = at(key);
        if (!v.is_array())
            fail(path(key), QStringLiteral("is not an array"));
        return v;
    }
    QString Path(const char *key, std::size_t index) const
    {
        return path(key) + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
    }
    [[noreturn]] static void fail(const QString &where, const QString &what)
    {
        throw DecodeFailure{where + QLatin1Char(' ') + what};
    }

private:
    const Json &at(const char *key) const
    {
        auto it = m_node.find(key);
        if (it == m_node.end())
            fail(path(key), QStringLiteral("is missing"));
        return *it;
    }
    QString path(const char *key) const
    {
        return m_where.isEmpty() ? QString::fromLatin1(key) : m_where + QLatin1Char('.') + QLatin1String(key);
    }

    const Json &m_node;
    QString m_where;
};

TeduPack_Sentence decodeSentence(const Json &node, const QString &where, const std::shared_ptr<TBookSource> &source)
{
    Reader r(node, where);
    TeduPack_Sentence s;
    s.Id = r.Int(DataJson::kSentenceId);
    s.Text = r.Text(DataJson::kText);
    s.SpeakerName = r.OptionalText(DataJson::kSpeaker);
    s.SpeakerPicture = r.OptionalText(DataJson::kSpeakerPicture);
    s.AudioEntry = r.Text(DataJson::kAudio);
    s.SetSource(source);
    return s;
}

TeduPack_Lesson decodeLesson(const Json &node, const QString &where, const std::shared_ptr<TBookSource> &source)
{
    Reader r(node, where);
    TeduPack_Lesson lesson;
    lesson.Id = r.Int(DataJson::kLessonId);
    lesson.Name = r.Text(DataJson::kLessonName);
    lesson.PictureName = r.OptionalText(DataJson::kLessonPicture);
    const Json &parts = r.Array(DataJson::kParts);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const QString partWhere = r.Path(DataJson::kParts, p);
        Reader pr(parts[p], partWhere);
        TeduPack_Part part;
        part.Id = pr.Int(DataJson::kPartId);
        const Json &sentences = pr.Array(DataJson::kSentences);
        for (std::size_t i = 0; i < sentences.size(); ++i)
            part.Sentences.append(decodeSentence(sentences[i], pr.Path(DataJson::kSentences, i), source));
        lesson.Parts.append(part);
    }
    return lesson;
}

TeduPack_Unit decodeLessonUnit(const Json &node, const QString &where, const std::shared_ptr<TBookSource> &source)
{
    Reader r(node, where);
    TeduPack_Unit unit;
    unit.Id = r.Int(DataJson::kUnitId);
    unit.Name = r.Text(DataJson::kUnitName);
    const Json &lessons = r.Array(DataJson::kLessons);
    for (std::size_t i = 0; i < lessons.size(); ++i)
        unit.Lessons.append(decodeLesson(lessons[i], r.Path(DataJson::kLessons, i), source));
    return unit;
}

TeduPack_Unit decodeWordUnit(const Json &node, const QString &where)
{
    Reader r(node, where);
    TeduPack_Unit unit;
    unit.Id = r.Int(DataJson::kWordUnitId);
    unit.Name = r.Text(DataJson::kUnitName);
    unit.OrderId = r.Int(DataJson::kOrderId);
    const qint64 count = r.Int(DataJson::kCount);
    const Json &words = r.Array(DataJson::kWords);
    if (count != static_cast<qint64>(words.size()))
        Reader::fail(where + QLatin1Char('.') + QLatin1String(DataJson::kCount),
                     QStringLiteral("is ") + QString::number(count) + QStringLiteral(" but there are ")
                         + QString::number(words.size()) + QStringLiteral(" words"));
    for (std::size_t i = 0; i < words.size(); ++i) {
        Reader w(words[i], r.Path(DataJson::kWords, i));
        w.Int(DataJson::kWordId);
        w.Text(DataJson::kWordContent);
        for (const char *key :
             {DataJson::kWordPhonetic, DataJson::kWordTranslate, DataJson::kWordExample, DataJson::kWordPicture})
            w.OptionalText(key);
        if (words[i].contains(DataJson::kWordFolder))
            w.Int(DataJson::kWordFolder);
    }
    unit.WordCount = static_cast<int>(count);
    return unit;
}

} // namespace

bool TeduPack_Book::funcDecodeResourceFile(const QString &path)
{
    // Whatever happens, the old book is gone: callers decode into a book they
    // are about to show.
    auto source = std::make_shared<TBookSource>();
    source->mainPath = m_source->mainPath;
    m_source = source;
    IsWordBook = false;
    Version.clear();
    BookId = 0;
    BookName.clear();
    Units.clear();
    m_error.clear();

    auto package = std::make_shared<TPackageArchive>();
    if (TArchiveResult r = package->Open(path); !r) {
        m_error = r.message;
        return false;
    }
    const QString entry = QString::fromLatin1(DataJson::kEntryName);
    QHash<QString, QByteArray> found;
    if (TArchiveResult r = package->ExtractUncached({entry}, found); !r) {
        m_error = r.message;
        return false;
    }
    if (!found.contains(entry)) {
        m_error = QStringLiteral("the package has no ") + entry;
        return false;
    }
    const std::optional<Json> json = ParsePackageJson(found.value(entry));
    if (!json) {
        m_error = entry + QStringLiteral(" is not a JSON object");
        return false;
    }

    try {
        Reader book(*json, QString());
        const QString version = book.Text(DataJson::kVersion);
        const qint64 bookId = book.Int(DataJson::kBookId);
        const QString bookName = book.Text(DataJson::kBookName);
        const QString type = book.Text(DataJson::kBookType);
        bool word = false;
        if (type == QLatin1String(DataJson::kBookTypeWord))
            word = true;
        else if (type != QLatin1String(DataJson::kBookTypeLesson))
            Reader::fail(QString::fromLatin1(DataJson::kBookType),
                         QStringLiteral("is neither \"lesson\" nor \"word\""));
        const Json &units = book.Array(DataJson::kUnits);
        QList<TeduPack_Unit> decoded;
        for (std::size_t i = 0; i < units.size(); ++i) {
            const QString where = book.Path(DataJson::kUnits, i);
            decoded.append(word ? decodeWordUnit(units[i], where) : decodeLessonUnit(units[i], where, source));
        }
        IsWordBook = word;
        Version = version;
        BookId = bookId;
        BookName = bookName;
        Units = decoded;
    } catch (const DecodeFailure &f) {
        m_error = entry + QStringLiteral(": ") + f.message;
        return false;
    } catch (const nlohmann::json::exception &e) {
        // Out-of-range numbers and the like.
        m_error = entry + QStringLiteral(": ") + QString::fromUtf8(e.what());
        return false;
    }
    source->package = package;
    return true;
}
