// Opening a shelf tile: an own, outside or recently used book asks for its
// package record; a teaching material asks for its content (acMaterialContent) and the
// reply (acMaterialContentItems) hands the passage to the passage view and fetches its audio.

#include "StudyFrame.h"
#include "StudyPartFrame.h"

#include "Envelope.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "Requests.h"
#include "ShelfJson.h"
#include "ShelfLayout.h"

#include "LocalPath.h"
#include "TBookIconFrame.h"
#include "TextTools.h"

#include <QFileInfo>

using nlohmann::ordered_json;

void TStudyFrame::StudyMyCourseMouseUp(TBookIconFrame *Sender, Qt::MouseButton, double, double)
{
    if (!Sender)
        return;
    bStop = false;
    bStopDownloadBookPicture = true;
    curSelectMyCourseIndex = Sender->Tag();
    curSelectBookType = QStringLiteral("mycourse");
    curSelectBook = Sender;
    QueryPackageVersion(Sender->LessonID(), Sender->CourseType(), false);
}

void TStudyFrame::StudyMyCourse_OutsideMouseUp(TBookIconFrame *Sender, Qt::MouseButton, double, double)
{
    if (!Sender)
        return;
    bStop = false;
    bStopDownloadBookPicture = true;
    curSelectMyCourse_OutsideIndex = Sender->Tag();
    curSelectBookType = QStringLiteral("mycourse_outside");
    curSelectBook = Sender;
    QueryPackageVersion(Sender->LessonID(), Sender->CourseType(), false);
}

void TStudyFrame::StudyMyCourse_UsuallyMouseUp(TBookIconFrame *Sender, Qt::MouseButton, double, double)
{
    if (!Sender)
        return;
    bStop = false;
    bStopDownloadBookPicture = true;
    // The recent tile stands for a book of the own or outside shelf.
    const auto find = [Sender](const QList<TBookIconFrame *> &list) {
        for (int i = 0; i < list.size(); ++i) {
            if (list.at(i)->LessonID() == Sender->LessonID() && list.at(i)->CourseType() == Sender->CourseType())
                return i;
        }
        return -1;
    };
    TBookIconFrame *book = nullptr;
    if (const int own = find(UserBooks); own >= 0) {
        curSelectMyCourseIndex = own;
        book = UserBooks.at(own);
    } else if (const int outside = find(UserBooks_Outside); outside >= 0) {
        curSelectMyCourse_OutsideIndex = outside;
        book = UserBooks_Outside.at(outside);
    }
    if (!book) {
        ShowInfo(Shelf::RecentBookMissingText(Sender->GoodsName()));
        return;
    }
    curSelectBookType = QStringLiteral("mycourse_usally");
    curSelectBook = book;
    QueryPackageVersion(book->LessonID(), book->CourseType(), false);
}

void TStudyFrame::StudyMaterialsMouseUp(TBookIconFrame *Sender, Qt::MouseButton, double, double)
{
    if (!Sender)
        return;
    bStop = false;
    bStopDownloadBookPicture = true;
    MaterialDetailContent.clear();
    curSelectMaterialsIndex = Sender->Tag();
    curSelectBookType = QStringLiteral("materials");
    SendRequest(Request::MaterialContent({Uid(), SchoolUserId()}, Sender->MaterialId()));
    curSelectLessonId = static_cast<int>(Sender->MaterialId());
}

void TStudyFrame::Msg_MaterialContentItems(const QString &sjson)
{
    const TParsedMessage parsed = ParseMessage(sjson);
    if (!parsed.ok || !parsed.body.contains("items"))
        return;
    // A fresh passage view for every material.
    FreeModeFrames();
    auto *view = new TStudyPartFrame(Rectangle_StudyCenterBackground);
    StudyPartFrame = view;
    view->SetCustomHint(FCustomHint);
    view->SetSoundEngine(FSoundEngine);
    view->SetUIArchive(FUIArchive);
    view->show();
    CurSelectPartCount = 1;
    QStringList voices;
    for (const ordered_json &e : Shelf::MemberArray(parsed.body, "items")) {
        if (!e.is_object())
            continue;
        MaterialDetailContent = QString::fromStdString(e.dump(-1, ' ', false, ordered_json::error_handler_t::replace));
        CreateMaterialPassage(AddSpace(Shelf::MemberText(e, "content"), QStringLiteral(", ")), true);
        const QString voice = Shelf::MemberText(e, "origiVoice");
        MaterialVoiceName = LocalNameFromUrl(voice);
        const bool present = !MaterialVoiceName.isEmpty()
                             && QFileInfo::exists(LocalPath(FMainPath, QStringLiteral("Data\\") % MaterialVoiceName));
        if (!present || MaterialVoiceName.size() < 10)
            voices << voice;
    }
    // The material reads in passage reading. Its picture is fetched first
    // (that step waits for its own download), its audio after it, so that
    // the two download answers are not taken for each other.
    TabControl_Home->SetTabIndex(pgStudy);
    StudyModule = smStudyPart;
    DoUpdateLV_Part(0, 0);
    for (const QString &voice : voices) {
        NowLoadType = LTMaterialVoic;
        GetDownLoadURLResource(voice);
    }
}

void TStudyFrame::CreateMaterialPassage(const QString &content, bool)
{
    MaterialPassageText = content;
    if (StudyPartFrame)
        StudyPartFrame->CreateMaterial(content);
}
