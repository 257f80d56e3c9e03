#include "StudyWordFrame.h"

#include "ControlMakers.h"
#include "GradingResult.h"
#include "Palette.h"
#include "ResultLayout.h"
#include "ScoreScales.h"
#include "WordFlow.h"

#include "Commonconst.h"
#include "LocalPath.h"
#include "Log.h"
#include "Phonetic.h"
#include "TPngAni.h"
#include "UIPicture.h"

#include "TButton.h"
#include "TCheckBox.h"
#include "TLabel.h"
#include "TMemo.h"
#include "TRectangle.h"
#include "TText.h"
#include "TVertScrollBox.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

using namespace ControlMakers;
using namespace Palette;

namespace {
const QString kNoFinish = QStringLiteral("png\\study\\word\\NoFinish.png");
const QString kUsage = QStringLiteral(
    "使用说明 : 系统导读一遍单词和例句 , 然后开始录音 , 系统将自动打分 , 当达到60分时自动进行下一个单词 , "
    "直到本单元学习完成。如果本次不需要自动导读例句 , 请取消勾选再开始学习 ; 例句仍可在单词页面手动播放。");
const QString kPause = QStringLiteral("暂    停");
const QString kContinue = QStringLiteral("继    续");
// The phoneme list's columns.
constexpr double kPhonemeX = 16;
constexpr double kPhonemeWidth = 59;
constexpr double kPlayX = 75;
constexpr double kPlaySize = 16;
constexpr double kScoreX = 98;
constexpr double kScoreWidth = 35;

TCheckBox *Option(QWidget *parent, const QString &name, double x, double y, const QString &text)
{
    auto *box = new TCheckBox(parent);
    box->setObjectName(name);
    box->SetBounds(x, y, 160, 24);
    box->SetText(text);
    box->SetFontSize(13);
    box->SetIsChecked(true);
    return box;
}
} // namespace

TStudyWordFrame::TStudyWordFrame(QWidget *parent) : TFrame(parent)
{
    setObjectName(QStringLiteral("StudyWordFrame"));
    SetBounds(0, 0, kWidth, kHeight);
    BuildHomePage();
    BuildDrillPage();
    connect(CheckBox_AutoPlayExample, &TControl::Click, this, [this] { CheckBox_AutoPlayExampleClick(); });
    connect(CheckBox_OnlyStudyUnread, &TControl::Click, this, [this] { CheckBox_AutoPlayExampleClick(); });
    connect(CornerButton_StudyPause, &TControl::MouseDown, this,
            [this](TControl *, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) { Rectangle_StudyPauseMouseDown(); });
}

TStudyWordFrame::~TStudyWordFrame()
{
    delete FPhonemeAni.data();
}

void TStudyWordFrame::BuildHomePage()
{
    Rectangle_WordStudyHome = Rect(this, QStringLiteral("Rectangle_WordStudyHome"), 0, 0, kWidth, kHeight, kWhite);
    QWidget *home = Rectangle_WordStudyHome;
    Rectangle_ExamplePicture = Holder(home, QStringLiteral("Rectangle_ExamplePicture"), 60, 40, 240, 180);
    Text_ExampleWord = Text(home, QStringLiteral("Text_ExampleWord"), 340, 50, 400, 50, QString(), 30);
    Text_ExampleWord->SetFontStyle(fsBold);
    Text_ExamplePhonetic = Text(home, QStringLiteral("Text_ExamplePhonetic"), 340, 104, 400, 30, QString(), 16, kGrey);
    Text_ExampleTranslate = Text(home, QStringLiteral("Text_ExampleTranslate"), 340, 138, 400, 30, QString(), 15);
    for (TText *t : {Text_ExampleWord, Text_ExamplePhonetic, Text_ExampleTranslate})
        t->SetHorzAlign(TTextAlign::Leading);
    CornerButton_ExampleRepeat =
        CornerButton(home, QStringLiteral("CornerButton_ExampleRepeat"), 340, 180, 90, 32, QStringLiteral("重 听"));
    CheckBox_AutoPlayExample =
        Option(home, QStringLiteral("CheckBox_AutoPlayExample"), 60, 250, QStringLiteral("自动导读例句"));
    CheckBox_OnlyStudyUnread =
        Option(home, QStringLiteral("CheckBox_OnlyStudyUnread"), 240, 250, QStringLiteral("只学未读单词"));
    Label4 = Label(home, QStringLiteral("Label4"), 60, 286, 860, 60, kUsage, 12, kGrey);
    Label4->SetWordWrap(true);
    CornerButton_StartWord = CornerButton(home, QStringLiteral("CornerButton_StartWord"), (kWidth - 160) / 2, 370, 160,
                                          44, QStringLiteral("开 始"));
    Rectangle_WordStudyHome->SetVisible(false);
}

