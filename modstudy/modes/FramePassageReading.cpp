// Passage reading: listening to the lesson (or a teaching material) with the
// sentence being played coloured, reading the whole passage in one
// recording, the lesson's stored record and backup recording, and hearing
// the recording again. The graded passage goes to the result page (point
// type 5), from where it is submitted.

#include "StudyFrame.h"

#include "MyLabelFrame.h"
#include "PassageTake.h"
#include "PassageText.h"
#include "StudyPartFrame.h"

#include "Commonconst.h"
#include "FileTools.h"
#include "LocalPath.h"
#include "Log.h"
#include "PackBook.h"
#include "TBookIconFrame.h"
#include "Wait.h"

#include "TLabel.h"
#include "TRectangle.h"
#include "TTimer.h"

#include <QFile>

using nlohmann::ordered_json;

namespace {
constexpr int kReadingPointType = 5;
constexpr TAlphaColor kReadingColor = 0xFF0080FF;
constexpr TAlphaColor kMaterialRestColor = 0xFF000008;
constexpr TAlphaColor kLessonRestColor = 0xFF000000;

ordered_json ParsedGrading(const QString &result)
{
    ordered_json grading = ordered_json::parse(result.toStdString(), nullptr, false);
    if (grading.is_discarded() || !grading.is_object())
        return ordered_json{{"result", ""}};
    return grading;
}

ordered_json ArrayMember(const std::unique_ptr<ordered_json> &object, const char *key)
{
    if (!object || !object->is_object())
        return ordered_json::array();
    const auto it = object->find(key);
    return it != object->end() && it->is_array() ? *it : ordered_json::array();
}

// Puts `value` at index 0 (the latest reading), appending to an empty array.
void PutLatest(ordered_json &array, ordered_json value)
{
    if (array.empty())
        array.push_back(std::move(value));
    else
        array[0] = std::move(value);
}
} // namespace

void TStudyFrame::PartButton_ListenOnClick()
{
    bStop = false;
    Timer_PartPlay->SetEnabled(true);
}

void TStudyFrame::PartButton_RecordOnClick()
{
    bStop = false;
    Timer_PartRecord->SetEnabled(true);
}

void TStudyFrame::PartButton_ReplayOnClick()
{
    bStop = false;
    FreeAni(RecordAni);
    FreeAni(ReadAni);
    Timer_PartReplay->SetEnabled(true);
}

void TStudyFrame::PartPlayMethod()
{
    const QPointer<TStudyPartFrame> view = StudyPartFrame;
    const auto loopOn = [view] { return view && view->LoopOn(); };
    if (curSelectBookType != QLatin1String("materials")) {
        ListenToLesson(view ? view->Label_SpeedPlay : nullptr, loopOn, view ? view->FMyLabel : nullptr);
        return;
    }
    // A teaching material: one recording of the whole passage.
    WorkState = wsPlaying;
    isPlayFinish = true;
    const QString file = LocalPath(FMainPath, QStringLiteral("Data\\") + MaterialVoiceName);
    const ISoundEnginePtr sound = FSoundEngine;
    if (sound && !MaterialVoiceName.isEmpty() && !file.isEmpty() && QFile::exists(file)) {
        const QPointer<TStudyFrame> self(this);
        PlayReadAni(QStringLiteral("cartoon"), Rectangle_AnimationBackground_Study);
        do {
            PlayingVoiceFileName = file;
            sound->PlayFile(file, true, view ? GetSpeedPlay(view->Label_SpeedPlay) : 0);
            if (!self)
                return;
        } while (loopOn() && !bStop);
        PlayReadAni(QStringLiteral("cartoonidle"), Rectangle_AnimationBackground_Study);
    }
    WorkState = wsIdle;
}

void TStudyFrame::PartReplayMethod()
{
    ReplayPassageRecordings();
}

