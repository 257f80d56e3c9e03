// The study page's mode tabs, the switch from one mode view to another, the
// way back to the course page, the sentence counter, the speed label and the
// microphone animation.
//
// A switch or a return never tears a view down under running audio: both
// first ask the running work to stop (bStop, StopRecord, StopPlay), note the
// request (isStudyModeChange, isStudyModeReturn: no start timer starts
// anything meanwhile) and leave the rest to a 200 ms timer that waits for
// WorkState to be idle.

#include "StudyFrame.h"
#include "Palette.h"

#include "PendingWork.h"
#include "StudyModeRules.h"
#include "StudyPartFrame.h"
#include "StudyPlayFrame.h"
#include "StudyRepeatFrame.h"
#include "StudySentenceFrame.h"

#include "Log.h"
#include "TPngAni.h"
#include "UIPicture.h"

#include "TButton.h"
#include "TFrameAnimation.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"
#include "TTimer.h"

using namespace StudyModes;

namespace {
constexpr TAlphaColor kTabChosen = Palette::kCourseOrange;
constexpr TAlphaColor kTabHoverLine = 0xFF1E90FF;
constexpr double kTabHoverThickness = 1.5;
} // namespace

void TStudyFrame::StudyModeButtonUp(TControl *Sender, Qt::MouseButton, Qt::KeyboardModifiers, double, double)
{
    TFrameEntry entry(this);
    if (!Sender)
        return;
    FreeAni(WelcomeAni);
    TabControl_Home->SetTabIndex(pgStudy);
    Text_WordContinueTitle->SetVisible(false);
    Text1->SetText(QStringLiteral("句子"));
    for (TRectangle *tab : {Rectangle_Sentence, Rectangle_Part, Rectangle_Repeat, Rectangle_Role})
        tab->SetVisible(true);
    Rectangle_Word->SetVisible(false);
    TText *tab = findChild<TText *>(TabTextName(TabOfLabel(Sender->Name())));
    Text_TabSentenceMouseDown(tab);
}

void TStudyFrame::Text_TabSentenceMouseDown(TControl *Sender)
{
    TFrameEntry entry(this);
    auto *chosen = qobject_cast<TText *>(Sender);
    if (!chosen)
        return;
    PlayRecordAnimation(false);
    for (TText *text : {Text_TabSentence, Text_TabPart, Text_TabRepeat, Text_TabRole}) {
        auto *rect = qobject_cast<TRectangle *>(text->parentWidget());
        text->SetTag(0);
        text->SetColor(Palette::kBlack);
        rect->SetFillColor(Palette::kWhite);
        rect->SetStrokeThickness(0);
        rect->SetOpacity(1);
    }
    DisplaySentenceCount(false);
    Label_Title->SetText(QString());

    auto *rect = qobject_cast<TRectangle *>(chosen->parentWidget());
    TModeTab tab = TModeTab::Role;
    if (!rect || !TabOfRectName(rect->Name(), tab))
        return;
    rect->SetFillColor(kTabChosen);
    chosen->SetTag(1);
    chosen->SetColor(Palette::kWhite);
    Label_Title->SetText(TabInstruction(tab));
    DisplaySentenceCount(TabShowsSentenceCount(tab));
    StudyModeChangeUp(rect);
}

void TStudyFrame::Text_TabSentenceMouseEnter(TControl *Sender)
{
    auto *rect = Sender ? qobject_cast<TRectangle *>(Sender->parentWidget()) : nullptr;
    if (!rect)
        return;
    rect->SetSides(TRectangle::AllSides);
    rect->SetStrokeColor(kTabHoverLine);
    rect->SetStrokeThickness(kTabHoverThickness);
}

void TStudyFrame::Text_TabSentenceMouseLeave(TControl *Sender)
{
    auto *text = qobject_cast<TText *>(Sender);
    auto *rect = text ? qobject_cast<TRectangle *>(text->parentWidget()) : nullptr;
    if (!rect)
        return;
    rect->SetStrokeThickness(0);
    if (text->Tag() != 1) {
        rect->SetFillColor(Palette::kWhite);
        text->SetColor(Palette::kBlack);
    }
}

void TStudyFrame::StudyModeChangeUp(TControl *Sender)
{
    if (!Sender)
        return;
    for (TPngAni **ani : {&ReadAni, &RecordAni, &ScoreAni, &ExpAni, &CoinAni, &MedalAni})
        FreeAni(*ani);
    PlayRecordAnimation(false);
    bStop = true;
    if (FSoundEngine) {
        FSoundEngine->StopRecord();
        FSoundEngine->StopPlay();
    }
    sCurRoleName.clear();
    isStudyModeChange = true;
    curModeName = Sender->Name();
    Timer_ChangeMode->SetEnabled(true);
}

void TStudyFrame::FreeModeFrames()
{
    // The microphone animation may lie on a view's microphone: take it back
    // to the page first, so that it is not freed with the view.
    PlayRecordAnimation(false);
    delete StudySentenceFrame.data();
    delete StudyPartFrame.data();
    delete StudyRepeatFrame.data();
    delete StudyPlayFrame.data();
}

