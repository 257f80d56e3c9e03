// Filling a new mode view from the open lesson: the sentence rows of
// sentence practice, the passage and its stored unfinished result for
// passage reading, and the roles of role play; and the lookups of the lesson
// and the chosen sentence that every mode uses.

#include "StudyFrame.h"
#include "Palette.h"

#include "StudyModeRules.h"
#include "StudyPartFrame.h"
#include "StudyPlayFrame.h"
#include "StudySentenceFrame.h"

#include "Log.h"
#include "PackBook.h"
#include "PackageArchive.h"
#include "TBookIconFrame.h"
#include "UIPicture.h"

#include "TLabel.h"
#include "TRectangle.h"
#include "TText.h"

using nlohmann::ordered_json;

namespace {
const QString kDefaultLessonPicture = QStringLiteral("png\\study\\LessonPictureDefault.png");

// Connects a control's signal to a frame member through the handler guard.
template<class Signal, class Handler>
void Wire(TStudyFrame *frame, TControl *control, Signal signal, const QString &name, Handler handler)
{
    QObject::connect(control, signal, frame, [frame, name, handler](TControl *sender, auto &&...) {
        frame->RunHandler(name, [&] { handler(sender); });
    });
}
} // namespace

const TeduPack_Lesson *TStudyFrame::LessonAt(int UnitIndex, int LessonIndex) const
{
    if (!PackBook || UnitIndex < 0 || UnitIndex >= PackBook->Units.size())
        return nullptr;
    const TeduPack_Unit &unit = PackBook->Units.at(UnitIndex);
    if (LessonIndex < 0 || LessonIndex >= unit.Lessons.size())
        return nullptr;
    return &unit.Lessons.at(LessonIndex);
}

const TeduPack_Sentence *TStudyFrame::SelectedSentence() const
{
    const TeduPack_Lesson *lesson = LessonAt(curselectUnitButtonIndex, curSelectLessonButtonIndex);
    if (!lesson || curSelectPartIndex < 0 || curSelectPartIndex >= lesson->Parts.size())
        return nullptr;
    const TeduPack_Part &part = lesson->Parts.at(curSelectPartIndex);
    if (curSelectSentenceIndex < 0 || curSelectSentenceIndex >= part.Sentences.size())
        return nullptr;
    return &part.Sentences.at(curSelectSentenceIndex);
}

QString TStudyFrame::FirstCharacterOfBook() const
{
    const TeduPack_Lesson *lesson = LessonAt(0, 0);
    if (!lesson || lesson->Parts.isEmpty() || lesson->Parts.first().Sentences.isEmpty())
        return QString();
    return lesson->Parts.first().Sentences.first().SpeakerPicture;
}

void TStudyFrame::LoadLessonPicture(TRectangle *target, const TeduPack_Lesson *lesson)
{
    if (!target)
        return;
    const std::shared_ptr<TPackageArchive> package = PackBook ? PackBook->Package() : nullptr;
    if (lesson && !lesson->PictureName.isEmpty() && package && package->IsOpen()) {
        for (const QString &ext : {QStringLiteral(".png"), QStringLiteral(".jpg")}) {
            QByteArray bytes;
            const QString name = lesson->PictureName + ext;
            if (package->IndexOf(name) >= 0 && package->ContentToMemory(name, bytes) && target->LoadBitmap(bytes))
                return;
        }
    }
    LoadPicture(target, kDefaultLessonPicture);
}

