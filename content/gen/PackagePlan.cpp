#include "PackagePlan.h"

#include "DataJsonKeys.h"

using json = nlohmann::ordered_json;

namespace {

std::string Utf8(const QString &text)
{
    return text.toStdString();
}

} // namespace

void VoiceForSpeaker(const QString &picture, QString &voice, int &pitch)
{
    const QString who = picture.section(QLatin1Char('.'), 0, 0).toLower();
    if (who == QLatin1String("man")) {
        voice = QStringLiteral("en-us+m1");
        pitch = 40;
    } else if (who == QLatin1String("woman")) {
        voice = QStringLiteral("en-us+f1");
        pitch = 50;
    } else if (who == QLatin1String("boy")) {
        voice = QStringLiteral("en-us+m3");
        pitch = 75;
    } else if (who == QLatin1String("girl")) {
        voice = QStringLiteral("en-us+f4");
        pitch = 70;
    } else if (who == QLatin1String("cartoon")) {
        voice = QStringLiteral("en-us+m7");
        pitch = 60;
    } else {
        voice = QStringLiteral("en-us");
        pitch = 50;
    }
}

QString ExampleAudioStem(const QString &example)
{
    QString stem = example;
    stem.replace(QLatin1Char('?'), QLatin1Char('-'));
    stem.remove(QLatin1Char('"'));
    stem.replace(QLatin1Char('.'), QLatin1Char('_'));
    stem.replace(QLatin1Char(':'), QLatin1Char('_'));
    return stem.trimmed();
}

namespace {
// The members every "data.json" opens with, in their order.
void WriteBookHeader(json &data, const TBookHeader &header, const char *bookType)
{
    data[DataJson::kVersion] = Utf8(header.version);
    data[DataJson::kBookId] = header.bookId;
    data[DataJson::kBookName] = Utf8(header.bookName);
    data[DataJson::kBookType] = bookType;
}
} // namespace

TPackagePlan PlanLessonBook(const TBookHeader &header, const TLessonSource &book)
{
    TPackagePlan plan;
    json &data = plan.data;
    WriteBookHeader(data, header, DataJson::kBookTypeLesson);
    json units = json::array();
    qint64 sentenceNumber = 0;
    for (int u = 0; u < book.units.size(); ++u) {
        const TSourceUnit &unit = book.units[u];
        const qint64 unitId = header.bookId * 100 + u + 1;
        json lessons = json::array();
        for (int l = 0; l < unit.lessons.size(); ++l) {
            const TSourceLesson &lesson = unit.lessons[l];
            const qint64 lessonId = unitId * 10 + l + 1;
            const QString picture = QStringLiteral("pics/l%1").arg(lessonId);
            plan.pictures.append({picture + QStringLiteral(".png"), TPictureKind::Lesson, lesson.name, unit.name});
            json parts = json::array();
            for (int p = 0; p < lesson.parts.size(); ++p) {
                json sentences = json::array();
                for (const TSourceLine &line : lesson.parts[p].lines) {
                    const qint64 sentenceId = header.bookId * 10000 + ++sentenceNumber;
                    const QString audio = QStringLiteral("u%1/l%2/%3.mp3").arg(u + 1).arg(l + 1).arg(sentenceId);
                    json sentence;
                    sentence[DataJson::kSentenceId] = sentenceId;
                    sentence[DataJson::kText] = Utf8(line.text);
                    sentence[DataJson::kSpeaker] = Utf8(line.speaker);
                    if (!line.picture.isEmpty())
                        sentence[DataJson::kSpeakerPicture] = Utf8(line.picture);
                    sentence[DataJson::kAudio] = Utf8(audio);
                    sentences.push_back(std::move(sentence));
                    TAudioEntry entry{audio, line.text, {}, 50};
                    VoiceForSpeaker(line.picture, entry.voice, entry.pitch);
                    plan.audio.append(entry);
                }
                json part;
                part[DataJson::kPartId] = lessonId * 10 + p + 1;
                part[DataJson::kSentences] = std::move(sentences);
                parts.push_back(std::move(part));
            }
            json jl;
            jl[DataJson::kLessonId] = lessonId;
            jl[DataJson::kLessonName] = Utf8(lesson.name);
            jl[DataJson::kLessonPicture] = Utf8(picture);
            jl[DataJson::kParts] = std::move(parts);
            lessons.push_back(std::move(jl));
        }
        json ju;
        ju[DataJson::kUnitId] = unitId;
        ju[DataJson::kUnitName] = Utf8(unit.name);
        ju[DataJson::kLessons] = std::move(lessons);
        units.push_back(std::move(ju));
    }
    data[DataJson::kUnits] = std::move(units);
    return plan;
}

TPackagePlan PlanWordBook(const TBookHeader &header, const TWordSource &book)
{
    TPackagePlan plan;
    json &data = plan.data;
    WriteBookHeader(data, header, DataJson::kBookTypeWord);
    json units = json::array();
    qint64 wordNumber = 0;
    for (int u = 0; u < book.units.size(); ++u) {
        const TSourceWordUnit &unit = book.units[u];
        const qint64 unitId = header.bookId * 100 + u + 1;
        const qint64 orderId = u + 1;
        // A word's files lie in <orderId>/<folder>/, the folder being the unit id.
        const QString folder = QStringLiteral("%1/%2/").arg(orderId).arg(unitId);
        json words = json::array();
        for (const TSourceWord &word : unit.words) {
            const QString picture = word.content + QStringLiteral(".png");
            json jw;
            jw[DataJson::kWordId] = header.bookId * 1000 + ++wordNumber;
            jw[DataJson::kWordContent] = Utf8(word.content);
            jw[DataJson::kWordPhonetic] = Utf8(word.phonetic);
            jw[DataJson::kWordTranslate] = Utf8(word.translate);
            jw[DataJson::kWordExample] = Utf8(word.example);
            jw[DataJson::kWordPicture] = Utf8(picture);
            jw[DataJson::kWordFolder] = unitId;
            words.push_back(std::move(jw));
            plan.pictures.append({folder + picture, TPictureKind::Word, word.content, word.translate});
            plan.audio.append(
                {folder + word.content.trimmed() + QStringLiteral(".mp3"), word.content, QStringLiteral("en-us"), 50});
            plan.audio.append({folder + ExampleAudioStem(word.example) + QStringLiteral(".mp3"), word.example,
                               QStringLiteral("en-us"), 50});
        }
        json ju;
        ju[DataJson::kWordUnitId] = unitId;
        ju[DataJson::kUnitName] = Utf8(unit.name);
        ju[DataJson::kOrderId] = orderId;
        ju[DataJson::kCount] = static_cast<qint64>(unit.words.size());
        ju[DataJson::kWords] = std::move(words);
        units.push_back(std::move(ju));
    }
    data[DataJson::kUnits] = std::move(units);
    return plan;
}
