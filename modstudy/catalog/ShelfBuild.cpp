// The course shelf's entry points reached from the frame and the dispatcher.
//
// Building the five tile lists, their picture chain, the shelf buttons and
// the course contents are built with the course catalog subsystem; until
// then each entry below logs that it was reached. Finding, opening and
// freeing tiles need nothing more and are complete.

#include "StudyFrame.h"

#include "PendingWork.h"

#include "TBookIconFrame.h"

namespace {
const QString kCatalog = QStringLiteral("course catalog");
}

void TStudyFrame::BuildUserBooks_UsuallyIcons(const QString &)
{
    LogPendingWork(QStringLiteral("BuildUserBooks_UsuallyIcons"), QStringLiteral("the recent course tiles"), kCatalog);
}

void TStudyFrame::BuildRecommandIcons(const QString &)
{
    LogPendingWork(QStringLiteral("BuildRecommandIcons"), QStringLiteral("the recommended course tiles"), kCatalog);
}

void TStudyFrame::BuildUserBooksIcons(const QString &)
{
    LogPendingWork(QStringLiteral("BuildUserBooksIcons"), QStringLiteral("the own course tiles"), kCatalog);
}

void TStudyFrame::BuildUserBooks_OutsideIcons(const QString &)
{
    LogPendingWork(QStringLiteral("BuildUserBooks_OutsideIcons"), QStringLiteral("the outside course tiles"), kCatalog);
}

void TStudyFrame::BuildMaterialsIcons(const QString &)
{
    LogPendingWork(QStringLiteral("BuildMaterialsIcons"), QStringLiteral("the teaching material tiles"), kCatalog);
}

void TStudyFrame::DisplayMyCourse_Usually()
{
    LogPendingWork(QStringLiteral("DisplayMyCourse_Usually"), QStringLiteral("the shelf picture chain"), kCatalog);
}

void TStudyFrame::Button_UsuallyBookClick(TControl *)
{
    LogPendingWork(QStringLiteral("Button_UsuallyBookClick"), QStringLiteral("switching shelves"), kCatalog);
}

void TStudyFrame::FreeGoodsContentsArrived(const QString &)
{
    LogPendingWork(QStringLiteral("FreeGoodsContentsArrived"), QStringLiteral("the recommended course contents"), kCatalog);
}

void TStudyFrame::MaterialContentArrived(const QString &)
{
    LogPendingWork(QStringLiteral("MaterialContentArrived"), QStringLiteral("the teaching material passage"), kCatalog);
}

void TStudyFrame::ContinuePictureChain(const QString &, const QString &key)
{
    LogPendingWork(QStringLiteral("ContinuePictureChain"), QStringLiteral("the shelf picture ") % key, kCatalog);
}

int TStudyFrame::FindBook(const QList<TBookIconFrame *> &List, const QString &Name, qint64 Id) const
{
    for (int i = 0; i < List.size(); ++i) {
        const TBookIconFrame *tile = List.at(i);
        if (tile && tile->LessonID() == Id && tile->LessonName().compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
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
        ShowInfo(QStringLiteral("我的课程中未找到“") % Sender->GoodsName() % QStringLiteral("”这本书，请选择其它课本"));
        return;
    }
    curSelectBookType = QStringLiteral("mycourse_usally");
    curSelectBook = book;
    QueryPackageVersion(book->LessonID(), book->CourseType(), false);
}

void TStudyFrame::FreeShelfLists()
{
    for (QList<TBookIconFrame *> *list : {&RecommandGoods, &Materials, &UserBooks, &UserBooks_Outside, &UserBooks_Usually}) {
        qDeleteAll(*list);
        list->clear();
    }
    curSelectBook = nullptr;
}
