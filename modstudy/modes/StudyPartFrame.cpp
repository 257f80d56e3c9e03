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

TStudyPartFrame::TStudyPartFrame(QWidget *parent) : TModeBarFrame(parent, QStringLiteral("StudyPartFrame"))
{
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
    BuildBar(640, 350, QStringLiteral("短文播放"));
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
