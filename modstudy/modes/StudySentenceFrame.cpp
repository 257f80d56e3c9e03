#include "StudySentenceFrame.h"

#include "ControlMakers.h"
#include "GradingResult.h"
#include "Palette.h"
#include "ScoreScales.h"

#include "Commonconst.h"
#include "LocalPath.h"
#include "Log.h"
#include "UIPicture.h"

#include "TEffects.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"
#include "TVertScrollBox.h"

#include <QFile>

using namespace ControlMakers;
using namespace Palette;

namespace {
// The view fills the study page's centre area.
constexpr double kWidth = 984;
constexpr double kHeight = 456;
// Sentence rows.
constexpr double kListWidth = 600;
constexpr double kSpeakerWidth = 112;
constexpr double kTextX = 124;
constexpr double kTextWidth = 420;
constexpr double kTrumpetX = 556;
constexpr double kTrumpetSize = 28;
constexpr double kRowGap = 10;
constexpr double kMinRowHeight = 32;
// Word table rows.
constexpr double kWordRowHeight = 30;

const QString kMicUp = QStringLiteral("png\\study\\UnRecorded.png");
const QString kLoopUp = QStringLiteral("png\\study\\LoopPlayUp.png");
const QString kLoopDown = QStringLiteral("png\\study\\LoopPlayDown.png");
const QString kTrumpet = QStringLiteral("png\\study\\trumpet.png");
const QString kExitUp = QStringLiteral("png\\study\\Sentence\\ExitUp.png");
const QString kExitDown = QStringLiteral("png\\study\\Sentence\\ExitDown.png");
const QString kExitEnter = QStringLiteral("png\\study\\Sentence\\ExitEnter.png");
const QString kStartIdle = QStringLiteral("点击话筒 , 开始录音");

TText *Caption(QWidget *parent, double x, double y, double w, const QString &text)
{
    TText *t = Text(parent, QString(), x, y, w, 22, text, 11, kGrey);
    t->SetHitTest(false);
    return t;
}
} // namespace

TStudySentenceFrame::TStudySentenceFrame(QWidget *parent, const QString &mainPath) : TFrame(parent)
{
    setObjectName(QStringLiteral("StudySentenceFrame"));
    SetBounds(0, 0, kWidth, kHeight);
    BuildControls();
    ConnectControls();
    for (const QString &file : {QStringLiteral("tmp\\temp.wav"), QStringLiteral("tmp\\temp.mp3")}) {
        const QString path = LocalPath(mainPath, file);
        if (!path.isEmpty() && QFile::exists(path) && !QFile::remove(path))
            procSaveLog(QStringLiteral("info：sentence practice: could not delete ") + path);
    }
}