void TStudyWordFrame::BuildDrillPage()
{
    Rectangle_WordStudy = Rect(this, QStringLiteral("Rectangle_WordStudy"), 0, 0, kWidth, kHeight, kWhite);
    QWidget *drill = Rectangle_WordStudy;
    Rectangle_WordPicture = Holder(drill, QStringLiteral("Rectangle_WordPicture"), 24, 20, 200, 150);
    Text_WordContent = Text(drill, QStringLiteral("Text_WordContent"), 240, 20, 300, 46, QString(), 28);
    Text_WordContent->SetFontStyle(fsBold);
    CornerButton_WordStudyRepeat =
        CornerButton(drill, QStringLiteral("CornerButton_WordStudyRepeat"), 548, 28, 70, 30, QStringLiteral("重 听"));
    Text_WordPhonetic = Text(drill, QStringLiteral("Text_WordPhonetic"), 240, 70, 380, 28, QString(), 16, kGrey);
    Text_WordTranslate = Text(drill, QStringLiteral("Text_WordTranslate"), 240, 100, 380, 28, QString(), 15);
    for (TText *t : {Text_WordContent, Text_WordPhonetic, Text_WordTranslate})
        t->SetHorzAlign(TTextAlign::Leading);
    Rectangle_NoFinish = Holder(drill, QStringLiteral("Rectangle_NoFinish"), 240, 132, 60, 24);
    Rectangle_NoFinish->SetVisible(false);

    Label6 = Label(drill, QStringLiteral("Label6"), 24, 190, 60, 24, QStringLiteral("例句 :"), 14);
    Memo_WordExample = new TMemo(drill);
    Memo_WordExample->setObjectName(QStringLiteral("Memo_WordExample"));
    Memo_WordExample->SetBounds(84, 186, 500, 70);
    Memo_WordExample->SetFontSize(15);
    Memo_WordExample->SetSelectionColor(0xFFFFD38A);
    CornerButton_PlayExample =
        CornerButton(drill, QStringLiteral("CornerButton_PlayExample"), 592, 190, 60, 28, QStringLiteral("播 放"));
    Text_WordExampleHint = Text(drill, QStringLiteral("Text_WordExampleHint"), 84, 258, 500, 22,
                                QStringLiteral("您已取消自动导读例句，可手动点击播放"), 12, kGrey);
    Text_WordExampleHint->SetHorzAlign(TTextAlign::Leading);
    Text_WordExampleHint->SetVisible(false);

    const double buttonsY = 380;
    CornerButton_StudyPause =
        CornerButton(drill, QStringLiteral("CornerButton_StudyPause"), 84, buttonsY, 110, 40, kPause);
    CornerButton_PreviousWord = CornerButton(drill, QStringLiteral("CornerButton_PreviousWord"), 206, buttonsY, 110, 40,
                                             QStringLiteral("上一个"));
    CornerButton_NextWord =
        CornerButton(drill, QStringLiteral("CornerButton_NextWord"), 328, buttonsY, 110, 40, QStringLiteral("下一个"));
    CornerButton_StudyEnd = CornerButton(drill, QStringLiteral("CornerButton_StudyEnd"), 450, buttonsY, 110, 40,
                                         QStringLiteral("结    束"));

    // The score column: total, then the phoneme list under its headings.
    auto *panel = Rect(drill, QStringLiteral("Rectangle_WordScorePanel"), 680, 16, 280, 424, 0xFFFFF8EC);
    Card(panel);
    Text(panel, QString(), 16, 12, 80, 40, QStringLiteral("总  分 ："), 15)->SetHitTest(false);
    Text_WordScore = Text(panel, QStringLiteral("Text_WordScore"), 96, 8, 100, 46, QString(), 26, kOrange);
    Text_WordScore->SetFontStyle(fsBold);
    Text(panel, QString(), 196, 12, 30, 40, QStringLiteral("分"), 15)->SetHitTest(false);
    Text(panel, QString(), kPhonemeX, 64, kPhonemeWidth, 26, QStringLiteral("音素"), 13, kGrey)->SetHitTest(false);
    Text(panel, QString(), kScoreX, 64, kScoreWidth + 20, 26, QStringLiteral("分数"), 13, kGrey)->SetHitTest(false);
    VertScrollBox_WordScore = ScrollBox(panel, QStringLiteral("VertScrollBox_WordScore"), 8, 94, 264, 180);
    Rectangle_WordAnimationBackground =
        Holder(drill, QStringLiteral("Rectangle_WordAnimationBackground"), 691, 66, 140, 177);
    Rectangle_WordAnimationBackground->SetHitTest(false);
    Rectangle_PhonemeAnimationBackground =
        Holder(panel, QStringLiteral("Rectangle_PhonemeAnimationBackground"), 160, 280, 104, 140);
    Rectangle_PhonemeAnimationBackground->SetVisible(false);
}

