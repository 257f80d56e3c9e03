#include "BookSource.h"

#include <QHash>
#include <QStringList>

namespace {

// Splits "key: value" when the line starts with one of the given keys.
bool TakeKey(const QString &line, const QString &key, QString &value)
{
    const QString prefix = key + QLatin1Char(':');
    if (!line.startsWith(prefix))
        return false;
    value = line.mid(prefix.size()).trimmed();
    return true;
}

QString LineError(int number, const QString &what)
{
    return QStringLiteral("line %1: %2").arg(number).arg(what);
}

} // namespace

bool ParseLessonSource(const QString &text, TLessonSource &book, QString &error)
{
    book = {};
    QHash<QString, QString> cast; // speaker name -> picture
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QString value;
        if (TakeKey(line, QStringLiteral("cast"), value)) {
            const int eq = value.indexOf(QLatin1Char('='));
            const QString name = value.left(eq).trimmed();
            const QString picture = value.mid(eq + 1).trimmed();
            if (eq < 0 || name.isEmpty() || !picture.contains(QLatin1Char('.'))) {
                error = LineError(number, QStringLiteral("cast needs 'Name = Picture.png'"));
                return false;
            }
            cast.insert(name, picture);
        } else if (TakeKey(line, QStringLiteral("unit"), value)) {
            if (value.isEmpty()) {
                error = LineError(number, QStringLiteral("unit without a title"));
                return false;
            }
            book.units.append(TSourceUnit{value, {}});
        } else if (TakeKey(line, QStringLiteral("lesson"), value)) {
            if (book.units.isEmpty() || value.isEmpty()) {
                error = LineError(number, QStringLiteral("lesson needs a title and a unit before it"));
                return false;
            }
            book.units.last().lessons.append(TSourceLesson{value, {}});
        } else if (line == QLatin1String("part:")) {
            if (book.units.isEmpty() || book.units.last().lessons.isEmpty()) {
                error = LineError(number, QStringLiteral("part outside a lesson"));
                return false;
            }
            book.units.last().lessons.last().parts.append(TSourcePart{});
        } else {
            if (book.units.isEmpty() || book.units.last().lessons.isEmpty()
                || book.units.last().lessons.last().parts.isEmpty()) {
                error = LineError(number, QStringLiteral("sentence outside a part"));
                return false;
            }
            TSourceLine sentence;
            if (line.startsWith(QLatin1String("* "))) {
                sentence.text = line.mid(2).trimmed();
            } else {
                const int colon = line.indexOf(QLatin1String(": "));
                const QString name = colon > 0 ? line.left(colon) : QString();
                if (!cast.contains(name)) {
                    error = LineError(number, QStringLiteral("unknown speaker '%1'").arg(name));
                    return false;
                }
                sentence.speaker = name;
                sentence.picture = cast.value(name);
                sentence.text = line.mid(colon + 2).trimmed();
            }
            if (sentence.text.isEmpty()) {
                error = LineError(number, QStringLiteral("empty sentence"));
                return false;
            }
            book.units.last().lessons.last().parts.last().lines.append(sentence);
        }
    }
    if (book.units.isEmpty()) {
        error = QStringLiteral("no unit");
        return false;
    }
    for (const TSourceUnit &unit : book.units) {
        if (unit.lessons.isEmpty()) {
            error = QStringLiteral("unit '%1' has no lesson").arg(unit.name);
            return false;
        }
        for (const TSourceLesson &lesson : unit.lessons) {
            if (lesson.parts.isEmpty()) {
                error = QStringLiteral("lesson '%1' has no part").arg(lesson.name);
                return false;
            }
            for (const TSourcePart &part : lesson.parts) {
                if (part.lines.isEmpty()) {
                    error = QStringLiteral("lesson '%1' has an empty part").arg(lesson.name);
                    return false;
                }
            }
        }
    }
    return true;
}

bool ParseWordSource(const QString &text, TWordSource &book, QString &error)
{
    book = {};
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QString value;
        if (TakeKey(line, QStringLiteral("unit"), value)) {
            if (value.isEmpty()) {
                error = LineError(number, QStringLiteral("unit without a title"));
                return false;
            }
            book.units.append(TSourceWordUnit{value, {}});
            continue;
        }
        if (book.units.isEmpty()) {
            error = LineError(number, QStringLiteral("word before the first unit"));
            return false;
        }
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() != 4) {
            error = LineError(number, QStringLiteral("a word needs 'word | phonetic | meaning | example'"));
            return false;
        }
        TSourceWord word{fields[0].trimmed(), fields[1].trimmed(), fields[2].trimmed(), fields[3].trimmed()};
        if (word.content.isEmpty() || word.example.isEmpty()) {
            error = LineError(number, QStringLiteral("a word needs its text and an example"));
            return false;
        }
        // The word's audio is stored under its own text: it must be usable as
        // a file name.
        for (const QString &name : {word.content, word.example}) {
            if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
                error = LineError(number, QStringLiteral("a word or example may not contain '/' or '\\'"));
                return false;
            }
        }
        for (const TSourceWord &other : book.units.last().words) {
            if (other.content == word.content) {
                error = LineError(number, QStringLiteral("'%1' twice in one unit").arg(word.content));
                return false;
            }
        }
        book.units.last().words.append(word);
    }
    if (book.units.isEmpty()) {
        error = QStringLiteral("no unit");
        return false;
    }
    for (const TSourceWordUnit &unit : book.units) {
        if (unit.words.isEmpty()) {
            error = QStringLiteral("unit '%1' has no word").arg(unit.name);
            return false;
        }
    }
    return true;
}