void TStudySentenceFrame::BuildControls()
{
    VertScrollBox_Content = ScrollBox(this, QStringLiteral("VertScrollBox_Content"), 16, 16, kListWidth, kHeight - 32);

    // The right column: speed and loop, the figure's place (drawn by the
    // main frame above this view), the lesson picture, the score and the
    // three buttons.
    Label_SpeedPlay =
        Label(this, QStringLiteral("Label_SpeedPlay"), 640, 18, 56, 28, QStringLiteral("x1.0"), 14, kCourseOrange);
    Label_SpeedPlay->SetHorzAlign(TTextAlign::Center);
    Label_SpeedPlay->SetFontStyle(fsBold);
    Label_SpeedPlay->setCursor(Qt::PointingHandCursor);
    Rectangle_LoopPlay = Holder(this, QStringLiteral("Rectangle_LoopPlay"), 704, 12, 40, 40);
    Rectangle_LoopPlay->setCursor(Qt::PointingHandCursor);

    Rectangle_SentencePicture = Holder(this, QStringLiteral("Rectangle_SentencePicture"), 640, 64, 150, 100);
    Text_SelectSentenceContent =
        Text(this, QStringLiteral("Text_SelectSentenceContent"), 640, 168, 150, 0, QString(), 10, kGrey);
    Text_SelectSentenceContent->SetWordWrap(true);
    Text_SelectSentenceContent->SetVisible(false);

    Rectangle_Score = Rect(this, QStringLiteral("Rectangle_Score"), 640, 180, 328, 150, 0xFFFFF8EC);
    Card(Rectangle_Score);
    Text_SentenceScore =
        Text(Rectangle_Score, QStringLiteral("Text_SentenceScore"), 8, 26, 110, 56, QStringLiteral("0"), 30, kOrange);
    Text_SentenceScore->SetFontStyle(fsBold);
    Caption(Rectangle_Score, 8, 84, 110, QStringLiteral("总分"));
    const struct
    {
        const char *icon;
        const char *caption;
        TLabel **label;
        const char *name;
    } partials[] = {
        {"png\\study\\sentence\\Accuracy.png", "准确度", &Label_AccuracyScore, "Label_AccuracyScore"},
        {"png\\study\\sentence\\Fluency.png", "流利度", &Label_FluencyScore, "Label_FluencyScore"},
        {"png\\study\\sentence\\Integrity.png", "完整度", &Label_IntegrityScore, "Label_IntegrityScore"},
    };
    double y = 14;
    for (const auto &p : partials) {
        auto *icon = Holder(Rectangle_Score,
                            QString::fromLatin1(p.name).replace(QLatin1String("Label_"), QLatin1String("Rectangle_")),
                            132, y, 24, 24);
        icon->SetTagString(QString::fromLatin1(p.icon));
        TLabel *caption = Label(Rectangle_Score, QString(), 162, y, 60, 24, QString::fromUtf8(p.caption), 11, kGrey);
        caption->SetHitTest(false);
        *p.label = Label(Rectangle_Score, QString::fromLatin1(p.name), 226, y, 60, 24, QStringLiteral("0"), 13);
        (*p.label)->SetFontStyle(fsBold);
        y += 34;
    }
    Label_Detail =
        Label(Rectangle_Score, QStringLiteral("Label_Detail"), 262, 118, 56, 24, QStringLiteral("详情"), 12, kSkyBlue);
    Label_Detail->SetHorzAlign(TTextAlign::Trailing);
    Label_Detail->setCursor(Qt::PointingHandCursor);

    Rectangle_Read = Holder(this, QStringLiteral("Rectangle_Read"), 664, 350, 56, 56);
    Caption(this, 642, 410, 100, QStringLiteral("句子播放"));
    Rectangle_Start = Holder(this, QStringLiteral("Rectangle_Start"), 768, 340, 72, 72);
    Label_Start = Label(this, QStringLiteral("Label_Start"), 724, 414, 160, 24, kStartIdle, 11, kGrey);
    Label_Start->SetHorzAlign(TTextAlign::Center);
    Rectangle_Replay = Holder(this, QStringLiteral("Rectangle_Replay"), 888, 350, 56, 56);
    Caption(this, 866, 410, 100, QStringLiteral("录音回放"));
    for (TRectangle *button : {Rectangle_Read, Rectangle_Start, Rectangle_Replay})
        button->setCursor(Qt::PointingHandCursor);

    // The word table, over the sentence list while it is open.
    Rectangle_SentenceScore = Rect(this, QStringLiteral("Rectangle_SentenceScore"), 140, 30, 360, 396, kWhite);
    Card(Rectangle_SentenceScore);
    TText *word = Text(Rectangle_SentenceScore, QString(), 24, 14, 180, 26, QStringLiteral("单词"), 13);
    TText *score = Text(Rectangle_SentenceScore, QString(), 204, 14, 100, 26, QStringLiteral("分数"), 13);
    for (TText *t : {word, score})
        t->SetFontStyle(fsBold);
    Rectangle_SentenceScoreExit =
        Holder(Rectangle_SentenceScore, QStringLiteral("Rectangle_SentenceScoreExit"), 320, 12, 28, 28);
    Rectangle_SentenceScoreExit->setCursor(Qt::PointingHandCursor);
    VertScrollBox_SentenceScore =
        ScrollBox(Rectangle_SentenceScore, QStringLiteral("VertScrollBox_SentenceScore"), 16, 48, 328, 332);
    Rectangle_SentenceScore->SetVisible(false);
}

