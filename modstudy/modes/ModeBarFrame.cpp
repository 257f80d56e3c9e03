#include "ModeBarFrame.h"

#include "ControlMakers.h"
#include "Palette.h"

#include "UIPicture.h"

#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"

using namespace ControlMakers;
using namespace Palette;

TModeBarFrame::TModeBarFrame(QWidget *parent, const QString &name) : TFrame(parent)
{
    setObjectName(name);
    SetBounds(0, 0, 984, 456);
}

void TModeBarFrame::BuildBar(double x, double y, const QString &readCaption)
{
    Label_SpeedPlay =
        Label(this, QStringLiteral("Label_SpeedPlay"), x, y + 14, 40, 28, QStringLiteral("x1.0"), 13, kCourseOrange);
    Label_SpeedPlay->SetHorzAlign(TTextAlign::Center);
    Label_SpeedPlay->SetFontStyle(fsBold);
    Rectangle_LoopPlay = Holder(this, QStringLiteral("Rectangle_LoopPlay"), x + 4, y - 30, 32, 32);
    Rectangle_Read = Holder(this, QStringLiteral("Rectangle_Read"), x + 50, y + 8, 48, 48);
    Rectangle_Start = Holder(this, QStringLiteral("Rectangle_Start"), x + 134, y, 64, 64);
    Rectangle_Replay = Holder(this, QStringLiteral("Rectangle_Replay"), x + 234, y + 8, 48, 48);
    Label_Start = Label(this, QStringLiteral("Label_Start"), x + 86, y + 68, 160, 22,
                        QStringLiteral("点击话筒 , 开始录音"), 11, kGrey);
    Label_Start->SetHorzAlign(TTextAlign::Center);
    for (const auto &[at, caption] : {std::pair{x + 34, readCaption}, std::pair{x + 218, QStringLiteral("录音回放")}}) {
        TText *t = Text(this, QString(), at, y + 58, 80, 20, caption, 10, kGrey);
        t->SetHitTest(false);
    }
    for (TControl *c : std::initializer_list<TControl *>{Label_SpeedPlay, Rectangle_Read, Rectangle_Start,
                                                         Rectangle_Replay, Rectangle_LoopPlay})
        c->setCursor(Qt::PointingHandCursor);

    connect(Rectangle_LoopPlay, &TControl::Click, this, [this](TControl *) {
        Rectangle_LoopPlay->SetTag(LoopOn() ? 0 : 1);
        LoadBarPictures();
    });
    const std::pair<TControl *, QString> hinted[] = {{Label_SpeedPlay, QStringLiteral("播放速度")},
                                                     {Rectangle_LoopPlay, QStringLiteral("循环播放")}};
    for (const auto &[control, text] : hinted) {
        connect(control, &TControl::MouseEnter, this, [this, text = text](TControl *) {
            if (FCustomHint)
                FCustomHint->ShowHint(text, 3);
        });
        connect(control, &TControl::MouseLeave, this, [this](TControl *) {
            if (FCustomHint)
                FCustomHint->HideHint();
        });
    }
}

void TModeBarFrame::SetUIArchive(const IArchivePtr &value)
{
    FUIArchive = value;
    LoadBarPictures();
    if (FUIArchive)
        LoadPictures();
}

bool TModeBarFrame::LoopOn() const
{
    return Rectangle_LoopPlay && Rectangle_LoopPlay->Tag() != 0;
}

void TModeBarFrame::LoadBarPictures()
{
    if (!FUIArchive)
        return;
    LoadPicture_UI(Rectangle_Read, QStringLiteral("png\\study\\public\\ReadUp.png"), FUIArchive);
    LoadPicture_UI(Rectangle_Start, QStringLiteral("png\\study\\UnRecorded.png"), FUIArchive);
    LoadPicture_UI(Rectangle_Replay, QStringLiteral("png\\study\\public\\ReplayUp.png"), FUIArchive);
    LoadPicture_UI(Rectangle_LoopPlay,
                   LoopOn() ? QStringLiteral("png\\study\\LoopPlayDown.png")
                            : QStringLiteral("png\\study\\LoopPlayUp.png"),
                   FUIArchive);
}