void TStudyFrame::Timer_ChangeModeTimer()
{
    if (WorkState != wsIdle)
        return;
    iMaxScore_Assignment = 0;
    bStop = false;
    Timer_ChangeMode->SetEnabled(false);
    FreeModeFrames();
    isStudyModeChange = false;
    if (FSoundEngine)
        FSoundEngine->SetOnPlayFinished(nullptr);

    TModeTab tab = TModeTab::Role;
    if (!TabOfRectName(curModeName, tab)) {
        procSaveLog(QStringLiteral("error:curModeName ") + curModeName);
        return;
    }
    QWidget *center = Rectangle_StudyCenterBackground;
    switch (tab) {
    case TModeTab::Sentence: {
        auto *view = new TStudySentenceFrame(center, FMainPath);
        StudySentenceFrame = view;
        view->SetSndSound(FSoundEngine);
        view->SetUIArchive(FUIArchive);
        view->SetSentenceScoreHint(FCustomHint);
        view->Rectangle_Score->SetVisible(false);
        view->show();
        StudyModule = smStudySentence;
        DoUpdateLV_Sentences(curselectUnitButtonIndex, curSelectLessonButtonIndex);
        break;
    }
    case TModeTab::Part:
    case TModeTab::Repeat: {
        if (tab == TModeTab::Part) {
            auto *view = new TStudyPartFrame(center);
            StudyPartFrame = view;
            view->SetCustomHint(FCustomHint);
            view->SetSoundEngine(FSoundEngine);
            view->SetUIArchive(FUIArchive);
            view->show();
            StudyModule = smStudyPart;
            DoUpdateLV_Part(curselectUnitButtonIndex, curSelectLessonButtonIndex);
        } else {
            auto *view = new TStudyRepeatFrame(center);
            StudyRepeatFrame = view;
            view->SetCustomHint(FCustomHint);
            view->SetSoundEngine(FSoundEngine);
            view->SetUIArchive(FUIArchive);
            view->show();
            StudyModule = smStudyRepeat;
            const auto wire = [this](TControl *c, void (TStudyFrame::*handler)(), const QString &name) {
                connect(c, &TControl::Click, this, [this, handler, name](TControl *) {
                    RunHandler(name, [this, handler] { (this->*handler)(); });
                });
            };
            wire(view->Rectangle_Read, &TStudyFrame::RepeatButton_ListenOnClick,
                 QStringLiteral("RepeatButton_ListenOnClick"));
            wire(view->Rectangle_Start, &TStudyFrame::RepeatButton_RecordOnClick,
                 QStringLiteral("RepeatButton_RecordOnClick"));
            wire(view->Rectangle_Replay, &TStudyFrame::RepeatButton_ReplayOnClick,
                 QStringLiteral("RepeatButton_ReplayOnClick"));
            connect(view->Label_SpeedPlay, &TControl::Click, this, [this](TControl *s) {
                RunHandler(QStringLiteral("Label_SpeedPlayOnClick"), [this, s] { Label_SpeedPlayOnClick(s); });
            });
        }
        // The idle figure of the book's first speaker; a book without one
        // shows none, and the switch completes all the same.
        const QString character = FirstCharacterOfBook();
        if (character.isEmpty())
            procSaveLog(QStringLiteral("error:curModeName ") + curModeName);
        else
            PlayReadAni(GetRoleName(character) + QStringLiteral("Idle"), Rectangle_AnimationBackground_Study);
        break;
    }
    case TModeTab::Role: {
        if (FSoundEngine)
            FSoundEngine->SetOnPlayFinished([self = QPointer<TStudyFrame>(this)] {
                if (self)
                    self->RunHandler(QStringLiteral("SoundPlayFinished"), [&] { self->SoundPlayFinished(); });
            });
        auto *view = new TStudyPlayFrame(center);
        StudyPlayFrame = view;
        view->SetUIArchive(FUIArchive);
        view->SetSoundEngine(FSoundEngine);
        view->show();
        for (TRectangle *slot : view->Rectangle_Role) {
            connect(slot, &TControl::MouseDown, this,
                    [this](TControl *s, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
                        RunHandler(QStringLiteral("Rectangle_SelectRoleMouseDown"),
                                   [this, s] { Rectangle_SelectRoleMouseDown(s); });
                    });
        }
        connect(view->CornerButton_Confirm, &TControl::Click, this, [this](TControl *) {
            RunHandler(QStringLiteral("RectangleConfirmOnClick"), [this] { RectangleConfirmOnClick(); });
        });
        connect(view->Rectangle_EndPlay, &TControl::MouseUp, this,
                [this](TControl *, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
                    RunHandler(QStringLiteral("RectangleEndPlayMouseUp"), [this] { RectangleEndPlayMouseUp(); });
                });
        connect(view->Rectangle_ReselectRole, &TControl::MouseUp, this,
                [this](TControl *, Qt::MouseButton, Qt::KeyboardModifiers, QPointF) {
                    RunHandler(QStringLiteral("RectangleReselectRoleMouseUp"),
                               [this] { RectangleReselectRoleMouseUp(); });
                });
        connect(view->Rectangle_Start, &TControl::Click, this, [this](TControl *) {
            RunHandler(QStringLiteral("PlayStartRecordOnClick"), [this] { PlayStartRecordOnClick(); });
        });
        view->Rectangle_SelectRoleBack->SetVisible(true);
        view->Rectangle_SelectRoleBack->BringToFront();
        StudyModule = smRoleSelect;
        DoUpdateLV_Play(curselectUnitButtonIndex, curSelectLessonButtonIndex);
        break;
    }
    }
    TabControl_Home->SetTabIndex(pgStudy);
}

