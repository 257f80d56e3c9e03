// The study frame's result page: a passage or word drill result shown in a
// fresh result view, then submitted; and the speech of a word clicked there.

#include "StudyFrame.h"

#include "PendingWork.h"
#include "Requests.h"
#include "ResultLayout.h"
#include "ScoreTotals.h"
#include "StudyDisplayFrame.h"
#include "StudyWordFrame.h"

#include "JsonModel.h"

#include "TButton.h"
#include "TCheckBox.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"

namespace {
// Hides the items of the service's answer until the answer to this
// submission shows them again.
void HideRewardItems(std::initializer_list<TControl *> items)
{
    for (TControl *c : items)
        c->SetVisible(false);
}
} // namespace

TStudyDisplayFrame *TStudyFrame::NewDisplayFrame()
{
    delete StudyDisplayFrame.data();
    TRectangle *host = Rectangle_StudyDisplayScoreBackground;
    auto *view = new TStudyDisplayFrame(host, host->Width(), host->Height());
    view->SetUIArchive(FUIArchive);
    view->SetSoundEngine(FSoundEngine);
    QPointer<TStudyFrame> self(this);
    view->SetwordTextClick([self](TControl *sender) {
        if (self)
            self->RunHandler(QStringLiteral("WordResultTextClick"), [&] { self->WordResultTextClick(sender); });
    });
    view->show();
    StudyDisplayFrame = view;
    return view;
}

void TStudyFrame::DisplayScore(int pointType, const QString &doc)
{
    StudyModule = smBookResult;
    HideRewardItems({Rectangle_Medal, Text_MedalCount, Rectangle_Exp, Text_Exp, Rectangle_voxCoin, Text_voxCoin});
    TStudyDisplayFrame *view = NewDisplayFrame();
    TabControl_Home->SetTabIndex(pgDisplayScore);
    view->DisplayPartScore(doc);
    Text_DisplayTotalScore->SetText(DecimalScoreText(view->TotalScore()));
    SendPartScore(curSelectLessonId, CurSelectPartCount, doc, pointType);
}

void TStudyFrame::DisplayWordScore(int pointType, const QString &doc)
{
    StudyModule = smWordResult;
    HideRewardItems({Rectangle_Medal, Text_MedalCount, Rectangle_Exp, Text_Exp, Rectangle_voxCoin, Text_voxCoin});
    TStudyDisplayFrame *view = NewDisplayFrame();
    TabControl_Home->SetTabIndex(pgDisplayScore);
    view->DisplayWordScore_New(doc);
    TJson document;
    if (!TrySO(doc, document) || !document.is_object())
        document = TJson::object();
    // The unit's word count is the number of "wordResult" entries the drill
    // wrote; the total counts the words not graded as 0.
    const int unitCount = I(document, "wordTotalCount");
    Text_DisplayTotalScore->SetText(DecimalScoreText(WordUnitScore(document, unitCount)));
    SendPartScore(curSelectLessonId, unitCount, doc, pointType);

    auto *card = qobject_cast<TStudyWordFrame *>(StudyWordFrame.data());
    if (!card)
        return;
    card->CheckBox_AutoPlayExample->SetIsChecked(true);
    if (card->CheckBox_OnlyStudyUnread->IsChecked())
        LogPendingWork(QStringLiteral("DisplayWordScore"),
                       QStringLiteral("refreshing the unread words of the home card"), QStringLiteral("word drill"));
    Text_SelectSentenceIndex->SetText(QStringLiteral("1"));
    card->Rectangle_WordStudyHome->SetVisible(true);
    StudyModule = smWordHome;
    card->Rectangle_WordStudy->SetVisible(false);
}

void TStudyFrame::WordResultTextClick(TControl *sender)
{
    if (!sender)
        return;
    LastRectangleClickControl = sender;
    if (auto *button = qobject_cast<TButton *>(sender))
        button->SetIsPressed(true);
    const QString word = sender->TagString().trimmed();
    // A blank cell has nothing to say; the service would refuse the request.
    if (word.isEmpty()) {
        if (auto *button = qobject_cast<TButton *>(sender))
            button->SetIsPressed(false);
        return;
    }
    SendRequest(Request::GetTTSAudio(word));
}
