#include "ScoreDocuments.h"

#include "ScoreTotals.h"

namespace {

TJson partsArray(const QList<TJson> &parts)
{
    TJson array = TJson::array();
    for (const TJson &p : parts)
        array.push_back(p);
    return array;
}

} // namespace

TJson MakePassageReadingDocument(const QList<TJson> &parts, const QStringList &audioFiles, const QString &achiveType)
{
    TJson doc = SO();
    PutO(doc, "parts", partsArray(parts));
    TJson audios = TJson::array();
    for (const QString &file : audioFiles) {
        TJson a = SO();
        PutS(a, "audio", file);
        audios.push_back(a);
    }
    PutO(doc, "audios", audios);
    PutS(doc, "achiveType", achiveType);
    PutI(doc, "partcount", 1);
    return doc;
}

TJson MakePassageRepeatDocument(const QList<TJson> &parts)
{
    TJson doc = SO();
    PutO(doc, "parts", partsArray(parts));
    PutS(doc, "achiveType", QStringLiteral("L"));
    PutI(doc, "partcount", 1);
    return doc;
}

QString PassageSubmissionKind(const TJson &document)
{
    return S(document, "achiveType") == QLatin1String("S") ? QStringLiteral("S") : QStringLiteral("L");
}

TJson WordResultPlaceholder()
{
    TJson entry = SO();
    PutS(entry, "result", QString());
    return entry;
}

bool IsWordResultPlaceholder(const TJson &entry)
{
    return S(entry, "result").isEmpty();
}

TJson MakeWordScoreDocument(const TWordScoreHeader &header, const QMap<int, TJson> &gradings)
{
    TJson doc = SO();
    PutI(doc, "uid", header.uid);
    PutI(doc, "bookId", header.bookId);
    PutI(doc, "unitId", header.unitId);
    PutI(doc, "wordTotalCount", header.wordTotalCount);
    PutI(doc, "wordId", header.wordId);
    PutI(doc, "wordIndex", header.wordIndex);
    TJson results = TJson::array();
    for (int i = 0; i < header.wordTotalCount; ++i) {
        const auto it = gradings.constFind(i);
        if (it != gradings.constEnd() && WordAttemptScore(*it) > kMinKeptScore)
            results.push_back(*it);
        else
            results.push_back(WordResultPlaceholder());
    }
    PutO(doc, "wordResult", results);
    return doc;
}
