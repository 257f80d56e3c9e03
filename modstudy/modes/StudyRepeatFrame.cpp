#include "StudyRepeatFrame.h"

#include "ControlMakers.h"

#include "UIPicture.h"

#include "TLabel.h"
#include "TRectangle.h"

using namespace ControlMakers;

TStudyRepeatFrame::TStudyRepeatFrame(QWidget *parent) : TFrame(parent)
{
    setObjectName(QStringLiteral("StudyRepeatFrame"));
    SetBounds(0, 0, 984, 456);
    Rectangle_PartPicture = Holder(this, QStringLiteral("Rectangle_PartPicture"), 252, 60, 240, 160);
    m_buttons = MakeModeButtons(this, 207, 300, QStringLiteral("短文播放"), QStringLiteral("录音回放"));
    Rectangle_Read = m_buttons.Rectangle_Read;
    Rectangle_Start = m_buttons.Rectangle_Start;
    Label_Start = m_buttons.Label_Start;
    Rectangle_Replay = m_buttons.Rectangle_Replay;
    Label_SpeedPlay = m_buttons.Label_SpeedPlay;
    Rectangle_LoopPlay = m_buttons.Rectangle_LoopPlay;
    connect(Rectangle_LoopPlay, &TControl::Click, this, [this](TControl *) { ToggleLoop(m_buttons, FUIArchive); });
    HintModeButtons(this, m_buttons, &FCustomHint);
}

void TStudyRepeatFrame::SetUIArchive(const IArchivePtr &value)
{
    FUIArchive = value;
    LoadModeButtonPictures(m_buttons, value);
    if (value)
        LoadPicture_UI(Rectangle_PartPicture, QStringLiteral("png\\study\\repeat\\RepeatCenterPicture.png"), value);
}

bool TStudyRepeatFrame::LoopOn() const
{
    return Rectangle_LoopPlay->Tag() != 0;
}
