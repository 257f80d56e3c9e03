// Recommended courses: a click on a recommended tile asks for the courses it
// contains (acFreeGoods); the reply (acFreeGoodsContents) either shows that the learner already
// has them or offers to add them (acAddMyCourse, answered by acAddMyCourseResult). Closing the panel
// asks for the shelf again when a course was added, so the new course
// appears among the own books.

#include "StudyFrame.h"

#include "Envelope.h"
#include "Requests.h"
#include "ShelfJson.h"
#include "ShelfLayout.h"

#include "Log.h"
#include "TBookIconFrame.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TVertScrollBox.h"
#include "TeduUserOwnFreeGoods.h"

void TStudyFrame::StudyRecommendMouseUp(TBookIconFrame *Sender, Qt::MouseButton, double, double)
{
    if (!Sender)
        return;
    bStop = false;
    bStopDownloadBookPicture = true;
    curSelectRecommandIndex = Sender->Tag();
    curSelectBookType = QStringLiteral("recommend");
    curSelectBook = Sender;
    QueryFreeGoods(Uid(), Sender->GoodsID());
}

void TStudyFrame::QueryFreeGoods(qint64 userId, qint64 goodsId)
{
    SendRequest(Request::QueryFreeGoods(userId, goodsId));
}

void TStudyFrame::AddMyCourse(qint64 userId, qint64 goodsId)
{
    SendRequest(Request::AddMyCourse(userId, goodsId));
}

void TStudyFrame::DecodeOwnFreeGoods(const QString &sjson)
{
    UserOwnFreeGoodses.clear();
    const TParsedMessage parsed = ParseMessage(sjson);
    if (!parsed.ok)
        return;
    for (const nlohmann::ordered_json &item : Shelf::MemberArray(parsed.body, "items")) {
        if (!item.is_object())
            continue;
        auto goods = std::make_unique<TeduUserOwnFreeGoods>();
        goods->LoadFromJson(item);
        UserOwnFreeGoodses.push_back(std::move(goods));
    }
}

void TStudyFrame::Msg_FreeGoodsContents(const QString &sjson)
{
    DecodeOwnFreeGoods(sjson);
    QStringList titles;
    for (const auto &goods : UserOwnFreeGoodses)
        titles << goods->packageTitle;
    const QString listText = Shelf::CourseListText(titles);
    if (curSelectRecommandIndex < 0 || curSelectRecommandIndex >= RecommandGoods.size()) {
        procSaveLog(QStringLiteral("info：Msg_FreeGoodsContents: no recommended tile at ")
                    % QString::number(curSelectRecommandIndex));
        return;
    }
    const TBookIconFrame *tile = RecommandGoods.at(curSelectRecommandIndex);
    const QString name = tile->GoodsName();
    const qint64 goodsId = tile->GoodsID();
    if (UserOwnFreeGoodses.empty())
        return;
    if (UserOwnFreeGoodses.front()->hasGoods == 1) {
        Label_RecommandMessageContent->SetPosition(0, 0);
        Label_RecommandMessageContent->SetWidth(VertScrollBox_RecommandMessage->Width() - 20);
        Label_RecommandMessageContent->SetAutoSize(true);
        Label_RecommandMessageContent->SetText(Shelf::AlreadyAddedText(name, listText));
        Rectangle_RecommandContentBackGground->BringToFront();
        Rectangle_RecommandContentBackGground->SetVisible(true);
        return;
    }
    if (!FCustomMsg) {
        procSaveLog(QStringLiteral("info：Msg_FreeGoodsContents: no message service to ask about ") % name);
        return;
    }
    FCustomMsg->SetOkCaption(QStringLiteral("确定"));
    FCustomMsg->SetCancelCaption(QStringLiteral("取消"));
    // The question is modal and keeps the event loop running; only values
    // taken before it are used after it.
    if (FCustomMsg->AskQuestion(Shelf::AddCourseQuestion(name, listText), mbYesNo) == mrYes)
        AddMyCourse(Uid(), goodsId);
}

void TStudyFrame::Button_CloseRecommandContentClick()
{
    Rectangle_RecommandContentBackGground->SetVisible(false);
}

void TStudyFrame::CornerButton_MessageCloseClick()
{
    Rectangle_RecommandContentBackGground->SetVisible(false);
}

void TStudyFrame::Button_CloseRecommandRootClick()
{
    Rectangle_RecommandRootBackGground->SetVisible(false);
    Rectangle_RecommandContentBackGground->SetVisible(false);
    bStopDownloadBookPicture = false;
    if (isAddMyCourse) {
        // Without the wait: the reply rebuilds the shelf when it comes.
        bResponse = false;
        SendRequest(Request::QueryALLBooks({Uid(), SchoolUserId()}));
    }
}