void TStudyWordFrame::SetUIArchive(const IArchivePtr &value)
{
    FUIArchive = value;
    if (!Rectangle_NoFinish->HasBitmap())
        LoadPicture_UI(Rectangle_NoFinish, kNoFinish, FUIArchive);
}

QString TStudyWordFrame::PhonemeToPhonetic(const QString &phoneme)
{
    return ::PhonemeToPhonetic(phoneme);
}

void TStudyWordFrame::SetLabelFontColor(TText *label, double score)
{
    if (label)
        label->SetColor(ScoreColor(score));
}

bool TStudyWordFrame::SelWord(const QString &word)
{
    Memo_WordExample->setFocus();
    const int at = FindWordInText(Memo_WordExample->Text(), word);
    if (at < 0)
        return false;
    Memo_WordExample->Select(at, static_cast<int>(word.trimmed().size()));
    return true;
}

void TStudyWordFrame::FreePhoneScore()
{
    qDeleteAll(FWordPhoneme);
    qDeleteAll(FWordPhonemeScore);
    qDeleteAll(FWordPhonemePlayButton);
    FWordPhoneme.clear();
    FWordPhonemeScore.clear();
    FWordPhonemePlayButton.clear();
}

void TStudyWordFrame::DisplayPhonemeScore(const QString &result)
{
    FreePhoneScore();
    Text_WordScore->SetText(QString());
    if (result.trimmed().isEmpty())
        return;
    const TGradingResult decoded = DecodeGradingResult(result);
    Text_WordScore->SetText(DecimalScoreText(decoded.overall));
    QWidget *list = VertScrollBox_WordScore->Content();
    for (const TGradingDetail &d : decoded.details) {
        if (d.phones.isEmpty())
            break;
        for (const TScoredPiece &p : d.phones) {
            const int k = static_cast<int>(FWordPhoneme.size());
            const double y = PhonemeRowY(k);
            TText *phoneme =
                Text(list, QStringLiteral("WordPhoneme%1").arg(k), kPhonemeX, y, kPhonemeWidth, kPhonemeRowHeight,
                     QStringLiteral("[") + PhonemeToPhonetic(p.text) + QStringLiteral("]"), 15);
            phoneme->SetFontFamily(FontWQYdzStr);
            TButton *play =
                Button(list, QStringLiteral("WordPhonemePlayButton%1").arg(k), kPlayX, PhonemePlayButtonY(y), kPlaySize,
                       kPlaySize, QString(), QStringLiteral("buttonCustom2"));
            play->SetTagString(p.text);
            play->SetStaysPressed(true);
            connect(play, &TControl::Click, this, [this, play] { PhonemeButtonOnClick(play); });
            TText *score = Text(list, QStringLiteral("WordPhonemeScore%1").arg(k), kScoreX, y, kScoreWidth,
                                kPhonemeRowHeight, DecimalScoreText(p.score), 15);
            score->SetFontFamily(FontWQYdzStr);
            SetLabelFontColor(score, p.score);
            for (QWidget *w :
                 {static_cast<QWidget *>(phoneme), static_cast<QWidget *>(play), static_cast<QWidget *>(score)})
                w->show();
            FWordPhoneme.push_back(phoneme);
            FWordPhonemePlayButton.push_back(play);
            FWordPhonemeScore.push_back(score);
        }
    }
}

