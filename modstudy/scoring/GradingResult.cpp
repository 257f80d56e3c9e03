#include "GradingResult.h"

namespace {

QList<TScoredPiece> pieces(const TJson &array)
{
    QList<TScoredPiece> out;
    if (!array.is_array())
        return out;
    for (const TJson &e : array)
        out.append(TScoredPiece{S(e, "char"), D(e, "score")});
    return out;
}

} // namespace

TJson ResultObject(const TJson &grading)
{
    TJson result = SO(S(grading, "result"));
    // SO also accepts a top-level array; a result is always an object.
    return result.is_object() ? result : SO();
}

TDetailShape DetailShape(const TJson &entry)
{
    if (Has(entry, "text") || Has(entry, "words"))
        return TDetailShape::Passage;
    if (Has(entry, "phone"))
        return TDetailShape::Word;
    return TDetailShape::Sentence;
}

TGradingResult DecodeGradingResult(const TJson &grading)
{
    TGradingResult out;
    const TJson result = ResultObject(grading);
    out.graded = !S(result, "overall").isEmpty();
    out.overall = D(result, "overall");
    out.accuracy = D(result, "accuracy");
    out.integrity = D(result, "integrity");
    out.fluency = D(SO(S(result, "fluency")), "overall");
    const TJson details = A(result, "details");
    for (const TJson &entry : details) {
        if (!entry.is_object())
            continue;
        TGradingDetail d;
        d.shape = DetailShape(entry);
        d.text = d.shape == TDetailShape::Passage ? S(entry, "text") : S(entry, "char");
        d.score = D(entry, "score");
        if (d.shape == TDetailShape::Word)
            d.phones = pieces(A(entry, "phone"));
        else if (d.shape == TDetailShape::Passage)
            d.words = pieces(A(entry, "words"));
        d.entry = entry;
        out.details.append(std::move(d));
    }
    return out;
}

TGradingResult DecodeGradingResult(const QString &gradingText)
{
    TJson grading;
    if (!TrySO(gradingText, grading) || !grading.is_object())
        return TGradingResult{};
    return DecodeGradingResult(grading);
}

double GradingOverall(const TJson &grading)
{
    return D(ResultObject(grading), "overall");
}
