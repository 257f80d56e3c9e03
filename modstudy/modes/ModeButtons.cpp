#include "ModeButtons.h"

#include "ControlMakers.h"
#include "Palette.h"

#include "UIPicture.h"

#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"

using namespace ControlMakers;
using namespace Palette;

TModeButtons MakeModeButtons(QWidget *parent, double x, double y, const QString &readCaption,
                             const QString &replayCaption)
{
    TModeButtons b;
    b.Label_SpeedPlay =
        Label(parent, QStringLiteral("Label_SpeedPlay"), x, y + 14, 40, 28, QStringLiteral("x1.0"), 13, kCourseOrange);
    b.Label_SpeedPlay->SetHorzAlign(TTextAlign::Center);
    b.Label_SpeedPlay->SetFontStyle(fsBold);
    b.Rectangle_LoopPlay = Holder(parent, QStringLiteral("Rectangle_LoopPlay"), x + 4, y - 30, 32, 32);
    b.Rectangle_Read = Holder(parent, QStringLiteral("Rectangle_Read"), x + 50, y + 8, 48, 48);
    b.Rectangle_Start = Holder(parent, QStringLiteral("Rectangle_Start"), x + 134, y, 64, 64);
    b.Rectangle_Replay = Holder(parent, QStringLiteral("Rectangle_Replay"), x + 234, y + 8, 48, 48);
    b.Label_Start = Label(parent, QStringLiteral("Label_Start"), x + 86, y + 68, 160, 22,
                          QStringLiteral("点击话筒 , 开始录音"), 11, kGrey);
    b.Label_Start->SetHorzAlign(TTextAlign::Center);
    for (const auto &[at, caption] : {std::pair{x + 34, readCaption}, std::pair{x + 218, replayCaption}}) {
        TText *t = Text(parent, QString(), at, y + 58, 80, 20, caption, 10, kGrey);
        t->SetHitTest(false);
    }
    for (TControl *c : std::initializer_list<TControl *>{b.Label_SpeedPlay, b.Rectangle_Read, b.Rectangle_Start,
                                                         b.Rectangle_Replay, b.Rectangle_LoopPlay})
        c->setCursor(Qt::PointingHandCursor);
    return b;
}

void LoadModeButtonPictures(const TModeButtons &buttons, const IArchivePtr &archive)
{
    if (!archive)
        return;
    LoadPicture_UI(buttons.Rectangle_Read, QStringLiteral("png\\study\\public\\ReadUp.png"), archive);
    LoadPicture_UI(buttons.Rectangle_Start, QStringLiteral("png\\study\\UnRecorded.png"), archive);
    LoadPicture_UI(buttons.Rectangle_Replay, QStringLiteral("png\\study\\public\\ReplayUp.png"), archive);
    LoadPicture_UI(buttons.Rectangle_LoopPlay,
                   buttons.Rectangle_LoopPlay->Tag() != 0 ? QStringLiteral("png\\study\\LoopPlayDown.png")
                                                          : QStringLiteral("png\\study\\LoopPlayUp.png"),
                   archive);
}

void ToggleLoop(const TModeButtons &buttons, const IArchivePtr &archive)
{
    buttons.Rectangle_LoopPlay->SetTag(buttons.Rectangle_LoopPlay->Tag() != 0 ? 0 : 1);
    LoadModeButtonPictures(buttons, archive);
}

void HintModeButtons(QObject *owner, const TModeButtons &buttons, const ICustomHintPtr *hint)
{
    const std::pair<TControl *, QString> hinted[] = {{buttons.Label_SpeedPlay, QStringLiteral("播放速度")},
                                                     {buttons.Rectangle_LoopPlay, QStringLiteral("循环播放")}};
    for (const auto &[control, text] : hinted) {
        QObject::connect(control, &TControl::MouseEnter, owner, [hint, text = text](TControl *) {
            if (*hint)
                (*hint)->ShowHint(text, 3);
        });
        QObject::connect(control, &TControl::MouseLeave, owner, [hint](TControl *) {
            if (*hint)
                (*hint)->HideHint();
        });
    }
}
