// Pressing a unit and a lesson: the engine check, the outline of the pressed
// row, its lesson panel with one row per lesson (taller for a title that
// wraps), the selection look of a pressed lesson and the four-mode menu.

#include "StudyFrame.h"
#include "Palette.h"

#include "LessonDisplayFrame.h"
#include "UnitPaging.h"

#include "Commonconst.h"
#include "Log.h"
#include "PackBook.h"

#include "TButton.h"
#include "TEffects.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TVertScrollBox.h"

#include <stdexcept>

using namespace CoursePaging;

namespace {
constexpr TAlphaColor kFlagFinished = 0xFF52B65E;
constexpr TAlphaColor kFlagUnfinished = 0xFFE60012;
const QString kEngineStarting =
    QStringLiteral("初始化引擎中，请等几秒再试！如果等待多时仍然不行，请检查网络是否正常，并重启程序");
const QString kUnitFailed = QStringLiteral("打开单元失败，请重试");
const QString kLessonFailed = QStringLiteral("打开课失败，请重试");

void PlainLessonLook(TRectangle *back, TLabel *title)
{
    back->SetFill(TRectangle::FillKind::None);
    back->SetSides(TRectangle::AllSides);
    back->SetStrokeColor(Palette::kSkyBlue);
    back->SetStrokeThickness(1);
    title->SetColor(Palette::kBlack);
}
} // namespace

void TStudyFrame::UnitButtonMouseDown(TControl *Sender, Qt::MouseButton, Qt::KeyboardModifiers, double, double)
{
    TFrameEntry entry(this);
    isAssignmentWordUnit = false;
    if (!FGradeEngine || !FGradeEngine->IsEngineReady()) {
        ShowInfo(kEngineStarting);
        return;
    }
    if (!Sender)
        return;
    const int RowIndex = Sender->Tag();
    const int UnitIndex = NearestInt(Sender->TagFloat());
    try {
        if (!PackBook || UnitIndex < 0 || UnitIndex >= PackBook->Units.size() || !UnitRow(RowIndex))
            throw std::out_of_range("no such unit on the page");
        const bool wordBook = PackBook->IsWordBook;
        for (int r = 0; r < LessonDisplays.size(); ++r) {
            TLessonDisplayFrame *row = UnitRow(r);
            if (!row)
                continue;
            row->SetArrayIndex(r);
            row->SetisWordUnit(wordBook);
            const bool pressed = r == RowIndex;
            row->CornerButton_Unit->SetStyleLookup(pressed ? QStringLiteral("CornerButtonCustom1_qrt")
                                                           : QStringLiteral("CornerButtonCustom11_qrt"));
            row->SetLessonPanelVisible(pressed);
            row->DisplaySides(pressed);
        }
        bool ok = false;
        curAssignmentid = Sender->TagString().toInt(&ok);
        if (!ok)
            curAssignmentid = 0;

        const TeduPack_Unit &unit = PackBook->Units.at(UnitIndex);
        TLessonDisplayFrame *pressedRow = UnitRow(RowIndex);
        bool finished = true;
        QString content;
        if (GetUserType() == 1 && wordBook && IsAssignmentUnit(static_cast<int>(unit.Id), finished, content)) {
            pressedRow->SetWordFinishContent(content);
            isAssignmentWordUnit = true;
        }
        for (int r = 0; r < LessonDisplays.size(); ++r)
            NotDisplayLesson(r);
        if (!wordBook)
            DisplayLesson(RowIndex, UnitIndex);
        else
            pressedRow->DisplayWordStudyMode();
        curselectUnitButtonIndex = UnitIndex;
    } catch (const std::exception &) {
        procSaveLog(QStringLiteral("error:UnitButtonMouseDown:UnitIndex:") + QString::number(UnitIndex));
        ShowInfo(kUnitFailed);
        return;
    }
    // A pushed assignment goes on to its one unfinished lesson.
    AssignmentWalk_Lesson(RowIndex, UnitIndex);
}

void TStudyFrame::NotDisplayLesson(int RowIndex)
{
    if (TLessonDisplayFrame *row = UnitRow(RowIndex))
        row->CloseLessonDisplay();
}