void TStudySentenceFrame::ConnectControls()
{
    connect(Rectangle_LoopPlay, &TControl::Click, this, [this](TControl *) { Rectangle_LoopPlayClick(); });
    connect(Label_Detail, &TControl::Click, this, [this](TControl *) { Label_DetailClick(); });
    connect(Rectangle_SentenceScoreExit, &TControl::MouseDown, this,
            [this](TControl *, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
                LoadPicture(Rectangle_SentenceScoreExit, kExitDown);
            });
    connect(Rectangle_SentenceScoreExit, &TControl::MouseEnter, this,
            [this](TControl *) { LoadPicture(Rectangle_SentenceScoreExit, kExitEnter); });
    connect(Rectangle_SentenceScoreExit, &TControl::MouseLeave, this,
            [this](TControl *) { LoadPicture(Rectangle_SentenceScoreExit, kExitUp); });
    connect(Rectangle_SentenceScoreExit, &TControl::MouseUp, this,
            [this](TControl *, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
                LoadPicture(Rectangle_SentenceScoreExit, kExitUp);
                Rectangle_SentenceScore->SendToBack();
                Rectangle_SentenceScore->SetVisible(false);
            });
    HintOnHover(Label_SpeedPlay, QStringLiteral("播放速度"));
    HintOnHover(Rectangle_LoopPlay, QStringLiteral("循环播放"));
}

void TStudySentenceFrame::HintOnHover(TControl *control, const QString &text)
{
    connect(control, &TControl::MouseEnter, this, [this, text](TControl *) {
        if (FSentenceScoreHint)
            FSentenceScoreHint->ShowHint(text, 3);
    });
    connect(control, &TControl::MouseLeave, this, [this](TControl *) {
        if (FSentenceScoreHint)
            FSentenceScoreHint->HideHint();
    });
}

bool TStudySentenceFrame::LoadPicture(TRectangle *target, const QString &name)
{
    return FUIArchive && LoadPicture_UI(target, name, FUIArchive);
}

void TStudySentenceFrame::SetUIArchive(const IArchivePtr &value)
{
    FUIArchive = value;
    LoadPicture(Rectangle_Start, kMicUp);
    LoadPicture(Rectangle_LoopPlay, Rectangle_LoopPlay->Tag() != 0 ? kLoopDown : kLoopUp);
    LoadPicture(Rectangle_Read, QStringLiteral("png\\study\\public\\ReadUp.png"));
    LoadPicture(Rectangle_Replay, QStringLiteral("png\\study\\public\\ReplayUp.png"));
    LoadPicture(Rectangle_SentenceScoreExit, kExitUp);
    for (TRectangle *icon : Rectangle_Score->findChildren<TRectangle *>()) {
        if (!icon->TagString().isEmpty())
            LoadPicture(icon, icon->TagString());
    }
    if (FMemoryPictureTrumpet.isEmpty() && FUIArchive) {
        if (const std::optional<QByteArray> bytes = ReadUIResource(kTrumpet, FUIArchive))
            FMemoryPictureTrumpet = *bytes;
    }
    for (TRectangle *trumpet : FSentenceTrumpet)
        trumpet->LoadBitmap(FMemoryPictureTrumpet);
}

void TStudySentenceFrame::AddSentenceRow(int partIndex, int sentenceIndex, const QString &speaker, const QString &text)
{
    const int k = SentenceCount();
    QWidget *content = VertScrollBox_Content->Content();
    const double y = m_nextRowY + (k == 0 ? 8 : kRowGap);

    TText *role = Text(content, QStringLiteral("SentenceRoleName%1").arg(k), 0, y, kSpeakerWidth, kMinRowHeight,
                       speaker + QStringLiteral(" :"), 14, kGrey);
    role->SetHorzAlign(TTextAlign::Trailing);
    role->SetVertAlign(TTextAlign::Leading);
    role->SetVisible(!speaker.isEmpty());

    TText *sentence =
        Text(content, QStringLiteral("SentenceContent%1").arg(k), kTextX, y, kTextWidth, kMinRowHeight, text, 15);
    sentence->SetHorzAlign(TTextAlign::Leading);
    sentence->SetVertAlign(TTextAlign::Leading);
    sentence->SetWordWrap(true);
    sentence->SetHeight(std::max(kMinRowHeight, sentence->AutoSizedHeight() + 4));
    sentence->SetTagString(QString::number(partIndex));
    sentence->SetTag(sentenceIndex);
    sentence->SetTagFloat(k);
    sentence->setCursor(Qt::PointingHandCursor);

    TRectangle *trumpet =
        Holder(content, QStringLiteral("SentenceTrumpet%1").arg(k), kTrumpetX, y, kTrumpetSize, kTrumpetSize);
    trumpet->SetTag(k);
    trumpet->setCursor(Qt::PointingHandCursor);
    if (!FMemoryPictureTrumpet.isEmpty())
        trumpet->LoadBitmap(FMemoryPictureTrumpet);
    auto *glow = new TGlowEffect(trumpet);
    glow->setObjectName(QStringLiteral("TrumpetGlowEffect%1").arg(k));
    glow->SetEnabled(false);
    glow->SetOpacity(0.9);
    glow->SetSoftness(0.2);

    VertScrollBox_Content->AddToContent(role);
    VertScrollBox_Content->AddToContent(sentence);
    VertScrollBox_Content->AddToContent(trumpet);
    FSentenceRoleName.append(role);
    FSentenceContent.append(sentence);
    FSentenceTrumpet.append(trumpet);
    FTrumpetGlowEffect.append(glow);
    m_nextRowY = y + sentence->Height();
}

