// The unit progress step: the reply to the word-book (acWordFinishProgress) or textbook
// (acFinishLessonProgress) progress query updates each unit's completion and average, the
// whole book's figures in the header, the reminder and the page on show;
// storing one unit's figures on the open book and the rounded ends of the
// whole book's progress bar.

#include "StudyFrame.h"

#include "AssignQueries.h"
#include "UnitPaging.h"

#include "Log.h"
#include "PackBook.h"

#include "TLabel.h"
#include "TProgressBar.h"
#include "TRectangle.h"

#include <algorithm>
#include <map>

using namespace CoursePaging;

void TStudyFrame::Msg_UnitProgress(const QString &sjson)
{
    TFrameEntry entry(this);
    if (!PackBook)
        return;
    const auto reply = nlohmann::ordered_json::parse(sjson.toStdString(), nullptr, false);
    const bool wordBook = PackBook->IsWordBook;
    const int unitCount = static_cast<int>(PackBook->Units.size());

    Label_TotalUnitPage->SetText(TotalPageText(unitCount));
    Rectangle_UnitPageControl->SetX(wordBook ? kPagerXWordBook : kPagerXTextbook);

    // Each unit of the book counts once, with what its last item gave it;
    // items naming no unit of the book change nothing and add nothing. The
    // sums take the reply's own values: the unit keeps its average in single
    // precision, which would shift a sum such as 77.35 below its half.
    std::map<qint64, std::pair<int, double>> counted;
    for (const TUnitProgressItem &item : ReadProgressItems(reply, wordBook)) {
        const std::optional<int> percent = UnitPercent(item);
        if (!percent)
            continue;
        DisplayProgressBar(item.unitId, *percent, item.avgScore);
        const bool inBook = std::any_of(PackBook->Units.cbegin(), PackBook->Units.cend(),
                                        [&item](const TeduPack_Unit &unit) { return unit.Id == item.unitId; });
        if (inBook)
            counted[item.unitId] = {*percent, item.avgScore};
    }
    double percentSum = 0;
    double averageSum = 0;
    for (const auto &[unitId, figures] : counted) {
        percentSum += figures.first;
        averageSum += figures.second;
    }
    const TBookProgress whole = BookProgress(percentSum, averageSum, unitCount);
    Label_FullBookFinishRate->SetText(BookRateText(whole.finishRate));
    Label_FullBookAverageScore->SetText(BookAverageText(whole.average));
    ProgressBar_FullBookFinishRate->SetValue(whole.finishRate);

    if (wordBook)
        NotDisplayRemind();
    if (isAssignmentSkip) {
        // A pushed assignment chooses the page and walks on by itself.
        AssignmentWalk_UnitPage();
        return;
    }
    TUnFinishedInfo info;
    GetUnFinishedInfo(info);
    const TPageChoice choice = ChooseProgressPage(info.count, curselectUnitButtonIndex, unitCount);
    if (choice.showRemind && !wordBook)
        DisplayRemind();
    ShowUnitPage(choice.page);
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