void TStudyWordFrame::PhonemeButtonOnClick(TButton *sender)
{
    if (FSoundEngine)
        FSoundEngine->StopPlay();
    if (!sender)
        return;
    if (FWorkState == wsRecording) {
        sender->SetIsPressed(false);
        if (FCustomMsg)
            FCustomMsg->ShowInfo(QStringLiteral("请等待录音结束"));
        return;
    }
    for (TButton *b : std::as_const(FWordPhonemePlayButton))
        if (b != sender)
            b->SetIsPressed(false);
    sender->SetIsPressed(true);
    if (!FbPause) {
        FbPause = true;
        CornerButton_StudyPause->SetTag(1);
        CornerButton_StudyPause->SetText(kContinue);
        if (m_onPause)
            m_onPause();
    }
    Rectangle_PhonemeAnimationBackground->SetVisible(true);
    PlayPhonemeAni(sender->TagString(), Rectangle_PhonemeAnimationBackground);
}

void TStudyWordFrame::PlayPhonemeAni(const QString &phoneme, TRectangle *parent)
{
    playPhonemeStopAni();
    if (!parent)
        return;
    auto *ani = new TPngAni(parent);
    FPhonemeAni = ani;
    ani->SetAniArchive(FUIArchive);
    ani->SetAniSnd(FSoundEngine);
    ani->SetAniSpeed(31);
    ani->SetAniWidth(static_cast<float>(parent->Width()));
    ani->SetAniHeight(static_cast<float>(parent->Height()));
    ani->SetAniPosX(0);
    ani->SetAniPosY(0);
    ani->SetAniLoopPlay(false);
    QPointer<TStudyWordFrame> self(this);
    ani->SetAniStop([self] {
        if (self)
            self->PhonemeAniStop();
    });
    if (!ani->LoadAniFile(QStringLiteral("ani\\") + phoneme + QStringLiteral("\\filelist.txt"))) {
        procSaveLog(QStringLiteral("info：phoneme animation missing: ") + phoneme);
        PhonemeAniStop();
        return;
    }
    ani->PlayAni();
}

void TStudyWordFrame::PhonemeAniStop()
{
    Rectangle_PhonemeAnimationBackground->SetVisible(false);
    playPhonemeStopAni();
    for (TButton *b : std::as_const(FWordPhonemePlayButton))
        b->SetIsPressed(false);
}

void TStudyWordFrame::playPhonemeStopAni()
{
    if (FPhonemeAni) {
        // The run's end handler may be what called us: free it later.
        FPhonemeAni->deleteLater();
        FPhonemeAni = nullptr;
    }
}

void TStudyWordFrame::CheckBox_AutoPlayExampleClick()
{
    const QString file = LocalPath(m_mainPath, QStringLiteral("config\\Param.ini"));
    if (file.isEmpty())
        return;
    QDir().mkpath(QFileInfo(file).path());
    QSettings ini(file, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("wordParam"));
    ini.setValue(QStringLiteral("autoPlayExample"), CheckBox_AutoPlayExample->IsChecked());
    ini.setValue(QStringLiteral("OnlyUnread"), CheckBox_OnlyStudyUnread->IsChecked());
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError)
        procSaveLog(QStringLiteral("error:CheckBox_AutoPlayExampleClick cannot write ") + file);
}

void TStudyWordFrame::Rectangle_StudyPauseMouseDown()
{
    CornerButton_StudyPause->SetText(CornerButton_StudyPause->Tag() == 1 ? kContinue : kPause);
}