void TStudySentenceFrame::ClearColorSentence(TAlphaColor color)
{
    for (TText *t : FSentenceContent)
        t->SetColor(color);
}

void TStudySentenceFrame::SetSelectSentenceContent(const QString &text)
{
    FSelectSentenceContent = text;
    Text_SelectSentenceContent->SetText(text);
    Text_SelectSentenceContent->SetHeight(text.isEmpty() ? 0 : Text_SelectSentenceContent->AutoSizedHeight());
    Text_SelectSentenceContent->SetVisible(!text.isEmpty());
}

bool TStudySentenceFrame::LoopOn() const
{
    return Rectangle_LoopPlay->Tag() != 0;
}

void TStudySentenceFrame::Rectangle_LoopPlayClick()
{
    const bool on = !LoopOn();
    Rectangle_LoopPlay->SetTag(on ? 1 : 0);
    LoadPicture(Rectangle_LoopPlay, on ? kLoopDown : kLoopUp);
}

void TStudySentenceFrame::Label_DetailClick()
{
    Rectangle_SentenceScore->BringToFront();
    Rectangle_SentenceScore->SetVisible(true);
    LoadPicture(Rectangle_SentenceScoreExit, kExitUp);
}

void TStudySentenceFrame::ClearWordTable()
{
    for (TText *t : DisplayScore_Content)
        delete t;
    for (TText *t : Displayscore_Score)
        delete t;
    DisplayScore_Content.clear();
    Displayscore_Score.clear();
}

void TStudySentenceFrame::DisplayScore(const QString &result)
{
    try {
        ClearWordTable();
        if (result.isEmpty())
            return;
        const TGradingResult graded = DecodeGradingResult(result);
        QWidget *content = VertScrollBox_SentenceScore->Content();
        int i = 0;
        for (const TGradingDetail &d : graded.details) {
            const double y = i * kWordRowHeight;
            const TAlphaColor color = ScoreColor(d.score);
            TText *word = Text(content, QStringLiteral("DisplayScore_Content%1").arg(i), 8, y, 180, kWordRowHeight,
                               d.text, 14, color);
            word->SetHorzAlign(TTextAlign::Leading);
            TText *score = Text(content, QStringLiteral("DisplayScore_Score%1").arg(i), 188, y, 100, kWordRowHeight,
                                QString::number(d.score), 14, color);
            score->SetHorzAlign(TTextAlign::Leading);
            VertScrollBox_SentenceScore->AddToContent(word);
            VertScrollBox_SentenceScore->AddToContent(score);
            DisplayScore_Content.append(word);
            Displayscore_Score.append(score);
            ++i;
        }
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:Sentence DisplayScore ") + QString::fromUtf8(e.what()));
    }
}

bool TStudySentenceFrame::DecodeScoreSentence(const QString &result)
{
    const TGradingResult graded = DecodeGradingResult(result);
    if (!graded.graded)
        return false;
    Text_SentenceScore->SetText(QString::number(graded.overall));
    Label_AccuracyScore->SetText(QString::number(graded.accuracy));
    Label_IntegrityScore->SetText(QString::number(graded.integrity));
    Label_FluencyScore->SetText(QString::number(graded.fluency));
    if (FSndSound)
        FSndSound->PlayScoreSound(0, graded.overall);
    return true;
}
