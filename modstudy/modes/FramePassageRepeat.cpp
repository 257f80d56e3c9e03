// Passage repeat: listening to the whole lesson, repeating it from memory in
// one recording graded against the lesson text, and hearing the recording
// again. The graded result goes to the result page (point type 7), from
// where it is submitted; nothing is kept for a later continuation.

#include "StudyFrame.h"

#include "PassageTake.h"
#include "PassageText.h"
#include "ScoreDocuments.h"
#include "StudyRepeatFrame.h"

#include "Commonconst.h"
#include "LocalPath.h"
#include "Log.h"
#include "PackBook.h"

#include "TLabel.h"
#include "TRectangle.h"
#include "TTimer.h"

using nlohmann::ordered_json;

namespace {
constexpr int kRepeatPointType = 7;
} // namespace

void TStudyFrame::RepeatButton_ListenOnClick()
{
    bStop = false;
    Timer_RepeatPlay->SetEnabled(true);
}

void TStudyFrame::RepeatButton_RecordOnClick()
{
    bStop = false;
    Timer_RepeatRecord->SetEnabled(true);
}

void TStudyFrame::RepeatButton_ReplayOnClick()
{
    bStop = false;
    FreeAni(RecordAni);
    FreeAni(ReadAni);
    Timer_RepeatReplay->SetEnabled(true);
}

void TStudyFrame::RepeatPlayMethod()
{
    const QPointer<TStudyRepeatFrame> view = StudyRepeatFrame;
    ListenToLesson(
        view ? view->Label_SpeedPlay : nullptr, [view] { return view && view->LoopOn(); }, nullptr);
}

void TStudyFrame::RepeatReplayMethod()
{
    ReplayPassageRecordings();
}

void TStudyFrame::RepeatRecordMethod()
{
    const QPointer<TStudyRepeatFrame> view = StudyRepeatFrame;
    const TeduPack_Lesson *found = LessonAt(curselectUnitButtonIndex, curSelectLessonButtonIndex);
    if (!view || !found)
        return;
    const TeduPack_Lesson lesson = *found; // the book may change during the recording
    TPassageTake take{view->Rectangle_Start, view->Label_Start};
    if (!BeginPassageRecording(take))
        return;
    try {
        curSelectLessonId = static_cast<int>(lesson.Id);
        CurSelectPartCount = lesson.Parts.size();
        const QString spoken = PassageText::RepeatText(lesson);
        const int seconds = PassageText::PassageSeconds(spoken);
        const QString reference =
            EngineType == 2 ? PassageText::SentenceLines(lesson) : PassageText::PlainReference(spoken);
        const QString result =
            RecordPassage(take, reference, seconds, LocalPath(FMainPath, QStringLiteral("tmp\\part\\0.wav")), true);
        if (take.gone)
            return;
        if (!bStop && !bCloseForm && !isStudyModeReturn && !isStudyModeChange) {
            ordered_json grading = ordered_json::parse(result.toStdString(), nullptr, false);
            if (grading.is_discarded() || !grading.is_object()) {
                procSaveLog(QStringLiteral("error:DecodeScoreRepeat:the grading result is not a JSON object"));
                grading = ordered_json{{"result", ""}};
            }
            const ordered_json document = MakePassageRepeatDocument({grading});
            DisplayScore(kRepeatPointType, QString::fromStdString(document.dump()));
            PlayReadAni(FirstFigureOfLesson(lesson) + QStringLiteral("Idle"), Rectangle_AnimationBackground_Study);
        }
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:RepeatRecordMethod ") + QString::fromUtf8(e.what()));
    }
    WorkState = wsIdle;
    isRepeatClick = false;
}
