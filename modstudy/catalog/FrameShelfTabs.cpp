// Choosing what the shelf shows: the four shelf buttons, the three shelf
// tabs, the box titles of the own books and the teaching materials with
// their glow, and the panels they show or hide.

#include "StudyFrame.h"
#include "Palette.h"

#include "ShelfLayout.h"

#include "TBookIconFrame.h"
#include "TButton.h"
#include "TEffects.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"
#include "TVertScrollBox.h"

namespace {

// Places the controls side by side from x = 0, each at the right edge of the
// one before.
void LayOutLeftToRight(std::initializer_list<TControl *> controls)
{
    double x = 0;
    for (TControl *c : controls) {
        c->SetX(x);
        x += c->Width();
    }
}

// Resets a picture cursor that has run past the end of its list.
void RewindWhenPastEnd(int &cursor, const QList<TBookIconFrame *> &list)
{
    if (cursor >= list.size())
        cursor = 0;
}

// Marks `chosen` among `titles` (Tag 1, orange), unmarks the others (Tag 0,
// black) and puts the row's five-star picture directly left of it.
void MarkTitle(std::initializer_list<TText *> titles, TText *chosen, TRectangle *star)
{
    for (TText *t : titles) {
        t->SetTag(0);
        t->SetColor(Palette::kBlack);
    }
    chosen->SetTag(1);
    chosen->SetColor(Palette::kOrange);
    star->SetX(chosen->X() - star->Width());
}

struct TTabPictures
{
    const char *down;
    const char *up;
    const char *enter;
};

} // namespace

void TStudyFrame::Button_UsuallyBookClick(TControl *Sender)
{
    Rectangle_RecommandContentBackGground->SetVisible(false);
    Rectangle_RecommandRootBackGground->SetVisible(false);
    if (Sender == Button_UsuallyBook) {
        LayOutLeftToRight({Button_UsuallyBook, Button_MyBook, Button_MaterialsBook});
        Rectangle_MyBookTypeSelect->SetVisible(false);
        Rectangle_MaterialsTypeSelect->SetVisible(false);
        SetCoursePanel(ctUsually);
        RewindWhenPastEnd(MyCourse_UsuallyIndex, UserBooks_Usually);
        DisplayMyCourse_Usually();
    } else if (Sender == Button_MaterialsBook) {
        // The sentence counter of the study page has no place in a material.
        DisplaySentenceCount(false);
        Label_Title->SetText(QStringLiteral("先全文试听 , 然后点击话筒进行全文朗读。"));
        LayOutLeftToRight({Button_UsuallyBook, Button_MyBook, Button_MaterialsBook, Rectangle_MaterialsTypeSelect});
        Rectangle_MaterialsTypeSelect->SetVisible(true);
        Rectangle_MyBookTypeSelect->SetVisible(false);
        SetCoursePanel(ctMaterials);
        RewindWhenPastEnd(MaterialsIndex, Materials);
        DisplayMaterialsPicture();
    } else if (Sender == Button_MyBook) {
        LayOutLeftToRight({Button_UsuallyBook, Button_MyBook, Rectangle_MyBookTypeSelect, Button_MaterialsBook});
        Rectangle_MyBookTypeSelect->SetVisible(true);
        Rectangle_MaterialsTypeSelect->SetVisible(false);
        SetCoursePanel(ctMyCourse);
        RewindWhenPastEnd(MyCourseIndex, UserBooks);
        DisplayMyCoursePicture();
    } else if (Sender == Button_ReccommandBook) {
        Rectangle_RecommandRootBackGground->SetVisible(true);
        Rectangle_RecommandRootBackGground->BringToFront();
        isAddMyCourse = false;
        SetCoursePanel(ctRecommand);
        RewindWhenPastEnd(RecommandIndex, RecommandGoods);
        DisplayRecommandPicture();
    }
}