void TStudyFrame::DoUpdateLV_Sentences(int UnitIndex, int LessonIndex)
{
    TStudySentenceFrame *view = StudySentenceFrame;
    if (!view)
        return;
    const TeduPack_Lesson *lesson = LessonAt(UnitIndex, LessonIndex);
    LoadLessonPicture(view->Rectangle_SentencePicture, lesson);
    if (lesson) {
        for (int p = 0; p < lesson->Parts.size(); ++p) {
            const QList<TeduPack_Sentence> &sentences = lesson->Parts.at(p).Sentences;
            for (int s = 0; s < sentences.size(); ++s)
                view->AddSentenceRow(p, s, sentences.at(s).SpeakerName, sentences.at(s).Text);
        }
    }
    for (int k = 0; k < view->SentenceCount(); ++k) {
        TText *text = view->FSentenceContent.at(k);
        Wire(this, text, &TControl::MouseEnter, QStringLiteral("SentenceContentMouseEnter"),
             [this](TControl *s) { SentenceContentMouseEnter(s); });
        Wire(this, text, &TControl::MouseLeave, QStringLiteral("SentenceContentMouseLeave"),
             [this](TControl *s) { SentenceContentMouseLeave(s); });
        Wire(this, text, &TControl::MouseUp, QStringLiteral("SentenceContentMouseUp"),
             [this](TControl *s) { SentenceContentMouseUp(s); });
        TRectangle *trumpet = view->FSentenceTrumpet.at(k);
        Wire(this, trumpet, &TControl::MouseEnter, QStringLiteral("SentenceTrumpetMouseEnter"),
             [this](TControl *s) { SentenceTrumpetMouseEnter(s); });
        Wire(this, trumpet, &TControl::MouseLeave, QStringLiteral("SentenceTrumpetMouseLeave"),
             [this](TControl *s) { SentenceTrumpetMouseLeave(s); });
        Wire(this, trumpet, &TControl::MouseUp, QStringLiteral("SentenceTrumpetMouseUp"),
             [this](TControl *s) { SentenceTrumpetMouseUp(s); });
    }
    Wire(this, view->Rectangle_Read, &TControl::Click, QStringLiteral("Button_ListenOnClick"),
         [this](TControl *) { Button_ListenOnClick(); });
    Wire(this, view->Rectangle_Start, &TControl::Click, QStringLiteral("Button_RecordOnClick"),
         [this](TControl *) { Button_RecordOnClick(); });
    Wire(this, view->Rectangle_Replay, &TControl::Click, QStringLiteral("Button_ReplayOnClick"),
         [this](TControl *) { Button_ReplayOnClick(); });
    Wire(this, view->Label_SpeedPlay, &TControl::Click, QStringLiteral("Label_SpeedPlayOnClick"),
         [this](TControl *s) { Label_SpeedPlayOnClick(s); });

    // The counter says "1": the first sentence is the chosen one until the
    // learner picks another, so that play and record act on the sentence the
    // counter names (and not on one left chosen from another lesson).
    curSelectPartIndex = 0;
    curSelectSentenceIndex = view->SentenceCount() > 0 ? view->FSentenceContent.first()->Tag() : -1;
    if (view->SentenceCount() > 0) {
        curSelectPartIndex = view->FSentenceContent.first()->TagString().toInt();
        view->FSentenceContent.first()->SetColor(Palette::kCourseOrange);
    }
    Text_SentenceTotalCount->SetText(QString::number(view->SentenceCount()));
    Text_SelectSentenceIndex->SetText(QStringLiteral("1"));
    DisplaySentenceCount(true);
}

void TStudyFrame::DoUpdateLV_Part(int UnitIndex, int LessonIndex)
{
    Text_WordContinueTitle->SetVisible(false);
    PartStartIndex = 0;
    TStudyPartFrame *view = StudyPartFrame;
    if (!view)
        return;
    const bool material = curSelectBookType == QLatin1String("materials");
    const TeduPack_Lesson *lesson = LessonAt(UnitIndex, LessonIndex);
    if (!material) {
        if (lesson)
            view->CreatePartContent(*lesson, true);
        LoadLessonPicture(view->Rectangle_PartPicture, lesson);
    } else {
        LoadMaterialContentPic();
    }
    Wire(this, view->Rectangle_Read, &TControl::Click, QStringLiteral("PartButton_ListenOnClick"),
         [this](TControl *) { PartButton_ListenOnClick(); });
    Wire(this, view->Rectangle_Start, &TControl::Click, QStringLiteral("PartButton_RecordOnClick"),
         [this](TControl *) { PartButton_RecordOnClick(); });
    Wire(this, view->Rectangle_Replay, &TControl::Click, QStringLiteral("PartButton_ReplayOnClick"),
         [this](TControl *) { PartButton_ReplayOnClick(); });
    Wire(this, view->Label_SpeedPlay, &TControl::Click, QStringLiteral("Label_SpeedPlayOnClick"),
         [this](TControl *s) { Label_SpeedPlayOnClick(s); });
    view->Text_HintContinue->SetVisible(false);
    if (material || !lesson || !curSelectBook || !PackBook)
        return;

    // The stored unfinished reading of this lesson, if any.
    const ordered_json query{{"uid", Uid()},
                             {"bookId", curSelectBook->LessonID()},
                             {"unitId", PackBook->Units.at(UnitIndex).Id},
                             {"lessonId", lesson->Id}};
    const QString answer = SelectPartResult(QString::fromStdString(query.dump()));
    PartResultJson.reset();
    const ordered_json parsed = ordered_json::parse(answer.toStdString(), nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object() || parsed.empty())
        return;
    PartResultJson = std::make_unique<ordered_json>(parsed);
    const auto audio = parsed.find("partAudio");
    DeleteBackupsFile(ordered_json{{"audios", audio != parsed.end() ? *audio : ordered_json::object()}});
}

void TStudyFrame::DoUpdateLV_Play(int UnitIndex, int LessonIndex)
{
    DoUpdateLV_Role(UnitIndex, LessonIndex);
}

void TStudyFrame::DoUpdateLV_Role(int UnitIndex, int LessonIndex)
{
    TStudyPlayFrame *view = StudyPlayFrame;
    if (!view)
        return;
    view->ClearRoleImage();
    const TeduPack_Lesson *lesson = LessonAt(UnitIndex, LessonIndex);
    if (!lesson)
        return;
    for (const TeduPack_Part &part : lesson->Parts) {
        for (const TeduPack_Sentence &s : part.Sentences) {
            if (s.SpeakerPicture.isEmpty() || view->FindRole(s.SpeakerName))
                continue;
            if (!view->LoadRoleImage(StudyModes::RolePicture(GetRoleName(s.SpeakerPicture)), s.SpeakerName))
                procSaveLog(QStringLiteral("info：DoUpdateLV_Role: more roles than places, left out: ")
                            + s.SpeakerName);
        }
    }
}
