// The controls of pages 1 to 3: the open book, the study page and the result
// page, and the fixed font sizes of the form.

#include "StudyFrame.h"

#include "ControlMakers.h"

#include "Commonconst.h"
#include "TButton.h"
#include "Palette.h"
#include "TImageControl.h"
#include "TLabel.h"
#include "TProgressBar.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"
#include "TVertScrollBox.h"
#include "TFrameAnimation.h"

#include "StudyModeRules.h"

using namespace ControlMakers;
using namespace Palette;

void TStudyFrame::BuildBookPage()
{
    QWidget *page = TabItem_Book;
    const double w = kDesignWidth;
    Rect(page, QStringLiteral("Rectangle_BookBackground"), 0, 0, w, kDesignHeight, kPageBack);

    // The header: the book, its whole completion and average.
    Rectangle_BookHeader = Rect(page, QStringLiteral("Rectangle_BookHeader"), 0, 0, w, 118, kBanner);
    Button_Return =
        Button(Rectangle_BookHeader, QStringLiteral("Button_Return"), 16, 16, 80, 32, QStringLiteral("返回"));
    Rectangle_BookPicture =
        Rect(Rectangle_BookHeader, QStringLiteral("Rectangle_BookPicture"), 120, 9, 76, 100, 0xFFB9D7EE);
    Text_Description = Text(Rectangle_BookHeader, QStringLiteral("Text_Description"), 216, 12, 520, 36, QString(), 13);
    Text_Description->SetHorzAlign(TTextAlign::Leading);
    Text_Description->SetFontStyle(fsBold);
    Label_FullBookFinishRate = Label(Rectangle_BookHeader, QStringLiteral("Label_FullBookFinishRate"), 216, 54, 200, 24,
                                     QStringLiteral("完成度0%"), 12, kGrey);
    ProgressBar_FullBookFinishRate = new TProgressBar(Rectangle_BookHeader);
    ProgressBar_FullBookFinishRate->SetName(QStringLiteral("ProgressBar_FullBookFinishRate"));
    ProgressBar_FullBookFinishRate->SetBounds(216, 84, 300, 12);
    ProgressBar_FullBookFinishRate->SetBarColor(0xFFFFA417);
    connect(ProgressBar_FullBookFinishRate, &TProgressBar::ApplyStyleLookup, this, [this](TProgressBar *bar) {
        TFrameEntry entry(this);
        ProgressBar_FullBookFinishRateApplyStyleLookup(bar);
    });
    Label_FullBookAverageScore = Label(Rectangle_BookHeader, QStringLiteral("Label_FullBookAverageScore"), 540, 54, 200,
                                       24, QStringLiteral("平均成绩 : 0分"), 12, kGrey);
    Rectangle_WelcomeAniBackground =
        Holder(Rectangle_BookHeader, QStringLiteral("Rectangle_WelcomeAniBackground"), w - 230, 4, 210, 110);

    Label2 = Label(page, QStringLiteral("Label2"), 24, 122, 200, 26, QStringLiteral("单元列表"), 12);
    Label2->SetFontStyle(fsBold);
    Rectangle_Remind = Rect(page, QStringLiteral("Rectangle_Remind"), w - 249, 122, 229, 26, kRemind);
    Rectangle_Remind->SetXRadius(4);
    Rectangle_Remind->SetYRadius(4);
    Label_Remind = Label(Rectangle_Remind, QStringLiteral("Label_Remind"), 8, 0, 213, 26, QString(), 12, kWhite);
    Rectangle_Remind->SetVisible(false);

    // The unit list: five rows of 85 with the lesson panel (440 high) beside
    // them, and under it the pager, whose X is set for the book's kind.
    auto *unitArea = Holder(page, QStringLiteral("Rectangle_UnitArea"), 20, 150, w - 40, 482);
    VertScrollBox_Unit = ScrollBox(unitArea, QStringLiteral("VertScrollBox_Unit"), 0, 0, w - 40, 444);
    VertScrollBox_Unit->SetShowScrollBar(false);
    Rectangle_UnitPageControl = Holder(unitArea, QStringLiteral("Rectangle_UnitPageControl"), 183, 448, 132, 32);
    Button_UnitPreviousPage =
        Button(Rectangle_UnitPageControl, QStringLiteral("Button_UnitPreviousPage"), 0, 0, 32, 32, QStringLiteral("<"));
    Label_CurrentUnitPage = Label(Rectangle_UnitPageControl, QStringLiteral("Label_CurrentUnitPage"), 34, 0, 30, 32,
                                  QStringLiteral("1"), 14, kOrange);
    Label_CurrentUnitPage->SetHorzAlign(TTextAlign::Trailing);
    Label_TotalUnitPage = Label(Rectangle_UnitPageControl, QStringLiteral("Label_TotalUnitPage"), 64, 0, 34, 32,
                                QStringLiteral("/0"), 14);
    Button_UnitNexPage =
        Button(Rectangle_UnitPageControl, QStringLiteral("Button_UnitNexPage"), 100, 0, 32, 32, QStringLiteral(">"));
    connect(Button_UnitPreviousPage, &TControl::Click, this, [this](TControl *) {
        RunHandler(QStringLiteral("Button_UnitPreviousPageClick"), [this] { Button_UnitPreviousPageClick(); });
    });
    connect(Button_UnitNexPage, &TControl::Click, this, [this](TControl *) {
        RunHandler(QStringLiteral("Button_UnitNexPageClick"), [this] { Button_UnitNexPageClick(); });
    });

    // Holds the two unit-state pictures the unit rows copy; never shown.
    Image1 = new TImageControl(page);
    Image1->SetName(QStringLiteral("Image1"));
    Image1->SetBounds(0, 0, 24, 24);
    Image1->SetVisible(false);
}

