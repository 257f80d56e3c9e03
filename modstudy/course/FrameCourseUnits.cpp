// The unit rows of the course page: building a page of five rows for a
// textbook or a word book, paging, freeing the rows, the index look-ups, and
// the request that follows the lesson list reply.

#include "StudyFrame.h"

#include "LessonDisplayFrame.h"
#include "UnitPaging.h"

#include "Requests.h"

#include "PackBook.h"
#include "TBookIconFrame.h"

#include "TButton.h"
#include "TImageControl.h"
#include "TLabel.h"
#include "TProgressBar.h"
#include "TRectangle.h"
#include "TVertScrollBox.h"

using namespace CoursePaging;

namespace {
// The handlers every unit row of a page shares, wired to the frame.
void WireRow(TStudyFrame *frame, TLessonDisplayFrame *row)
{
    row->SetOnButtonMouseDown([frame](TControl *s, Qt::MouseButton b, Qt::KeyboardModifiers m, double x, double y) {
        frame->RunHandler(QStringLiteral("UnitButtonMouseDown"), [&] { frame->UnitButtonMouseDown(s, b, m, x, y); });
    });
    row->SetOnTitleMouseEnter([frame](TControl *s) {
        frame->RunHandler(QStringLiteral("UnitTitleMouseEnter"), [&] { frame->UnitTitleMouseEnter(s); });
    });
    row->SetOnTitleMouseLeave([frame](TControl *s) {
        frame->RunHandler(QStringLiteral("UnitTitleMouseLeave"), [&] { frame->UnitTitleMouseLeave(s); });
    });
    row->SetOnButtonMouseEnter([frame](TControl *s) {
        frame->RunHandler(QStringLiteral("UnitButtonMouseEnter"), [&] { frame->UnitButtonMouseEnter(s); });
    });
    row->SetOnButtonMouseLeave([frame](TControl *s) {
        frame->RunHandler(QStringLiteral("UnitButtonMouseLeave"), [&] { frame->UnitButtonMouseLeave(s); });
    });
    row->SetOnStudyModeUp([frame](TControl *s, Qt::MouseButton b, Qt::KeyboardModifiers m, double x, double y) {
        frame->RunHandler(QStringLiteral("StudyModeButtonUp"), [&] { frame->StudyModeButtonUp(s, b, m, x, y); });
    });
}

// A new row of a unit page: the `i`-th row of the page that starts with the
// book's unit `first`, wired, named, laid out for a lesson or a word unit,
// with the unit's number, title, hints and tags. Assignment marks and the
// progress are the caller's.
TLessonDisplayFrame *NewUnitRow(TStudyFrame *frame, int i, int first, const TeduPack_Unit &unit, bool wordUnit)
{
    auto *row = new TLessonDisplayFrame(frame->VertScrollBox_Unit->Content());
    row->SetUIArchive(frame->UIArchive());
    frame->LessonDisplays.append(row);
    row->SetName(QStringLiteral("LessonDisplays") + QString::number(i));
    row->SetLessonPanelVisible(false);
    WireRow(frame, row);
    if (wordUnit) {
        row->SetOnWordStudyModeUp([frame](TControl *s, Qt::MouseButton b, Qt::KeyboardModifiers m, double x, double y) {
            frame->RunHandler(QStringLiteral("WordStudyModeButtonUp"),
                              [&] { frame->WordStudyModeButtonUp(s, b, m, x, y); });
        });
        row->Label_Word->SetTag(i);
        row->Label_Word->SetTagFloat(first + i);
    }
    row->LayoutAs(wordUnit);
    if (!wordUnit)
        row->Rectangle_WordFinishInfo->SetVisible(false);
    row->SetPosition(18, i * kUnitRowHeight);

    TCornerButton *button = row->CornerButton_Unit;
    button->SetText(QStringLiteral("No.") + QString::number(first + i + 1));
    row->Label_Title->SetText(unit.Name);
    row->SetHint(unit.Name);
    row->SetUnitID(unit.Id);
    row->SetLessonID(unit.Id);
    button->SetTag(i);
    button->SetTagFloat(first + i);
    button->SetHint(QStringLiteral("点击打开'") + button->Text() + QStringLiteral("'"));
    return row;
}

// The unit's completion and average on its row.
void ShowUnitProgress(TLessonDisplayFrame *row, const TeduPack_Unit &unit)
{
    const int percent = NearestInt(unit.FinishPercent());
    row->ProgressBar_Percent->SetValue(percent);
    row->Text_Percent->SetText(UnitRateText(percent));
    row->Label_AverageScore->SetText(UnitAverageText(unit.AverageScore()));
}
} // namespace

TLessonDisplayFrame *TStudyFrame::UnitRow(int index) const
{
    if (index < 0 || index >= LessonDisplays.size())
        return nullptr;
    return qobject_cast<TLessonDisplayFrame *>(LessonDisplays.at(index));
}

void TStudyFrame::ClearUnitDisplay()
{
    FreeUnitComponent();
}

void TStudyFrame::FreeUnitComponent()
{
    const QList<TFrame *> rows = LessonDisplays;
    LessonDisplays.clear();
    for (TFrame *row : rows) {
        if (auto *unitRow = qobject_cast<TLessonDisplayFrame *>(row))
            unitRow->Dispose();
        else if (row)
            row->deleteLater();
    }
}

