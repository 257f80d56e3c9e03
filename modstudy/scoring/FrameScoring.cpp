// The study frame's score arithmetic and unit progress.

#include "StudyFrame.h"

#include "ScoreTotals.h"

#include "PackBook.h"
#include "TProgressBar.h"
#include "TRectangle.h"

double TStudyFrame::GetSingleWordScore(const QString &entryText) const
{
    return SingleWordScore(entryText);
}

void TStudyFrame::DisplayProgressBar(qint64 unitId, int percent, double averageScore)
{
    if (!PackBook)
        return;
    for (TeduPack_Unit &unit : PackBook->Units) {
        if (unit.Id == unitId) {
            unit.SetFinishPercent(static_cast<float>(percent));
            unit.SetAverageScore(static_cast<float>(averageScore));
            return;
        }
    }
}

void TStudyFrame::ProgressBar_FullBookFinishRateApplyStyleLookup(TProgressBar *sender)
{
    if (!sender)
        return;
    for (const QString &name : {QStringLiteral("RectangleStyle1"), QStringLiteral("RectangleStyle2")}) {
        TRectangle *part = sender->FindStylePart(name);
        if (!part)
            continue;
        const double radius = RoundedEndRadius(part->Height());
        part->SetXRadius(radius);
        part->SetYRadius(radius);
    }
}