void TStudyFrame::BuildStudyPage()
{
    QWidget *page = TabItem_Study;
    const double w = kDesignWidth;
    Rect(page, QStringLiteral("Rectangle_StudyBackground"), 0, 0, w, kDesignHeight, kPageBack);

    Rectangle_StudyTop = Rect(page, QStringLiteral("Rectangle_StudyTop"), 0, 0, w, 56, kBanner);
    Button_Study_LearningReturn = Button(Rectangle_StudyTop, QStringLiteral("Button_Study_LearningReturn"), 16, 12, 80,
                                         32, QStringLiteral("返回"));
    Rectangle_StudyModeSelectTab =
        Holder(Rectangle_StudyTop, QStringLiteral("Rectangle_StudyModeSelectTab"), 120, 8, 520, 48);
    // The four mode tabs side by side; the word study's tab takes the first
    // place when it is on show instead.
    const struct
    {
        StudyModes::TModeTab tab;
        TRectangle **rect;
        TText **text;
    } tabs[] = {
        {StudyModes::TModeTab::Sentence, &Rectangle_Sentence, &Text_TabSentence},
        {StudyModes::TModeTab::Part, &Rectangle_Part, &Text_TabPart},
        {StudyModes::TModeTab::Repeat, &Rectangle_Repeat, &Text_TabRepeat},
        {StudyModes::TModeTab::Role, &Rectangle_Role, &Text_TabRole},
    };
    double tabX = 0;
    for (const auto &t : tabs) {
        *t.rect = Rect(Rectangle_StudyModeSelectTab, StudyModes::TabRectName(t.tab), tabX, 4, 120, 40, kWhite);
        (*t.rect)->SetXRadius(6);
        (*t.rect)->SetYRadius(6);
        (*t.rect)->SetStrokeThickness(0);
        *t.text = Text(*t.rect, StudyModes::TabTextName(t.tab), 0, 0, 120, 40, StudyModes::TabCaption(t.tab), 14);
        (*t.text)->setCursor(Qt::PointingHandCursor);
        tabX += 128;
    }
    Rectangle_Word = Rect(Rectangle_StudyModeSelectTab, QStringLiteral("Rectangle_Word"), 0, 4, 120, 40, kCourseOrange);
    Text(Rectangle_Word, QStringLiteral("Text_TabWord"), 0, 0, 120, 40, QStringLiteral("单词学习"), 14, kWhite);
    Rectangle_Word->SetVisible(false);

    Label_Title = Label(page, QStringLiteral("Label_Title"), 24, 62, 760, 30, QString(), 12, kGrey);
    Text_WordContinueTitle = Text(page, QStringLiteral("Text_WordContinueTitle"), 24, 62, 300, 30,
                                  QStringLiteral("继续上次的学习"), 12, kGrey);
    Text_WordContinueTitle->SetHorzAlign(TTextAlign::Leading);
    Text_WordContinueTitle->SetVisible(false);
    Text1 = Text(page, QStringLiteral("Text1"), w - 172, 62, 48, 30, QStringLiteral("句子"), 12);
    Text1->SetHorzAlign(TTextAlign::Trailing);
    Text_SelectSentenceIndex = Text(page, QStringLiteral("Text_SelectSentenceIndex"), w - 124, 62, 44, 30,
                                    QStringLiteral("1"), 16, 0xFFFF960D);
    Text_SelectSentenceIndex->SetHorzAlign(TTextAlign::Trailing);
    Text3 = Text(page, QStringLiteral("Text3"), w - 80, 62, 16, 30, QStringLiteral("/"), 12);
    Text_SentenceTotalCount =
        Text(page, QStringLiteral("Text_SentenceTotalCount"), w - 64, 62, 44, 30, QStringLiteral("0"), 12);
    Text_SentenceTotalCount->SetHorzAlign(TTextAlign::Leading);

    Rectangle_StudyCenterBackground =
        Rect(page, QStringLiteral("Rectangle_StudyCenterBackground"), 20, 98, w - 40, 456, kWhite);
    Card(Rectangle_StudyCenterBackground);
    // Above the mode view: the figure's place, and the microphone animation
    // (laid on a view's microphone while recording).
    Rectangle_AnimationBackground_Study =
        Holder(page, QStringLiteral("Rectangle_AnimationBackground_Study"), 817, 106, 136, 90);
    Rectangle_AnimationBackground_Study->SetHitTest(false);
    Rectangle_RecordAnimation = Holder(page, QStringLiteral("Rectangle_RecordAnimation"), 0, 0, 48, 48);
    Rectangle_RecordAnimation->SetHitTest(false);
    Rectangle_RecordAnimation->SetVisible(false);
    BitmapListAnimation_Play = new TFrameAnimation(Rectangle_RecordAnimation);
    BitmapListAnimation_Play->setObjectName(QStringLiteral("BitmapListAnimation_Play"));
    BitmapListAnimation_Play->SetBounds(0, 0, 48, 48);
    BitmapListAnimation_Play->SetHitTest(false);
    BitmapListAnimation_Play->SetLoop(true);
    // The "recording" badge, shown only while a word or a role-play answer
    // is recorded.
    Rectangle_RecordImage = Holder(page, QStringLiteral("Rectangle_RecordImage"), (w - 96) / 2, 570, 96, 32);
    Rectangle_RecordImage->SetVisible(false);
}

