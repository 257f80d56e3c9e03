// Sentence practice: choosing a sentence, listening to its model audio (in a
// loop and at another speed if wanted), recording it to be graded, the score
// and word table, the score record handed to the host, and replaying the
// learner's recording.
//
// The buttons only enable start timers; the three methods below run from
// those timers (FrameStartTimers.cpp). They block in the host's calls
// (PlayFile with wait, Evaluate) while events keep being dispatched, so a
// click, a switch or a close may run in the middle: the methods copy what
// they need before a wait and check the view (a QPointer) after it.

#include "StudyFrame.h"
#include "Palette.h"

#include "GradingResult.h"
#include "SentenceScore.h"
#include "StudyModeRules.h"
#include "StudySentenceFrame.h"

#include "Commonconst.h"
#include "LocalPath.h"
#include "PackBook.h"
#include "UIPicture.h"
#include "Wait.h"

#include "TEffects.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"
#include "TTimer.h"

#include <QFile>

using namespace StudyModes;

namespace {
const QString kModelAudio = QStringLiteral("tmp\\temp.mp3");
const QString kRecording = QStringLiteral("tmp\\temp.wav");
const QString kMicUp = QStringLiteral("png\\study\\UnRecorded.png");
const QString kStartIdle = QStringLiteral("点击话筒 , 开始录音");
const QString kStartRecording = QStringLiteral("点击话筒 , 停止录音");
constexpr int kRecordSettleMs = 100;
constexpr int kSentenceMode = 1;

// The figure of a sentence's speaker; the robot for a line without one.
QString FigureOf(const TeduPack_Sentence &sentence)
{
    const QString name = TStudyFrame::GetRoleName(sentence.SpeakerPicture);
    return name.isEmpty() ? QString::fromLatin1(kRobotCharacter) : name;
}
} // namespace

void TStudyFrame::SentenceContentMouseUp(TControl *Sender)
{
    if (WorkState == wsRecording)
        return;
    TStudySentenceFrame *view = StudySentenceFrame;
    auto *text = qobject_cast<TText *>(Sender);
    if (!view || !text)
        return;
    view->Rectangle_Score->SetVisible(false);
    if (FSoundEngine) {
        FSoundEngine->StopPlay();
        FSoundEngine->StopRecord();
    }
    view->ClearColorSentence(Palette::kBlack);
    text->SetColor(Palette::kCourseOrange);
    DisplaySentenceCount(true);
    Text_SelectSentenceIndex->SetText(QString::number(static_cast<int>(text->TagFloat()) + 1));
    bool ok = false;
    curSelectPartIndex = text->TagString().toInt(&ok);
    if (!ok)
        curSelectPartIndex = 0;
    curSelectSentenceIndex = text->Tag();
    // The book holds no second text of a sentence (a translation, say), so
    // the view shows none.
    view->SetSelectSentenceContent(QString());
    Button_ListenOnClick();
}

void TStudyFrame::SentenceContentMouseEnter(TControl *Sender)
{
    if (auto *text = qobject_cast<TText *>(Sender)) {
        text->SetFontStyle(fsBold);
        text->SetFontSize(16);
    }
}

void TStudyFrame::SentenceContentMouseLeave(TControl *Sender)
{
    if (auto *text = qobject_cast<TText *>(Sender)) {
        text->SetFontStyle(fsNone);
        text->SetFontSize(15);
    }
}

namespace {
TGlowEffect *RowGlow(TStudySentenceFrame *view, TControl *trumpet)
{
    if (!view || !trumpet || trumpet->Tag() < 0 || trumpet->Tag() >= view->FTrumpetGlowEffect.size())
        return nullptr;
    return view->FTrumpetGlowEffect.at(trumpet->Tag());
}
} // namespace

void TStudyFrame::SentenceTrumpetMouseUp(TControl *Sender)
{
    TStudySentenceFrame *view = StudySentenceFrame;
    TGlowEffect *glow = RowGlow(view, Sender);
    if (!glow)
        return;
    view->Rectangle_Score->SetVisible(false);
    glow->SetEnabled(true);
    SentenceContentMouseUp(view->FSentenceContent.at(Sender->Tag()));
}

void TStudyFrame::SentenceTrumpetMouseEnter(TControl *Sender)
{
    if (TGlowEffect *glow = RowGlow(StudySentenceFrame, Sender))
        glow->SetEnabled(true);
}

void TStudyFrame::SentenceTrumpetMouseLeave(TControl *Sender)
{
    if (TGlowEffect *glow = RowGlow(StudySentenceFrame, Sender))
        glow->SetEnabled(false);
}

void TStudyFrame::Button_ListenOnClick()
{
    bStop = false;
    if (StudySentenceFrame)
        StudySentenceFrame->Rectangle_Score->SetVisible(false);
    Timer_SentencePlay->SetEnabled(true);
}

void TStudyFrame::Button_RecordOnClick()
{
    bStop = false;
    if (StudySentenceFrame)
        StudySentenceFrame->Rectangle_Score->SetVisible(false);
    Timer_SentenceRecord->SetEnabled(true);
}

