#include "StudyPartFrame.h"

#include "ControlMakers.h"
#include "Palette.h"

#include "MyLabelFrame.h"
#include "PassageText.h"

#include "PackBook.h"

#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"
#include "TVertScrollBox.h"

using namespace ControlMakers;
using namespace Palette;

TStudyPartFrame::TStudyPartFrame(QWidget *parent) : TFrame(parent)
{
    setObjectName(QStringLiteral("StudyPartFrame"));
    SetBounds(0, 0, 984, 456);
    VertScrollBox_Part = ScrollBox(this, QStringLiteral("VertScrollBox_Part"), 16, 16, 600, 424);
    FMyLabel = new TMyLabelFrame(VertScrollBox_Part->Content());
    FMyLabel->SetBounds(8, 8, 570, 0);
    VertScrollBox_Part->AddToContent(FMyLabel);
    Label_PartContent =
        Text(VertScrollBox_Part->Content(), QStringLiteral("Label_PartContent"), 8, 8, 570, 40, QString(), 15);
    Label_PartContent->SetHorzAlign(TTextAlign::Leading);
    Label_PartContent->SetVertAlign(TTextAlign::Leading);
    Label_PartContent->SetWordWrap(true);
    Label_PartContent->SetVisible(false);
    VertScrollBox_Part->AddToContent(Label_PartContent);
    Rectangle_PartPicture = Holder(this, QStringLiteral("Rectangle_PartPicture"), 640, 110, 240, 160);
    Text_HintContinue = Text(this, QStringLiteral("Text_HintContinue"), 640, 60, 150, 40,
                             QStringLiteral("本篇可分段续读"), 11, kOrange);
    Text_HintContinue->SetVisible(false);
    m_buttons = MakeModeButtons(this, 640, 350, QStringLiteral("短文播放"), QStringLiteral("录音回放"));
    Rectangle_Read = m_buttons.Rectangle_Read;
    Rectangle_Start = m_buttons.Rectangle_Start;
    Label_Start = m_buttons.Label_Start;
    Rectangle_Replay = m_buttons.Rectangle_Replay;
    Label_SpeedPlay = m_buttons.Label_SpeedPlay;
    Rectangle_LoopPlay = m_buttons.Rectangle_LoopPlay;
    connect(Rectangle_LoopPlay, &TControl::Click, this, [this](TControl *) { ToggleLoop(m_buttons, FUIArchive); });
    HintModeButtons(this, m_buttons, &FCustomHint);
}

void TStudyPartFrame::SetUIArchive(const IArchivePtr &value)
{
    FUIArchive = value;
    LoadModeButtonPictures(m_buttons, value);
}

void TStudyPartFrame::CreatePartContent(const TeduPack_Lesson &lesson, bool newContent)
{
    FCurRecordContent = PassageText::ReadingText(lesson);
    FMyLabel->SetText(newContent ? FCurRecordContent : FMyLabel->Text() + FCurRecordContent);
    FMyLabel->SetVisible(true);
    Label_PartContent->SetVisible(false);
}

void TStudyPartFrame::CreateMaterial(const QString &text)
{
    FCurRecordContent = QString(text).remove(QStringLiteral("\r\n"));
    Label_PartContent->SetText(QStringLiteral("        ") + FCurRecordContent);
    Label_PartContent->SetHeight(Label_PartContent->AutoSizedHeight() + 4);
    Label_PartContent->SetVisible(true);
    FMyLabel->SetVisible(false);
}

QString TStudyPartFrame::PartContent() const
{
    return Label_PartContent->Visible() ? Label_PartContent->Text() : FMyLabel->Text();
}

bool TStudyPartFrame::LoopOn() const
{
    return Rectangle_LoopPlay->Tag() != 0;
}