void TStudyFrame::SetCoursePanel(TCouserType CourseType)
{
    for (TButton *b : {Button_UsuallyBook, Button_MyBook, Button_MaterialsBook})
        b->SetFontColor(Palette::kBlack);
    if (CourseType != ctRecommand) {
        for (TButton *b : {Button_UsuallyBook, Button_MyBook, Button_MaterialsBook, Button_ReccommandBook}) {
            b->SetStaysPressed(false);
            b->SetIsPressed(false);
        }
    }
    const auto press = [](TButton *b) {
        b->SetIsPressed(true);
        b->SetFontColor(Palette::kWhite);
    };
    Rectangle_NotingUsuallyBook->SetVisible(CourseType == ctUsually && UserBooks_Usually.isEmpty());
    switch (CourseType) {
    case ctMyCourse:
        Rectangle_MyBookRootContainer->SetVisible(true);
        Rectangle_MaterialsRootContainer->SetVisible(false);
        VertScrollBox_Recommand->SetVisible(false);
        VertScrollBox_Usually->SetVisible(false);
        press(Button_MyBook);
        if (Text_MyBookText->Tag() != 1 && Text_MyBookWord->Tag() != 1 && Text_MyBookExtracurricular->Tag() != 1) {
            Text_MyBookText->SetTag(1);
            Rectangle_MyBookFiveStar->SetX(Text_MyBookText->X() - Rectangle_MyBookFiveStar->Width());
            Text_MyBookText->SetColor(Palette::kOrange);
        }
        break;
    case ctMaterials:
        Rectangle_MaterialsRootContainer->SetVisible(true);
        Rectangle_MyBookRootContainer->SetVisible(false);
        VertScrollBox_Recommand->SetVisible(false);
        VertScrollBox_Usually->SetVisible(false);
        press(Button_MaterialsBook);
        if (Text_MaterialsVox->Tag() != 1 && Text_MaterialsTeacher->Tag() != 1) {
            Text_MaterialsTeacher->SetTag(1);
            Rectangle_MaterialsFiveStar->SetX(Text_MaterialsTeacher->X() - Rectangle_MaterialsFiveStar->Width());
            Text_MaterialsTeacher->SetColor(Palette::kOrange);
        }
        break;
    case ctRecommand:
        VertScrollBox_Recommand->SetVisible(true);
        Button_ReccommandBook->SetIsPressed(true);
        break;
    case ctUsually:
        VertScrollBox_Usually->SetVisible(true);
        Rectangle_MyBookRootContainer->SetVisible(false);
        Rectangle_MaterialsRootContainer->SetVisible(false);
        VertScrollBox_Recommand->SetVisible(false);
        press(Button_UsuallyBook);
        break;
    }
}

void TStudyFrame::SetMyBookPanel(TBookType MyBookType)
{
    Rectangle_RecommandContentBackGground->SetVisible(false);
    TText *chosen = MyBookType == btMyBookWd   ? Text_MyBookWord
                    : MyBookType == btMyBookEx ? Text_MyBookExtracurricular
                                               : Text_MyBookText;
    MarkTitle({Text_MyBookText, Text_MyBookWord, Text_MyBookExtracurricular}, chosen, Rectangle_MyBookFiveStar);
    VertScrollBox_MyBookText->SetVisible(MyBookType == btMyBookTT);
    VertScrollBox_MyBookWord->SetVisible(MyBookType == btMyBookWd);
    VertScrollBox_MyBookExtracurricular->SetVisible(MyBookType == btMyBookEx);
}

void TStudyFrame::SetMaterialsPanel(TMaterialsType MaterialType)
{
    Rectangle_RecommandContentBackGground->SetVisible(false);
    TText *chosen = MaterialType == mtMaterialsVox ? Text_MaterialsVox : Text_MaterialsTeacher;
    MarkTitle({Text_MaterialsVox, Text_MaterialsTeacher}, chosen, Rectangle_MaterialsFiveStar);
    VertScrollBox_MaterialsVox->SetVisible(MaterialType == mtMaterialsVox);
    VertScrollBox_MaterialsTeacher->SetVisible(MaterialType == mtMaterialsTh);
}

void TStudyFrame::Text_MyBookTextClick()
{
    SetMyBookPanel(btMyBookTT);
}

void TStudyFrame::Text_MyBookWordClick()
{
    SetMyBookPanel(btMyBookWd);
}

void TStudyFrame::Text_MyBookExtracurricularClick()
{
    SetMyBookPanel(btMyBookEx);
    RewindWhenPastEnd(MyCourse_OutsideIndex, UserBooks_Outside);
    DisplayMyCourse_OutsidePicture();
}

void TStudyFrame::Text_MaterialsTeacherClick()
{
    SetMaterialsPanel(mtMaterialsTh);
}

void TStudyFrame::Text_MaterialsVoxClick()
{
    // The platform's own materials cannot be chosen yet.
    ShowInfo(QStringLiteral("暂未开通，敬请期待"));
}

void TStudyFrame::TypeSelectMouseEnter(TControl *Sender)
{
    GlowEffect_TypeSelect->SetTarget(Sender);
    GlowEffect_TypeSelect->SetEnabled(true);
}

void TStudyFrame::TypeSelectMouseLeave(TControl *)
{
    GlowEffect_TypeSelect->SetEnabled(false);
}

namespace {
const TTabPictures kMyCourseTab{"png\\study\\home\\MyCourseDown.png", "png\\study\\home\\MyCourseUp.png",
                                "png\\study\\home\\MyCourseEnter.png"};
const TTabPictures kMaterialsTab{"png\\study\\home\\MaterialsDown.png", "png\\study\\home\\MaterialsUp.png",
                                 "png\\study\\home\\MaterialsEnter.png"};
const TTabPictures kRecommendTab{"png\\study\\home\\RecommendDown.png", "png\\study\\home\\RecommendUp.png",
                                 "png\\study\\home\\RecommendEnter.png"};
} // namespace