void TStudyFrame::Button_ReplayOnClick()
{
    bStop = false;
    Timer_SentenceReplay->SetEnabled(true);
}

void TStudyFrame::SentencePlayMethod()
{
    if (curSelectSentenceIndex < 0) {
        ShowInfo(QStringLiteral("请先选择要朗读的句子"));
        return;
    }
    const TeduPack_Sentence *sentence = SelectedSentence();
    const QString file = LocalPath(FMainPath, kModelAudio);
    if (!sentence || file.isEmpty() || !sentence->SaveToFile(file))
        return;
    const QString figure = FigureOf(*sentence);
    const ISoundEnginePtr sound = FSoundEngine;
    const QPointer<TStudyFrame> self(this);

    WorkState = wsPlaying;
    PlayReadAni(figure, Rectangle_AnimationBackground_Study);
    do {
        PlayingVoiceFileName = file;
        const int speed = StudySentenceFrame ? GetSpeedPlay(StudySentenceFrame->Label_SpeedPlay) : 0;
        if (sound) {
            sound->PlayFile(file, true, speed);
            if (!self)
                return;
            sound->StopPlay();
        }
    } while (sound && StudySentenceFrame && StudySentenceFrame->LoopOn() && !bStop);
    PlayReadAni(figure + QStringLiteral("idle"), Rectangle_AnimationBackground_Study);
    WorkState = wsIdle;
}

void TStudyFrame::SentenceRecordMethod()
{
    const QString wav = LocalPath(FMainPath, kRecording);
    for (const QString &file : {wav, LocalPath(FMainPath, kModelAudio)})
        if (!file.isEmpty())
            QFile::remove(file);
    const auto finish = [this] {
        WorkState = wsIdle;
        isRepeatClick = false;
    };
    if (curSelectSentenceIndex < 0) {
        ShowInfo(QStringLiteral("请先选择要录音的句子"));
        return finish();
    }
    const QPointer<TStudySentenceFrame> view = StudySentenceFrame;
    if (!view)
        return finish();
    const auto showIdleMicrophone = [this, &view] {
        if (!view)
            return;
        view->Rectangle_Start->SetTag(0);
        LoadPicture(view->Rectangle_Start, kMicUp);
        view->Label_Start->SetText(kStartIdle);
    };

    // A click during a recording ends it: the first call is still waiting in
    // the grading engine and finishes the work, so WorkState stays as it is.
    if (view->Rectangle_Start->Tag() != 0 || WorkState != wsIdle) {
        showIdleMicrophone();
        PlayRecordAnimation(false);
        if (FSoundEngine)
            FSoundEngine->StopRecord();
        return;
    }
    const TeduPack_Sentence *sentence = SelectedSentence();
    if (!sentence)
        return finish();
    view->Rectangle_Start->SetTag(1);
    view->Label_Start->SetText(kStartRecording);

    WorkState = wsRecording;
    const QString reference = ReferenceText(sentence->Text);
    const int seconds = SentenceSeconds(reference);
    const qint64 sentenceId = sentence->Id;
    const ISoundEnginePtr sound = FSoundEngine;
    const IAudioEnginePtr grader = FGradeEngine;
    const QPointer<TStudyFrame> self(this);

    if (sound)
        sound->StartRecord(wav);
    if (!WaitTime(kRecordSettleMs, bStop, this))
        return;
    PlayRecordAni(QStringLiteral("manrecorder"), Rectangle_AnimationBackground_Study);
    if (view)
        PlayRecordAnimation(true, view->Rectangle_Start);
    if (!bStop && grader) {
        if (EngineType == 2)
            grader->EvaluateStoppable(kSentenceMode, reference, wav, seconds, bStop);
        else
            grader->Evaluate(kSentenceMode, wav, reference, seconds);
        if (!self)
            return;
    }
    PlayRecordAnimation(false);
    const QString result = grader ? grader->GetLastResult() : QString();
    showIdleMicrophone();
    if (sound)
        sound->StopRecord();
    PlayRecordAni(QStringLiteral("manrecorderidle"), Rectangle_AnimationBackground_Study);

    if (!bStop && view) {
        FreeAni(RecordAni);
        view->Rectangle_Score->SetVisible(true);
        view->SetSentenceScoreContent(result);
        view->DisplayScore(result);
        if (view->DecodeScoreSentence(result)) {
            const TGradingResult graded = DecodeGradingResult(result);
            curpointCaseType = kSentencePointType;
            if (SentenceScoreIsSent(graded))
                SendRequest(SentenceScoreRecord(graded, result, sentenceId, Uid()).AsString());
        }
    }
    finish();
}

void TStudyFrame::SentenceReplayMethod()
{
    const QString wav = LocalPath(FMainPath, kRecording);
    WorkState = wsPlaying;
    if (FSoundEngine && !wav.isEmpty()) {
        const ISoundEnginePtr sound = FSoundEngine;
        const QPointer<TStudyFrame> self(this);
        sound->PlayFile(wav, true, 0);
        if (!self)
            return;
    }
    WorkState = wsIdle;
}