void TStudyFrame::ShowUnitPage(int Page)
{
    if (PackBook && PackBook->IsWordBook)
        DoUpdateLv_WordUnits(Page);
    else
        DoUpdateLV_Units(Page);
}

void TStudyFrame::DoUpdateLV_Units(int Page)
{
    const int first = FirstUnitOfPage(Page);
    Label_CurrentUnitPage->SetText(QString::number(Page));
    FreeUnitComponent();
    if (!PackBook)
        return;
    const int rows = RowsOnPage(Page, static_cast<int>(PackBook->Units.size()));
    const bool assignmentsOn = GetUserType() == 1;
    for (int i = 0; i < rows; ++i) {
        const TeduPack_Unit &unit = PackBook->Units.at(first + i);
        TLessonDisplayFrame *row = NewUnitRow(this, i, first, unit, false);
        TCornerButton *button = row->CornerButton_Unit;

        bool finished = true;
        QString content;
        if (assignmentsOn && IsAssignmentUnit(static_cast<int>(unit.Id), finished, content)) {
            row->Rectangle_UnitFinishFlag->SetVisible(true);
            button->SetHint(WithAssignmentMark(button->Hint()));
            row->Label_UnitFinishFlag->SetRibbon(Image1->Image(finished ? 0 : 1));
            row->Label_UnitFinishFlag->SetText(finished ? QStringLiteral("已完成") : QStringLiteral("未完成"));
        } else {
            row->Rectangle_UnitFinishFlag->SetVisible(false);
        }

        ShowUnitProgress(row, unit);
    }
}

void TStudyFrame::DoUpdateLv_WordUnits(int Page)
{
    const int first = FirstUnitOfPage(Page);
    Label_CurrentUnitPage->SetText(QString::number(Page));
    FreeUnitComponent();
    if (!PackBook)
        return;
    const int rows = RowsOnPage(Page, static_cast<int>(PackBook->Units.size()));
    const bool assignmentsOn = GetUserType() == 1;
    for (int i = 0; i < rows; ++i) {
        const TeduPack_Unit &unit = PackBook->Units.at(first + i);
        TLessonDisplayFrame *row = NewUnitRow(this, i, first, unit, true);
        TCornerButton *button = row->CornerButton_Unit;
        row->Rectangle_UnitFinishFlag->SetVisible(false);

        bool finished = true;
        QString content;
        if (assignmentsOn && IsAssignmentUnit(static_cast<int>(unit.Id), finished, content)) {
            row->Rectangle_WordFinishInfo->SetVisible(true);
            row->SetWordFinishContent(content);
            button->SetTagString(QString::number(GetAssignmentIdBy(static_cast<int>(unit.Id))));
            button->SetHint(WithAssignmentMark(button->Hint()));
        } else {
            row->Rectangle_WordFinishInfo->SetVisible(false);
        }

        ShowUnitProgress(row, unit);
    }
}

void TStudyFrame::Button_UnitNexPageClick()
{
    const int units = PackBook ? static_cast<int>(PackBook->Units.size()) : 0;
    if (const std::optional<int> page = NextPage(Label_CurrentUnitPage->Text(), units))
        ShowUnitPage(*page);
}

void TStudyFrame::Button_UnitPreviousPageClick()
{
    if (const std::optional<int> page = PreviousPage(Label_CurrentUnitPage->Text()))
        ShowUnitPage(*page);
}

int TStudyFrame::GetUnitLabelIndex(qint64 UnitId) const
{
    if (!PackBook)
        return 0;
    for (int i = 0; i < PackBook->Units.size(); ++i)
        if (PackBook->Units.at(i).Id == UnitId)
            return i;
    return 0;
}

int TStudyFrame::GetLessonLabelIndex(int UnitIndex, qint64 LessonId) const
{
    if (!PackBook || UnitIndex < 0 || UnitIndex >= PackBook->Units.size())
        return 0;
    const QList<TeduPack_Lesson> &lessons = PackBook->Units.at(UnitIndex).Lessons;
    for (int i = 0; i < lessons.size(); ++i)
        if (lessons.at(i).Id == LessonId)
            return i;
    return 0;
}

// The title and the button of a unit row only show their hint through the
// toolkit; nothing else happens on entering or leaving them.
void TStudyFrame::UnitTitleMouseEnter(TControl *)
{
}
void TStudyFrame::UnitTitleMouseLeave(TControl *)
{
}
void TStudyFrame::UnitButtonMouseEnter(TControl *)
{
}
void TStudyFrame::UnitButtonMouseLeave(TControl *)
{
}

void TStudyFrame::Msg_LessonList(const QString &)
{
    if (!curSelectBook)
        return;
    const TRequestIdentity who{FLoginInfos ? FLoginInfos->GetUid() : 0, 0};
    if (FLessonQueryType == QLatin1String("unit"))
        SendRequest(Request::QueryWordFinish(who, curSelectBook->LessonID()));
    else if (FLessonQueryType == QLatin1String("book") && curSelectBook->CourseType() == QLatin1String("U"))
        SendRequest(Request::QueryFinishLesson(who, curSelectBook->LessonID()));
}