namespace {
// The flag of lesson row i: shown with its state when the lesson is
// assigned (and assignments apply to the user), hidden otherwise; an
// assigned lesson's title carries the mark in its hint once.
void ApplyLessonFlag(TStudyFrame *frame, TLessonDisplayFrame *row, int i)
{
    TRectangle *flag = row->FRectangle_LessonFinishFlag.at(i);
    TLabel *flagText = row->FLabel_LessonFinishFlag.at(i);
    TLabel *title = row->FTextLesson.at(i);
    const int lessonId = row->FRectangleLesson.at(i)->Tag();
    bool finished = true;
    if (frame->GetUserType() == 1 && frame->IsAssignmentLesson(lessonId, finished)) {
        title->SetHint(WithAssignmentMark(title->Hint()));
        flag->SetVisible(true);
        flag->SetFillColor(finished ? kFlagFinished : kFlagUnfinished);
        flagText->SetText(finished ? QStringLiteral("已完成") : QStringLiteral("未完成"));
    } else {
        flag->SetVisible(false);
    }
}
} // namespace

void TStudyFrame::DisplayLesson(int RowIndex, int UnitIndex)
{
    TFrameEntry entry(this);
    TLessonDisplayFrame *row = UnitRow(RowIndex);
    int building = 0;
    try {
        if (!row || !PackBook || UnitIndex < 0 || UnitIndex >= PackBook->Units.size())
            throw std::out_of_range("no such unit on the page");
        row->BringToFront();
        row->SetLessonPanelVisible(true);
        row->VertScrollBox_Lesson->SetVisible(true);
        row->ClearLessonDisplay();
        const QList<TeduPack_Lesson> &lessons = PackBook->Units.at(UnitIndex).Lessons;
        TLessonRowPlace previous;
        for (int i = 0; i < lessons.size(); ++i) {
            building = i;
            const TeduPack_Lesson &lesson = lessons.at(i);
            auto *back = new TRectangle(row->VertScrollBox_Lesson->Content());
            auto *title = new TLabel(back);
            auto *flag = new TRectangle(back);
            auto *flagText = new TLabel(flag);
            row->FRectangleLesson.append(back);
            row->FTextLesson.append(title);
            row->FRectangle_LessonFinishFlag.append(flag);
            row->FLabel_LessonFinishFlag.append(flagText);

            back->SetName(QStringLiteral("RectangleLesson") + QString::number(i));
            back->SetSize(404, kLessonRowMinHeight);
            back->SetTag(static_cast<int>(lesson.Id));
            PlainLessonLook(back, title);

            title->SetName(QStringLiteral("TextLesson") + QString::number(i));
            title->SetHitTest(true);
            title->SetBounds(20, 0, 334, kLessonRowMinHeight);
            title->SetFontFamily(FontWQYdzStr);
            title->SetFontSize(13);
            title->SetHorzAlign(TTextAlign::Leading);
            title->SetWordWrap(true);
            title->SetText(LessonTitle(i, lesson.Name));
            // The title takes the height its wrapped text needs; a one-line
            // title keeps the row's normal height.
            const double needed = title->AutoSizedHeight();
            const TLessonRowPlace place = PlaceLessonRow(i == 0 ? nullptr : &previous, needed);
            previous = place;
            title->SetHeight(place.height);
            back->SetPosition(0, place.y);
            back->SetHeight(place.height);
            back->SetXRadius(place.radius);
            back->SetYRadius(place.radius);
            title->SetTag(RowIndex);
            title->SetTagFloat(UnitIndex);
            title->SetTagString(QString::number(i));
            connect(title, &TControl::MouseDown, this,
                    [this](TControl *s, Qt::MouseButton b, Qt::KeyboardModifiers m, QPointF p) {
                        RunHandler(QStringLiteral("LessonButtonMouseDown"),
                                   [&] { LessonButtonMouseDown(s, b, m, p.x(), p.y()); });
                    });
            connect(title, &TControl::MouseEnter, this, [this](TControl *s) {
                RunHandler(QStringLiteral("LessonButtonMouseEnter"), [&] { LessonButtonMouseEnter(s); });
            });
            connect(title, &TControl::MouseLeave, this, [this](TControl *s) {
                RunHandler(QStringLiteral("LessonButtonMouseLeave"), [&] { LessonButtonMouseLeave(s); });
            });

            flag->SetName(QStringLiteral("RectangleLessonFinishFlag") + QString::number(i));
            flag->SetBounds(back->Width() - 46, 0, 46, place.height);
            flag->SetXRadius(place.radius);
            flag->SetYRadius(place.radius);
            flag->SetStrokeThickness(0);
            flag->SetHitTest(false);
            flagText->SetName(QStringLiteral("LabelLessonFinishFlag") + QString::number(i));
            flagText->SetBounds(0, 0, 46, place.height);
            flagText->SetHorzAlign(TTextAlign::Center);
            flagText->SetColor(Palette::kWhite);
            flagText->SetFontFamily(FontWQYdzStr);
            flagText->SetFontSize(10);
            ApplyLessonFlag(this, row, i);
            back->SetVisible(true);
        }
        row->PlaceLessonPanel();
    } catch (const std::exception &) {
        procSaveLog(QStringLiteral("error: DisplayLesson:UnitIndex:") + QString::number(UnitIndex)
                    + QStringLiteral(":LessonIndex:") + QString::number(building));
        ShowInfo(kLessonFailed);
    }
}

