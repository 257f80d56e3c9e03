#include "StudyRepeatFrame.h"

#include "ControlMakers.h"

#include "UIPicture.h"

#include "TRectangle.h"

using namespace ControlMakers;

TStudyRepeatFrame::TStudyRepeatFrame(QWidget *parent) : TModeBarFrame(parent, QStringLiteral("StudyRepeatFrame"))
{
    Rectangle_PartPicture = Holder(this, QStringLiteral("Rectangle_PartPicture"), 252, 60, 240, 160);
    BuildBar(207, 300, QStringLiteral("短文播放"));
}

void TStudyRepeatFrame::LoadPictures()
{
    LoadPicture_UI(Rectangle_PartPicture, QStringLiteral("png\\study\\repeat\\RepeatCenterPicture.png"), FUIArchive);
}
