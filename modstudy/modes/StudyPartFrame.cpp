#include "StudyPartFrame.h"

#include "ControlMakers.h"
#include "Palette.h"

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
    Text_PartContent =
        Text(VertScrollBox_Part->Content(), QStringLiteral("Text_PartContent"), 8, 8, 570, 40, QString(), 15);
    Text_PartContent->SetHorzAlign(TTextAlign::Leading);
    Text_PartContent->SetVertAlign(TTextAlign::Leading);
    Text_PartContent->SetWordWrap(true);
    VertScrollBox_Part->AddToContent(Text_PartContent);
    Rectangle_PartPicture = Holder(this, QStringLiteral("Rectangle_PartPicture"), 640, 180, 240, 160);
    Text_HintContinue = Text(this, QStringLiteral("Text_HintContinue"), 640, 60, 150, 40,
                             QStringLiteral("继续上次的朗读"), 11, kOrange);
    Text_HintContinue->SetVisible(false);
    m_buttons = MakeModeButtons(this, 640, 350, QStringLiteral("全文试听"), QStringLiteral("录音回放"));
    Rectangle_Read = m_buttons.Rectangle_Read;
    Rectangle_Start = m_buttons.Rectangle_Start;
    Label_Start = m_buttons.Label_Start;
    Rectangle_Replay = m_buttons.Rectangle_Replay;
    Label_SpeedPlay = m_buttons.Label_SpeedPlay;
}

void TStudyPartFrame::SetUIArchive(const IArchivePtr &value)
{
    LoadModeButtonPictures(m_buttons, value);
}

void TStudyPartFrame::CreatePartContent(const TeduPack_Lesson &lesson, bool newContent)
{
    QStringList sentences;
    if (!newContent && !Text_PartContent->Text().isEmpty())
        sentences << Text_PartContent->Text();
    for (const TeduPack_Part &part : lesson.Parts)
        for (const TeduPack_Sentence &s : part.Sentences)
            sentences << s.Text;
    Text_PartContent->SetText(sentences.join(QLatin1Char(' ')));
    Text_PartContent->SetHeight(Text_PartContent->AutoSizedHeight() + 4);
}

QString TStudyPartFrame::PartContent() const
{
    return Text_PartContent->Text();
}