void TStudyFrame::ModeFrameReturnUp()
{
    PlayRecordAnimation(false);
    if ((StudyModule == smStudyWord || StudyModule == smWordResult) && StudyWordFrame) {
        // The word study's own home card; the word study is not built yet.
        if (FSoundEngine) {
            FSoundEngine->StopRecord();
            FSoundEngine->StopPlay();
        }
        LogPendingWork(QStringLiteral("ModeFrameReturnUp"), QStringLiteral("the word study's home card"),
                       QStringLiteral("word study"));
        StudyModule = smWordHome;
        DisplaySentenceCount(true);
        Text_SelectSentenceIndex->SetText(QStringLiteral("1"));
        return;
    }
    FreeAni(ReadAni);
    FreeAni(RecordAni);
    bStop = true;
    if (FSoundEngine) {
        FSoundEngine->StopRecord();
        FSoundEngine->StopPlay();
    }
    isStudyModeReturn = true;
    sCurRoleName.clear();
    Timer_Return->SetEnabled(true);
}

void TStudyFrame::Timer_ReturnTimer()
{
    if (WorkState != wsIdle)
        return;
    bStop = false;
    isAssignmentSkip = false;
    Timer_Return->SetEnabled(false);
    if (curSelectBookType == QLatin1String("materials")) {
        StudyModule = smHome;
        TabControl_Home->SetTabIndex(pgHome);
    } else {
        StudyModule = smBookUnit;
        TabControl_Home->SetTabIndex(pgBook);
    }
    FreeModeFrames();
    delete StudyWordFrame.data();
    if (FSoundEngine)
        FSoundEngine->SetOnPlayFinished(nullptr);
}

void TStudyFrame::DisplaySentenceCount(bool Visible)
{
    for (TText *t : {Text1, Text_SelectSentenceIndex, Text3, Text_SentenceTotalCount})
        t->SetVisible(Visible);
}

QString TStudyFrame::GetRoleName(const QString &Character)
{
    return RoleName(Character);
}

int TStudyFrame::GetSpeedPlay(const TLabel *Label)
{
    return Label ? SpeedPercent(Label->Text()) : 0;
}

void TStudyFrame::Label_SpeedPlayOnClick(TControl *Sender)
{
    auto *label = qobject_cast<TLabel *>(Sender);
    if (!label)
        return;
    label->SetText(NextSpeedLabel(label->Text()));
    if (FSoundEngine)
        FSoundEngine->SetPlaySpeed(PlayingVoiceFileName, GetSpeedPlay(label));
}

void TStudyFrame::PlayRecordAnimation(bool On, TControl *Target)
{
    if (!On || !Target) {
        // Back onto the study page, hidden.
        if (Rectangle_RecordAnimation->parentWidget() != TabItem_Study)
            Rectangle_RecordAnimation->setParent(TabItem_Study);
        Rectangle_RecordAnimation->SetVisible(false);
        BitmapListAnimation_Play->Stop();
        return;
    }
    if (auto *rect = qobject_cast<TRectangle *>(Target))
        rect->ClearBitmap();
    Rectangle_RecordAnimation->setParent(Target);
    Rectangle_RecordAnimation->SetPosition((Target->Width() - Rectangle_RecordAnimation->Width()) / 2,
                                           (Target->Height() - Rectangle_RecordAnimation->Height()) / 2);
    Rectangle_RecordAnimation->SetVisible(true);
    Rectangle_RecordAnimation->BringToFront();
    if (BitmapListAnimation_Play->FrameCount() == 0 && FUIArchive) {
        // A strip of square frames side by side.
        const std::optional<QByteArray> bytes = ReadUIResource(QStringLiteral("png\\RecordAnimation.png"), FUIArchive);
        QImage strip;
        if (bytes && strip.loadFromData(*bytes) && strip.height() > 0) {
            QList<QImage> frames;
            for (int x = 0; x + strip.height() <= strip.width(); x += strip.height())
                frames.append(strip.copy(x, 0, strip.height(), strip.height()));
            BitmapListAnimation_Play->SetFrames(frames);
        }
    }
    BitmapListAnimation_Play->Start();
}
