// The controls of page 0, the course shelf: the banner with the three shelf
// tabs, the row of shelf buttons with the type rows of the own books and the
// teaching materials, the list boxes and the recommendation panel.

#include "StudyFrame.h"

#include "ControlMakers.h"

#include "TButton.h"
#include "Palette.h"
#include "TEffects.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"
#include "TVertScrollBox.h"

#include <QScrollArea>

using namespace ControlMakers;
using namespace Palette;

namespace {
constexpr double kShelfBarY = 64;
constexpr double kShelfBarH = 40;
constexpr double kShelfY = kShelfBarY + kShelfBarH;
constexpr double kShelfH = TStudyFrame::kDesignHeight - kShelfY;
// The type rows of the own books and the materials: title width, the room
// left of each title for the five-star picture, and the step between titles.
constexpr double kStarW = 60;
constexpr double kStarH = 12;
constexpr double kTypeTitleX = kStarW + 4;
constexpr double kTypeTitleW = 72;
constexpr double kTypeRowStep = kTypeTitleX + kTypeTitleW;
} // namespace

void TStudyFrame::BuildHomePage()
{
    QWidget *page = TabItem_Home;
    const double w = kDesignWidth;

    // Banner with the shelf tabs (pictures from the UI archive) and the
    // score-history icon.
    Rectangle_HomeTop = Rect(page, QStringLiteral("Rectangle_HomeTop"), 0, 0, w, kShelfBarY, kBanner);
    // The tabs are as large as their pictures (150 x 44).
    Rectangle_TabMyCourse =
        Rect(Rectangle_HomeTop, QStringLiteral("Rectangle_TabMyCourse"), 24, 20, 150, 44, 0xFFFF960D);
    Rectangle_TabMaterials =
        Rect(Rectangle_HomeTop, QStringLiteral("Rectangle_TabMaterials"), 180, 20, 150, 44, 0xFFB9D7EE);
    Rectangle_TabRecommand =
        Rect(Rectangle_HomeTop, QStringLiteral("Rectangle_TabRecommand"), 336, 20, 150, 44, 0xFFB9D7EE);
    Rectangle_TabMyCourse->SetTag(1);
    for (TRectangle *tab : {Rectangle_TabMyCourse, Rectangle_TabMaterials, Rectangle_TabRecommand}) {
        tab->SetXRadius(6);
        tab->SetYRadius(6);
        tab->SetCorners(TRectangle::CornerTopLeft | TRectangle::CornerTopRight);
    }
    Rectangle_QueryIcon =
        Rect(Rectangle_HomeTop, QStringLiteral("Rectangle_QueryIcon"), w - 56, 14, 36, 36, 0xFF5FC0FD);
    Rectangle_QueryIcon->SetXRadius(18);
    Rectangle_QueryIcon->SetYRadius(18);
    Rectangle_QueryIcon->SetHint(QStringLiteral("成绩查询"));

    // Row of the shelf buttons; the own-book and material type rows sit
    // between them (their places are set when a shelf is chosen).
    Rectangle_ShelfBar = Rect(page, QStringLiteral("Rectangle_ShelfBar"), 0, kShelfBarY, w, kShelfBarH, kWhite);
    Rectangle_ShelfBar->SetStrokeColor(kLine);
    Rectangle_ShelfBar->SetStrokeThickness(1);
    Rectangle_ShelfBar->SetSides(TRectangle::SideBottom);

    const QString tabStyle = QStringLiteral("tabbuttonstyle");
    Button_UsuallyBook = Button(Rectangle_ShelfBar, QStringLiteral("Button_UsuallyBook"), 0, 0, 110, kShelfBarH,
                                QStringLiteral("常用课程"), tabStyle);
    Button_MyBook = Button(Rectangle_ShelfBar, QStringLiteral("Button_MyBook"), 110, 0, 110, kShelfBarH,
                           QStringLiteral("我的课程"), tabStyle);
    // The type rows: each title has room on its left for the row's five-star
    // picture (100 x 20, shown at 60 x 12), which marks the chosen title.
    Rectangle_MyBookTypeSelect =
        Holder(Rectangle_ShelfBar, QStringLiteral("Rectangle_MyBookTypeSelect"), 220, 0, kTypeRowStep * 3, kShelfBarH);
    Rectangle_MyBookFiveStar = Holder(Rectangle_MyBookTypeSelect, QStringLiteral("Rectangle_MyBookFiveStar"),
                                      kTypeTitleX - kStarW, (kShelfBarH - kStarH) / 2, kStarW, kStarH);
    Text_MyBookText = Text(Rectangle_MyBookTypeSelect, QStringLiteral("Text_MyBookText"), kTypeTitleX, 0, kTypeTitleW,
                           kShelfBarH, QStringLiteral("同步课本"), 14, kOrange);
    Text_MyBookWord = Text(Rectangle_MyBookTypeSelect, QStringLiteral("Text_MyBookWord"), kTypeTitleX + kTypeRowStep, 0,
                           kTypeTitleW, kShelfBarH, QStringLiteral("单词课本"), 14, kBlack);
    Text_MyBookExtracurricular =
        Text(Rectangle_MyBookTypeSelect, QStringLiteral("Text_MyBookExtracurricular"), kTypeTitleX + 2 * kTypeRowStep,
             0, kTypeTitleW, kShelfBarH, QStringLiteral("课外课本"), 14, kBlack);
    Text_MyBookText->SetTag(1);
    Button_MaterialsBook = Button(Rectangle_ShelfBar, QStringLiteral("Button_MaterialsBook"), 220 + kTypeRowStep * 3, 0,
                                  110, kShelfBarH, QStringLiteral("精选自传"), tabStyle);
    Rectangle_MaterialsTypeSelect = Holder(Rectangle_ShelfBar, QStringLiteral("Rectangle_MaterialsTypeSelect"), 330, 0,
                                           kTypeRowStep * 2, kShelfBarH);
    Rectangle_MaterialsFiveStar =
        Holder(Rectangle_MaterialsTypeSelect, QStringLiteral("Rectangle_MaterialsFiveStar"),
               kTypeTitleX + kTypeRowStep - kStarW, (kShelfBarH - kStarH) / 2, kStarW, kStarH);
    Text_MaterialsVox = Text(Rectangle_MaterialsTypeSelect, QStringLiteral("Text_MaterialsVox"), kTypeTitleX, 0,
                             kTypeTitleW, kShelfBarH, QStringLiteral("官方素材"), 14, kBlack);
    Text_MaterialsTeacher =
        Text(Rectangle_MaterialsTypeSelect, QStringLiteral("Text_MaterialsTeacher"), kTypeTitleX + kTypeRowStep, 0,
             kTypeTitleW, kShelfBarH, QStringLiteral("老师素材"), 14, kOrange);
    Text_MaterialsTeacher->SetTag(1);
    Rectangle_MaterialsTypeSelect->SetVisible(false);
    for (TText *title :
         {Text_MyBookText, Text_MyBookWord, Text_MyBookExtracurricular, Text_MaterialsVox, Text_MaterialsTeacher})
        title->SetHitTest(true);
    GlowEffect_TypeSelect = new TGlowEffect(Text_MyBookText);
    GlowEffect_TypeSelect->setObjectName(QStringLiteral("GlowEffect_TypeSelect"));
    GlowEffect_TypeSelect->SetColor(0xFFFFC36B);
    GlowEffect_TypeSelect->SetEnabled(false);
    // The recommended shelf: a caption with room for the icon on its left.
    Button_ReccommandBook = Button(Rectangle_ShelfBar, QStringLiteral("Button_ReccommandBook"), w - 140, 0, 140,
                                   kShelfBarH, QStringLiteral("        课外推荐"), tabStyle);
    for (TButton *b : {Button_UsuallyBook, Button_MyBook, Button_MaterialsBook, Button_ReccommandBook})
        b->SetStaysPressed(true);
    Button_MyBook->SetIsPressed(true);
    Button_MyBook->SetFontColor(kWhite);

    // The list boxes. Only the shelf chosen by the buttons is visible.
    Rectangle_ShelfArea = Rect(page, QStringLiteral("Rectangle_ShelfArea"), 0, kShelfY, w, kShelfH, kPageBack);
    VertScrollBox_Usually = ScrollBox(Rectangle_ShelfArea, QStringLiteral("VertScrollBox_Usually"), 0, 0, w, kShelfH);
    VertScrollBox_Usually->SetVisible(false);
    Rectangle_NotingUsuallyBook =
        Holder(Rectangle_ShelfArea, QStringLiteral("Rectangle_NotingUsuallyBook"), (w - 220) / 2, 130, 220, 180);
    Rectangle_NotingUsuallyBook->SetVisible(false);

    Rectangle_MyBookRootContainer =
        Holder(Rectangle_ShelfArea, QStringLiteral("Rectangle_MyBookRootContainer"), 0, 0, w, kShelfH);
    VertScrollBox_MyBookText =
        ScrollBox(Rectangle_MyBookRootContainer, QStringLiteral("VertScrollBox_MyBookText"), 0, 0, w, kShelfH);
    VertScrollBox_MyBookWord =
        ScrollBox(Rectangle_MyBookRootContainer, QStringLiteral("VertScrollBox_MyBookWord"), 0, 0, w, kShelfH);
    VertScrollBox_MyBookExtracurricular = ScrollBox(
        Rectangle_MyBookRootContainer, QStringLiteral("VertScrollBox_MyBookExtracurricular"), 0, 0, w, kShelfH);
    VertScrollBox_MyBookWord->SetVisible(false);
    VertScrollBox_MyBookExtracurricular->SetVisible(false);

    Rectangle_MaterialsRootContainer =
        Holder(Rectangle_ShelfArea, QStringLiteral("Rectangle_MaterialsRootContainer"), 0, 0, w, kShelfH);
    VertScrollBox_MaterialsVox =
        ScrollBox(Rectangle_MaterialsRootContainer, QStringLiteral("VertScrollBox_MaterialsVox"), 0, 0, w, kShelfH);
    VertScrollBox_MaterialsTeacher =
        ScrollBox(Rectangle_MaterialsRootContainer, QStringLiteral("VertScrollBox_MaterialsTeacher"), 0, 0, w, kShelfH);
    VertScrollBox_MaterialsVox->SetVisible(false);
    Rectangle_MaterialsRootContainer->SetVisible(false);

    // The recommendation panel covers the shelf bar and the lists.
    Rectangle_RecommandRootBackGground = Rect(page, QStringLiteral("Rectangle_RecommandRootBackGground"), 0, kShelfBarY,
                                              w, kDesignHeight - kShelfBarY, kPageBack);
    Rectangle_RecommandRootBackGground->SetVisible(false);
    auto *recommendTitle = Label(Rectangle_RecommandRootBackGground, QStringLiteral("Label_RecommandTitle"), 24, 0, 300,
                                 kShelfBarH, QStringLiteral("课外推荐"), 16);
    recommendTitle->SetFontStyle(fsBold);
    Button_CloseRecommandRoot = Button(Rectangle_RecommandRootBackGground, QStringLiteral("Button_CloseRecommandRoot"),
                                       w - 44, 4, 32, 32, QStringLiteral("×"), QStringLiteral("transparentstyle"));
    VertScrollBox_Recommand = ScrollBox(Rectangle_RecommandRootBackGground, QStringLiteral("VertScrollBox_Recommand"),
                                        0, kShelfBarH, w, kDesignHeight - kShelfBarY - kShelfBarH);
    VertScrollBox_Recommand->SetVisible(false);

    Rectangle_RecommandContentBackGground =
        Rect(page, QStringLiteral("Rectangle_RecommandContentBackGground"), (w - 480) / 2, 150, 480, 300, kWhite);
    Rectangle_RecommandContentBackGground->SetXRadius(8);
    Rectangle_RecommandContentBackGground->SetYRadius(8);
    Rectangle_RecommandContentBackGground->SetStrokeColor(kLine);
    Rectangle_RecommandContentBackGground->SetStrokeThickness(1);
    new TShadowEffect(Rectangle_RecommandContentBackGground);
    Label(Rectangle_RecommandContentBackGground, QStringLiteral("Label_RecommandMessageTitle"), 20, 8, 300, 30,
          QStringLiteral("课程信息"), 15);
    Button_CloseRecommandContent =
        Button(Rectangle_RecommandContentBackGground, QStringLiteral("Button_CloseRecommandContent"), 444, 6, 30, 30,
               QStringLiteral("×"), QStringLiteral("transparentstyle"));
    VertScrollBox_RecommandMessage = ScrollBox(Rectangle_RecommandContentBackGground,
                                               QStringLiteral("VertScrollBox_RecommandMessage"), 20, 44, 440, 190);
    Label_RecommandMessageContent =
        Label(VertScrollBox_RecommandMessage->Content(), QStringLiteral("Label_RecommandMessageContent"), 0, 0, 420, 24,
              QString(), 14);
    Label_RecommandMessageContent->SetWordWrap(true);
    Label_RecommandMessageContent->SetAutoSize(true);
    CornerButton_MessageClose =
        CornerButton(Rectangle_RecommandContentBackGground, QStringLiteral("CornerButton_MessageClose"), 190, 246, 100,
                     36, QStringLiteral("确定"));
    Rectangle_RecommandContentBackGground->SetVisible(false);

    // A scroll box made inside a parent that is already on screen (the host
    // creates the frame in its open window) does not show its own scroll
    // area; the shelf boxes show theirs explicitly.
    for (TVertScrollBox *box :
         {VertScrollBox_Usually, VertScrollBox_MyBookText, VertScrollBox_MyBookWord,
          VertScrollBox_MyBookExtracurricular, VertScrollBox_MaterialsVox, VertScrollBox_MaterialsTeacher,
          VertScrollBox_Recommand, VertScrollBox_RecommandMessage})
        box->Area()->show();

    ConnectShelfHandlers();
}