void TStudyFrame::BuildScorePage()
{
    QWidget *page = TabItem_DisplayScore;
    const double w = kDesignWidth;
    Rect(page, QStringLiteral("Rectangle_ScoreBackground"), 0, 0, w, kDesignHeight, kPageBack);

    Rectangle_ScoreTop = Rect(page, QStringLiteral("Rectangle_ScoreTop"), 0, 0, w, 56, kBanner);
    Button_DisplayReturn =
        Button(Rectangle_ScoreTop, QStringLiteral("Button_DisplayReturn"), 16, 12, 80, 32, QStringLiteral("返回"));
    // The items of the service's answer: medal, experience, coins. Their x
    // places follow whether a medal is shown (see the score answer handler).
    Rectangle_Medal = Holder(Rectangle_ScoreTop, QStringLiteral("Rectangle_Medal"), 766, 15, 26, 26);
    Text_MedalCount =
        Text(Rectangle_ScoreTop, QStringLiteral("Text_MedalCount"), 794, 13, 40, 30, QStringLiteral("1"), 15);
    Rectangle_Exp = Holder(Rectangle_ScoreTop, QStringLiteral("Rectangle_Exp"), 794, 15, 26, 26);
    Text_Exp = Text(Rectangle_ScoreTop, QStringLiteral("Text_Exp"), 824, 13, 50, 30, QStringLiteral("0"), 15);
    Rectangle_voxCoin = Holder(Rectangle_ScoreTop, QStringLiteral("Rectangle_voxCoin"), 878, 15, 26, 26);
    Text_voxCoin = Text(Rectangle_ScoreTop, QStringLiteral("Text_voxCoin"), 908, 13, 60, 30, QStringLiteral("0"), 15);
    for (TText *t : {Text_MedalCount, Text_Exp, Text_voxCoin})
        t->SetHorzAlign(TTextAlign::Leading);
    for (TControl *c : std::initializer_list<TControl *>{Rectangle_Medal, Text_MedalCount, Rectangle_Exp, Text_Exp,
                                                         Rectangle_voxCoin, Text_voxCoin})
        c->SetVisible(false);

    auto *scoreCard = Rect(page, QStringLiteral("Rectangle_TotalScoreBackground"), 20, 72, 200, 362, kWhite);
    Card(scoreCard);
    Rectangle_JudgeAnimationBackground =
        Holder(scoreCard, QStringLiteral("Rectangle_JudgeAnimationBackground"), 10, 10, 180, 180);
    Text_DisplayTotalScore = Text(scoreCard, QStringLiteral("Text_DisplayTotalScore"), 10, 192, 180, 44,
                                  QStringLiteral("0"), 23, 0xFFFF960D);
    Text_DisplayTotalScore->SetFontStyle(fsBold);
    Text_TotalScoreCaption =
        Text(scoreCard, QStringLiteral("Text_TotalScoreCaption"), 10, 234, 180, 22, QStringLiteral("总分"), 12, kGrey);
    CornerButton_SharedAudio = CornerButton(scoreCard, QStringLiteral("CornerButton_SharedAudio"), 20, 306, 160, 40,
                                            QStringLiteral("上传好声音"));
    CornerButton_SharedAudio->SetVisible(false);

    Rectangle_StudyDisplayScoreBackground = Rect(page, QStringLiteral("Rectangle_StudyDisplayScoreBackground"), 236, 72,
                                                 w - 256, kDesignHeight - 92, kWhite);
    Card(Rectangle_StudyDisplayScoreBackground);
}

void TStudyFrame::ApplyFixedFontSizes()
{
    // The toolkit draws every text the same way, so the sizes apply always.
    Button_ReccommandBook->SetFontSize(10);
    for (TText *t : {static_cast<TText *>(Label_Title), Text1, Text3, Text_WordContinueTitle,
                     static_cast<TText *>(Label_FullBookFinishRate), static_cast<TText *>(Label_FullBookAverageScore),
                     static_cast<TText *>(Label2), static_cast<TText *>(Label_Remind)})
        t->SetFontSize(12);
    Text_Description->SetFontSize(13);
    for (TText *t : {Text_MedalCount, Text_Exp, Text_voxCoin})
        t->SetFontSize(15);
    Text_DisplayTotalScore->SetFontSize(23);
    Text_Description->SetFontFamily(FontWQYdzStr);
}
