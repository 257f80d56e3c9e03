#include "ScoreTotals.h"

#include "GradingResult.h"

#include "Log.h"
#include "TextTools.h"

namespace {

double sumOfOveralls(const TJson &parts)
{
    double sum = 0;
    for (const TJson &part : parts)
        sum += GradingOverall(part);
    return sum;
}

} // namespace

double WordAttemptScore(const TJson &grading)
{
    return PrecisionChange(GradingOverall(grading));
}

double SingleWordScore(const QString &entryText)
{
    TJson entry;
    if (!TrySO(entryText, entry) || !entry.is_object())
        return 0;
    return GradingOverall(entry);
}

double PassageDisplayTotal(const TJson &document)
{
    const TJson parts = A(document, "parts");
    if (parts.empty())
        return 0;
    const double sum = sumOfOveralls(parts);
    const int partCount = I(document, "partcount");
    if (partCount > 0)
        return PrecisionChange(sum / partCount);
    procSaveLog(QStringLiteral("error:TotalScore div tmpPartCount"));
    return PrecisionChange(sum / static_cast<double>(parts.size()));
}

double PassageSubmissionScore(const TJson &document, int lessonPartCount)
{
    if (lessonPartCount <= 0)
        return 0;
    return PrecisionChange(sumOfOveralls(A(document, "parts")));
}

double WordUnitScore(const TJson &document, int unitWordCount)
{
    if (unitWordCount <= 0)
        return 0;
    double sum = 0;
    for (const TJson &entry : A(document, "wordResult"))
        sum += SingleWordScore(AsJSon(entry));
    return PrecisionChange(sum / unitWordCount);
}