void TStudyFrame::LessonButtonMouseDown(TControl *Sender, Qt::MouseButton, Qt::KeyboardModifiers, double, double)
{
    TFrameEntry entry(this);
    if (!Sender)
        return;
    const int RowIndex = Sender->Tag();
    bool ok = false;
    int k = Sender->TagString().toInt(&ok);
    if (!ok)
        k = 0;
    try {
        TLessonDisplayFrame *row = UnitRow(RowIndex);
        if (!row || k < 0 || k >= row->FRectangleLesson.size())
            throw std::out_of_range("no such lesson in the panel");
        isAssignment = Sender->Hint().contains(QStringLiteral("有作业"));
        for (int j = 0; j < row->FRectangleLesson.size(); ++j) {
            PlainLessonLook(row->FRectangleLesson.at(j), row->FTextLesson.at(j));
            ApplyLessonFlag(this, row, j);
        }
        TRectangle *back = row->FRectangleLesson.at(k);
        back->SetStrokeThickness(0);
        back->SetFillColor(Palette::kCourseOrange);
        row->ShadowEffect_public->SetTarget(back);
        row->ShadowEffect_public->SetEnabled(true);
        row->FTextLesson.at(k)->SetColor(Palette::kWhite);
        ApplyLessonFlag(this, row, k);
        row->DisplayStudyMode(back->Y() + back->Height() - 2);
        curSelectLessonButtonIndex = k;
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error: LessonButtonMouseDown:UnitIndex:") + QString::number(RowIndex)
                    + QStringLiteral(":LessonIndex:") + QString::number(k) + QStringLiteral("。")
                    + QString::fromUtf8(e.what()));
        ShowInfo(kLessonFailed);
        return;
    }
    // A pushed assignment starts passage reading of an unfinished lesson.
    AssignmentWalk_Mode(RowIndex, k);
}

namespace {
TRectangle *HoveredLessonRow(const TStudyFrame *frame, TControl *title)
{
    if (!title)
        return nullptr;
    TLessonDisplayFrame *row = frame->UnitRow(title->Tag());
    bool ok = false;
    const int k = title->TagString().toInt(&ok);
    if (!row || !ok || k < 0 || k >= row->FRectangleLesson.size())
        return nullptr;
    return row->FRectangleLesson.at(k);
}
} // namespace

void TStudyFrame::LessonButtonMouseEnter(TControl *Sender)
{
    if (TRectangle *back = HoveredLessonRow(this, Sender))
        back->SetX(back->X() + 10);
}

void TStudyFrame::LessonButtonMouseLeave(TControl *Sender)
{
    if (TRectangle *back = HoveredLessonRow(this, Sender))
        back->SetX(back->X() - 10);
}
