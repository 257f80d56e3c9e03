// The steps passage reading and passage repeat share: listening to the
// lesson sentence by sentence, the microphone's toggle, one recording graded
// as a passage, and replaying the learner's recordings.
//
// Each step blocks in the host's calls while events keep being dispatched:
// what the steps need of the book is copied first, the views are reached
// through QPointers, and a destroyed frame ends a step at once.

#include "StudyFrame.h"

#include "MyLabelFrame.h"
#include "PassageTake.h"
#include "StudyModeRules.h"

#include "FileTools.h"
#include "LocalPath.h"
#include "PackBook.h"
#include "TextTools.h"
#include "Wait.h"

#include "TLabel.h"
#include "TRectangle.h"

#include <QFile>

namespace {
const QString kMicUp = QStringLiteral("png\\study\\UnRecorded.png");
const QString kStartIdle = QStringLiteral("点击话筒 , 开始录音");
const QString kStartRecording = QStringLiteral("点击话筒 , 停止录音");
constexpr TAlphaColor kPlaying = 0xFFFFA417;
constexpr int kPassageMode = 2;
constexpr int kRecordSettleMs = 100;
constexpr int kMaxPartRecordings = 10;
} // namespace

QString TStudyFrame::FirstFigureOfLesson(const TeduPack_Lesson &lesson)
{
    for (const TeduPack_Part &part : lesson.Parts)
        for (const TeduPack_Sentence &s : part.Sentences)
            return s.SpeakerPicture.isEmpty() ? QString::fromLatin1(StudyModes::kRobotCharacter)
                                              : GetRoleName(s.SpeakerPicture);
    return QString::fromLatin1(StudyModes::kRobotCharacter);
}

void TStudyFrame::ListenToLesson(TLabel *speedLabel, const std::function<bool()> &loopOn, TMyLabelFrame *highlight)
{
    const QPointer<TStudyFrame> self(this);
    const QPointer<TLabel> speed(speedLabel);
    const QPointer<TMyLabelFrame> label(highlight);
    WorkState = wsPlaying;
    isPlayFinish = true;
    QList<TeduPack_Sentence> sentences;
    if (const TeduPack_Lesson *lesson = LessonAt(curselectUnitButtonIndex, curSelectLessonButtonIndex))
        for (const TeduPack_Part &part : lesson->Parts)
            sentences += part.Sentences;
    const ISoundEnginePtr sound = FSoundEngine;
    const QString file = LocalPath(FMainPath, QStringLiteral("tmp\\temp.mp3"));
    QString figure;
    do {
        if (label)
            label->SetSelStart(0);
        for (const TeduPack_Sentence &sentence : sentences) {
            if (bStop)
                break;
            if (label) {
                // A sentence not found leaves the place as it was, so that
                // the sentences after it are still found.
                const int next = label->SetColor(AddSpace(sentence.Text, QStringLiteral(", ")).trimmed(), kPlaying);
                if (next >= 0)
                    label->SetSelStart(next);
            }
            if (sound && !file.isEmpty() && sentence.SaveToFile(file)) {
                const QString speaker = GetRoleName(sentence.SpeakerPicture);
                if (!speaker.isEmpty())
                    figure = speaker;
                PlayReadAni(speaker.isEmpty() ? QString::fromLatin1(StudyModes::kRobotCharacter) : speaker,
                            Rectangle_AnimationBackground_Study);
                isPlayFinish = false;
                PlayingVoiceFileName = file;
                sound->PlayFile(file, true, GetSpeedPlay(speed));
                if (!self)
                    return;
                sound->StopPlay();
            }
            if (label)
                label->ClearLabelColor();
        }
    } while (loopOn() && !bStop && !sentences.isEmpty());
    if (!bStop && !bCloseForm && !isStudyModeReturn && !isStudyModeChange)
        PlayReadAni(figure.isEmpty() ? QStringLiteral("cartoonIdle") : figure + QStringLiteral("idle"),
                    Rectangle_AnimationBackground_Study);
    WorkState = wsIdle;
}

void TStudyFrame::ReplayPassageRecordings()
{
    const QPointer<TStudyFrame> self(this);
    const ISoundEnginePtr sound = FSoundEngine;
    WorkState = wsPlaying;
    for (int n = 0; n <= kMaxPartRecordings && !bStop && sound; ++n) {
        const QString file = LocalPath(FMainPath, QStringLiteral("tmp\\part\\%1.wav").arg(n));
        if (file.isEmpty() || !QFile::exists(file))
            continue;
        sound->PlayFile(file, true, 0);
        if (!self)
            return;
    }
    WorkState = wsIdle;
}

bool TStudyFrame::BeginPassageRecording(TPassageTake &take)
{
    if (!take.start)
        return false;
    if (take.start->Tag() != 0 || WorkState != wsIdle) {
        // This click ends the running recording; the call that started it
        // is still waiting in the grading engine and finishes the work.
        take.start->SetTag(0);
        LoadPicture(take.start, kMicUp);
        if (take.caption)
            take.caption->SetText(kStartIdle);
        PlayRecordAnimation(false);
        if (FSoundEngine)
            FSoundEngine->StopRecord();
        return false;
    }
    take.start->SetTag(1);
    if (take.caption)
        take.caption->SetText(kStartRecording);
    const QString folder = LocalPath(FMainPath, QStringLiteral("tmp\\part\\"));
    DeleteAllFile(folder);
    ForceDirectories(folder);
    WorkState = wsRecording;
    return true;
}

QString TStudyFrame::RecordPassage(TPassageTake &take, const QString &reference, int seconds,
                                   const QString &wavForEngine, bool gradeOnlyUnlessStopped)
{
    const QPointer<TStudyFrame> self(this);
    const ISoundEnginePtr sound = FSoundEngine;
    const IAudioEnginePtr grader = FGradeEngine;
    if (sound)
        sound->StartRecord(LocalPath(FMainPath, QStringLiteral("tmp\\part\\0.wav")));
    if (!WaitTime(kRecordSettleMs, bStop, this)) {
        take.gone = true;
        return QString();
    }
    PlayRecordAni(QStringLiteral("manRecorder"), Rectangle_AnimationBackground_Study);
    if (take.start)
        PlayRecordAnimation(true, take.start);
    if (grader && (!gradeOnlyUnlessStopped || !bStop)) {
        grader->EvaluateStoppable(kPassageMode, reference, wavForEngine, seconds, bStop);
        if (!self) {
            take.gone = true;
            return QString();
        }
    }
    PlayRecordAnimation(false);
    const QString result = grader ? grader->GetLastResult() : QString();
    if (sound)
        sound->StopRecord();
    PlayRecordAni(QStringLiteral("manRecorderidle"), Rectangle_AnimationBackground_Study);
    if (take.start) {
        take.start->SetTag(0);
        LoadPicture(take.start, kMicUp);
    }
    if (take.caption)
        take.caption->SetText(kStartIdle);
    return result;
}