void TStudyFrame::PartRecordMethod()
{
    const QPointer<TStudyFrame> self(this);
    AudioFileJson = ordered_json();
    if (FSoundEngine)
        FSoundEngine->StopPlay();
    bStop = false;
    iMaxScore_Assignment = 0;
    ForceDirectories(LocalPath(FMainPath, QStringLiteral("backups\\")));
    const QPointer<TStudyPartFrame> view = StudyPartFrame;
    const bool material = curSelectBookType == QLatin1String("materials");
    const TeduPack_Lesson *found = LessonAt(curselectUnitButtonIndex, curSelectLessonButtonIndex);
    if (!view || (!material && !found))
        return;
    const TeduPack_Lesson lesson = found ? *found : TeduPack_Lesson(); // the book may change meanwhile
    const qint64 unitId = found ? PackBook->Units.at(curselectUnitButtonIndex).Id : 0;
    if (!material) {
        const int assignment = GetAssignmentId(static_cast<int>(unitId), static_cast<int>(lesson.Id));
        if (assignment > 0)
            QueryAssignmentMaxScore(assignment, static_cast<int>(lesson.Id));
    }
    TPassageTake take{view->Rectangle_Start, view->Label_Start};
    if (!BeginPassageRecording(take))
        return;
    const auto leaving = [this] { return bStop || bCloseForm || isStudyModeReturn || isStudyModeChange; };
    const QString wav = LocalPath(FMainPath, QStringLiteral("tmp\\part\\0.wav"));
    try {
        const QString content = view->CurRecordContent();
        const int seconds = PassageText::PassageSeconds(content);
        if (material) {
            const QString reference =
                EngineType == 2 ? PassageText::MaterialLines(content) : PassageText::PlainReference(content);
            view->Label_PartContent->SetColor(kReadingColor);
            const QString result = RecordPassage(take, reference, seconds, wav, true);
            if (take.gone)
                return;
            if (view)
                view->Label_PartContent->SetColor(kMaterialRestColor);
            const ordered_json document{
                {"parts", ordered_json::array({ParsedGrading(result)})}, {"achiveType", "S"}, {"partcount", 1}};
            if (!leaving()) {
                AudioFileJson = document;
                DisplayScore(kReadingPointType, QString::fromStdString(document.dump()));
            }
        } else {
            curSelectLessonId = static_cast<int>(lesson.Id);
            CurSelectPartCount = lesson.Parts.size();
            const qint64 bookId = curSelectBook ? curSelectBook->LessonID() : (PackBook ? PackBook->BookId : 0);
            const qint64 firstPart = lesson.Parts.isEmpty() ? 0 : lesson.Parts.first().Id;
            const qint64 lastPart = lesson.Parts.isEmpty() ? 0 : lesson.Parts.last().Id;
            const QString backup = PassageText::BackupName(bookId, unitId, lesson.Id, firstPart);
            ordered_json partResult = ArrayMember(PartResultJson, "partResult");
            ordered_json partAudio = ArrayMember(PartResultJson, "partAudio");
            const bool lines = EngineType == 2;
            if (view->FMyLabel)
                view->FMyLabel->SetFontColor(kReadingColor);
            const QString result =
                RecordPassage(take, lines ? PassageText::SentenceLines(lesson) : PassageText::PlainReference(content),
                              seconds, lines ? wav : QString(), false);
            if (take.gone)
                return;
            const QString backupFile = LocalPath(FMainPath, QStringLiteral("backups\\") + backup);
            QFile::remove(backupFile);
            if (!QFile::copy(wav, backupFile))
                procSaveLog(QStringLiteral("error:PartRecordMethod cannot keep the backup ") + backupFile);
            if (view && view->FMyLabel)
                view->FMyLabel->SetFontColor(kLessonRestColor);

            PutLatest(partResult, ParsedGrading(result));
            PutLatest(partAudio, ordered_json{{"audio", backup.toStdString()}});
            const ordered_json document{
                {"parts", partResult}, {"audios", partAudio}, {"achiveType", "L"}, {"partcount", 1}};
            const ordered_json record{{"uid", Uid()},
                                      {"bookId", bookId},
                                      {"unitId", unitId},
                                      {"lessonId", lesson.Id},
                                      {"partTotalCount", 1},
                                      {"partId", lastPart},
                                      {"partIndex", lesson.Parts.size()},
                                      {"partResult", partResult},
                                      {"partAudio", partAudio}};
            DeletePartResult(QString::fromStdString(record.dump()));
            if (!PartResultJson || !PartResultJson->is_object())
                PartResultJson = std::make_unique<ordered_json>(ordered_json::object());
            if (PartStartIndex > 0) {
                (*PartResultJson)["bContinue"] = 1;
            } else {
                // Read to the end: nothing is left to continue.
                (*PartResultJson)["bContinue"] = 0;
                DeleteBackupsFile(ordered_json{{"audios", partAudio}});
            }
            if (!leaving()) {
                AudioFileJson = document;
                DisplayScore(kReadingPointType, QString::fromStdString(document.dump()));
                if (!self)
                    return;
                PlayReadAni(FirstFigureOfLesson(lesson) + QStringLiteral("Idle"), Rectangle_AnimationBackground_Study);
            }
        }
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:PartRecordMethod ") + QString::fromUtf8(e.what()));
    }
    if (!self)
        return;
    WorkState = wsIdle;
    isRepeatClick = false;
}