void TStudyFrame::Rectangle_TabMouseDown(TControl *Sender)
{
    const std::pair<TRectangle *, const TTabPictures *> tabs[] = {
        {Rectangle_TabMyCourse, &kMyCourseTab},
        {Rectangle_TabMaterials, &kMaterialsTab},
        {Rectangle_TabRecommand, &kRecommendTab},
    };
    bool known = false;
    for (const auto &[tab, pictures] : tabs) {
        const bool pressed = tab == Sender;
        known = known || pressed;
        LoadPicture(tab, QString::fromLatin1(pressed ? pictures->down : pictures->up));
        tab->SetTag(pressed ? 1 : 0);
    }
    if (!known)
        return;
    // The recommended shelf lives in the recommendation panel; the other two
    // shelves lie under it.
    Rectangle_RecommandContentBackGground->SetVisible(false);
    Rectangle_RecommandRootBackGground->SetVisible(Sender == Rectangle_TabRecommand);
    if (Sender == Rectangle_TabMyCourse) {
        SetCoursePanel(ctMyCourse);
        RewindWhenPastEnd(MyCourseIndex, UserBooks);
        DisplayMyCoursePicture();
    } else if (Sender == Rectangle_TabMaterials) {
        SetCoursePanel(ctMaterials);
        RewindWhenPastEnd(MaterialsIndex, Materials);
        DisplayMaterialsPicture();
    } else {
        Rectangle_RecommandRootBackGground->BringToFront();
        SetCoursePanel(ctRecommand);
        RewindWhenPastEnd(RecommandIndex, RecommandGoods);
        DisplayRecommandPicture();
    }
}

void TStudyFrame::Rectangle_TabMouseEnter(TControl *Sender)
{
    const TTabPictures *pictures = Sender == Rectangle_TabMyCourse    ? &kMyCourseTab
                                   : Sender == Rectangle_TabMaterials ? &kMaterialsTab
                                   : Sender == Rectangle_TabRecommand ? &kRecommendTab
                                                                      : nullptr;
    if (pictures && Sender->Tag() == 0)
        LoadPicture(static_cast<TRectangle *>(Sender), QString::fromLatin1(pictures->enter));
}

void TStudyFrame::Rectangle_TabMouseLeave(TControl *Sender)
{
    const TTabPictures *pictures = Sender == Rectangle_TabMyCourse    ? &kMyCourseTab
                                   : Sender == Rectangle_TabMaterials ? &kMaterialsTab
                                   : Sender == Rectangle_TabRecommand ? &kRecommendTab
                                                                      : nullptr;
    if (pictures && Sender->Tag() == 0)
        LoadPicture(static_cast<TRectangle *>(Sender), QString::fromLatin1(pictures->up));
}

void TStudyFrame::ConnectShelfHandlers()
{
    const auto onClick = [this](TControl *control, void (TStudyFrame::*handler)()) {
        connect(control, &TControl::Click, this, [this, handler](TControl *sender) {
            RunHandler(sender->objectName() + QStringLiteral("Click"), [this, handler] { (this->*handler)(); });
        });
    };
    onClick(Text_MyBookText, &TStudyFrame::Text_MyBookTextClick);
    onClick(Text_MyBookWord, &TStudyFrame::Text_MyBookWordClick);
    onClick(Text_MyBookExtracurricular, &TStudyFrame::Text_MyBookExtracurricularClick);
    onClick(Text_MaterialsTeacher, &TStudyFrame::Text_MaterialsTeacherClick);
    onClick(Text_MaterialsVox, &TStudyFrame::Text_MaterialsVoxClick);
    onClick(Button_CloseRecommandContent, &TStudyFrame::Button_CloseRecommandContentClick);
    onClick(CornerButton_MessageClose, &TStudyFrame::CornerButton_MessageCloseClick);
    onClick(Button_CloseRecommandRoot, &TStudyFrame::Button_CloseRecommandRootClick);

    const auto onSender = [this](TControl *control, void (TControl::*signal)(TControl *),
                                 void (TStudyFrame::*handler)(TControl *)) {
        connect(control, signal, this, [this, handler](TControl *sender) {
            RunHandler(sender->objectName(), [this, handler, sender] { (this->*handler)(sender); });
        });
    };
    for (TText *title :
         {Text_MyBookText, Text_MyBookWord, Text_MyBookExtracurricular, Text_MaterialsVox, Text_MaterialsTeacher}) {
        onSender(title, &TControl::MouseEnter, &TStudyFrame::TypeSelectMouseEnter);
        onSender(title, &TControl::MouseLeave, &TStudyFrame::TypeSelectMouseLeave);
    }
    for (TRectangle *tab : {Rectangle_TabMyCourse, Rectangle_TabMaterials, Rectangle_TabRecommand}) {
        connect(tab, &TControl::MouseDown, this,
                [this](TControl *sender, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
                    RunHandler(QStringLiteral("Rectangle_TabMouseDown"),
                               [this, sender] { Rectangle_TabMouseDown(sender); });
                });
        onSender(tab, &TControl::MouseEnter, &TStudyFrame::Rectangle_TabMouseEnter);
        onSender(tab, &TControl::MouseLeave, &TStudyFrame::Rectangle_TabMouseLeave);
    }
}
