#include "WordPhonemeFrame.h"

#include "ControlMakers.h"

#include "Log.h"
#include "TPngAni.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"

using namespace ControlMakers;

TWordPhonemeFrame::TWordPhonemeFrame(QWidget *parent, double width) : TFrame(parent)
{
    SetBounds(0, 0, width, kHeight);
    Rectangle1 = Rect(this, QStringLiteral("Rectangle1"), 0, 0, width, kHeight, 0xFFF6F6F6);
    Rectangle1->SetStrokeThickness(1);
    Rectangle1->SetStrokeColor(0xFFC8C8C8);
    Rectangle1->SetHitTest(false);
    Label1 = Label(this, QStringLiteral("Label1"), 6, 0, 8, kHeight, QStringLiteral("["), 14);
    Label_Content = Label(this, QStringLiteral("Label_Content"), 0, 0, 65, kHeight, QString(), 14);
    Label_Content->SetHorzAlign(TTextAlign::Center);
    Label2 = Label(this, QStringLiteral("Label2"), 52, 0, 10, kHeight, QStringLiteral("] "), 14);
    Button_PhonemePlay =
        Button(this, QStringLiteral("Button_PhonemePlay"), 61, 8, 16, 16, QString(), QStringLiteral("buttonCustom2"));
    Label_Score = Label(this, QStringLiteral("Label_Score"), 80, 0, width - 84, kHeight, QString(), 14, 0xFFFFA417);
    Label_Score->SetHorzAlign(TTextAlign::Center);
    Rectangle_AnimationBackground = Holder(this, QStringLiteral("Rectangle_AnimationBackground"), 72, 24, 104, 140);
    Rectangle_AnimationBackground->SetVisible(false);
    m_spot = Rectangle_AnimationBackground;
}

TWordPhonemeFrame::~TWordPhonemeFrame()
{
    delete ReadAni.data();
}

void TWordPhonemeFrame::DisplayVisible(bool visible)
{
    for (TControl *c :
         std::initializer_list<TControl *>{Label_Content, Label1, Label2, Button_PhonemePlay, Label_Score})
        c->SetVisible(visible);
}

void TWordPhonemeFrame::Button_PhonemePlayClick()
{
    playStopAni();
    if (!m_spot)
        return;
    m_spot->SetVisible(true);
    m_spot->BringToFront();
    auto *ani = new TPngAni(m_spot);
    ReadAni = ani;
    ani->SetAniArchive(FUIArchive);
    ani->SetAniSnd(FSoundEngine);
    ani->SetAniSpeed(31);
    ani->SetAniWidth(static_cast<float>(m_spot->Width()));
    ani->SetAniHeight(static_cast<float>(m_spot->Height()));
    ani->SetAniPosX(0);
    ani->SetAniPosY(0);
    ani->SetAniLoopPlay(false);
    QPointer<TWordPhonemeFrame> self(this);
    ani->SetAniStop([self] {
        if (self)
            self->AniStop();
    });
    const QString name = Button_PhonemePlay->TagString();
    if (!ani->LoadAniFile(QStringLiteral("ani\\") + name + QStringLiteral("\\filelist.txt"))) {
        procSaveLog(QStringLiteral("info：phoneme animation missing: ") + name);
        AniStop();
        return;
    }
    ani->PlayAni();
}

void TWordPhonemeFrame::AniStop()
{
    if (m_spot)
        m_spot->SetVisible(false);
    playStopAni();
}

void TWordPhonemeFrame::playStopAni()
{
    Button_PhonemePlay->SetIsPressed(false);
    if (ReadAni) {
        // The run's end handler may be what called us: free it later.
        ReadAni->deleteLater();
        ReadAni = nullptr;
    }
}
