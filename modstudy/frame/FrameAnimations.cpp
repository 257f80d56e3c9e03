// The animations of the study frame: the figures shown while model audio
// plays and while the learner records, the welcome animation of the course
// page and the score level reward of a submitted score.

#include "StudyFrame.h"

#include "ScoreScales.h"

#include "AniFrameList.h"
#include "LocalPath.h"
#include "Log.h"
#include "TPngAni.h"
#include "UIPicture.h"

#include "TRectangle.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Where the figure animations stand on their parent's parent, and their
// timing (milliseconds per frame).
constexpr double kFigureX = 817;
constexpr double kFigureY = 106;
constexpr int kFigureSpeed = 35;
constexpr int kWelcomeSpeed = 32;
constexpr int kScoreSpeed = 40;

// Codes of the host's close and switch requests: while one of them was the
// last message, nothing may start a sound.
constexpr int kCodeClose = 10003;
constexpr int kCodeSwitch = 10005;

struct TFigureLayout
{
    double parentWidth;
    double parentHeight;
    double aniWidth;
    double aniHeight;
};

// The reading figure's parent is wide and low, its animation tall and narrow
// (and likewise for the recording figure), as the figures' pictures are laid
// out.
constexpr TFigureLayout kReadLayout{136, 90, 90, 136};
constexpr TFigureLayout kRecordLayout{160, 85, 85, 160};

// An animation belongs to the control it is shown on and goes when that
// control goes (a mode frame freed with its page, say). The frame's field is
// then cleared, so that freeing the field later never deletes it twice.
void clearFieldWhenGone(TStudyFrame *frame, TPngAni *ani, TPngAni **field)
{
    QObject::connect(ani, &QObject::destroyed, frame, [frame, ani, field] {
        if (!TControl::IsBeingDestroyed(frame) && *field == ani)
            *field = nullptr;
    });
}

TPngAni *makeFigure(TControl *parent, const TFigureLayout &layout, const QString &name, const IArchivePtr &archive)
{
    parent->SetBounds(kFigureX, kFigureY, layout.parentWidth, layout.parentHeight);
    auto *ani = new TPngAni(parent);
    ani->SetAniArchive(archive);
    ani->SetAniSpeed(kFigureSpeed);
    ani->SetAniHeight(static_cast<float>(layout.aniHeight));
    ani->SetAniWidth(static_cast<float>(layout.aniWidth));
    ani->SetAniPosX(0);
    ani->SetAniPosY(0);
    ani->LoadAniFile(AniListName(name));
    ani->SetAniLoopPlay(true);
    ani->PlayAni();
    return ani;
}

// Writes `bytes` to `path` (creating its folder) so that the file either
// holds them completely or is not there.
bool saveFile(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

void TStudyFrame::PlayReadAni(const QString &name, TControl *parent)
{
    FreeAni(ReadAni);
    FreeAni(RecordAni);
    if (bStop || !parent)
        return;
    ReadAni = makeFigure(parent, kReadLayout, name, FUIArchive);
    clearFieldWhenGone(this, ReadAni, &ReadAni);
}

void TStudyFrame::PlayRecordAni(const QString &name, TControl *parent)
{
    FreeAni(RecordAni);
    FreeAni(ReadAni);
    if (bStop || !parent)
        return;
    RecordAni = makeFigure(parent, kRecordLayout, name, FUIArchive);
    clearFieldWhenGone(this, RecordAni, &RecordAni);
}

void TStudyFrame::PlayWelcomeAni()
{
    PlayWelcomeAni(Rectangle_WelcomeAniBackground);
}

void TStudyFrame::PlayWelcomeAni(TControl *parent)
{
    FreeAni(WelcomeAni);
    if (bStop || !parent)
        return;
    WelcomeAni = new TPngAni(parent);
    clearFieldWhenGone(this, WelcomeAni, &WelcomeAni);
    WelcomeAni->SetAniArchive(FUIArchive);
    WelcomeAni->SetAniSpeed(kWelcomeSpeed);
    WelcomeAni->SetAniHeight(static_cast<float>(parent->Height()));
    WelcomeAni->SetAniWidth(static_cast<float>(parent->Width()));
    WelcomeAni->SetAniPosX(0);
    WelcomeAni->SetAniPosY(0);
    WelcomeAni->LoadAniFile(QStringLiteral("ani\\WelcomeToStudy\\filelist.txt"));
    WelcomeAni->SetAniLoopPlay(false);
    WelcomeAni->PlayAni(true);
}

void TStudyFrame::PlayScoreAni(double score, TRectangle *parent)
{
    FreeAni(ScoreAni);
    // The host is closing or switching the module: no picture and no sound.
    // bCloseForm stays set after the close request even when other messages
    // arrive later, so it is checked as well as the last code.
    if (curMsgCode == kCodeClose || curMsgCode == kCodeSwitch || bCloseForm || !parent)
        return;

    // Kept ready on the parent like every reward animation; the picture and
    // the sound below are what the learner gets.
    ScoreAni = new TPngAni(parent);
    clearFieldWhenGone(this, ScoreAni, &ScoreAni);
    ScoreAni->SetAniArchive(FUIArchive);
    ScoreAni->SetAniSpeed(kScoreSpeed);
    ScoreAni->SetAniSnd(FSoundEngine);
    ScoreAni->SetAniStyle(QStringLiteral("ImageStyle"));
    ScoreAni->SetAniHeight(static_cast<float>(parent->Height()));
    ScoreAni->SetAniWidth(static_cast<float>(parent->Width()));
    ScoreAni->SetAniPosX(0);
    ScoreAni->SetAniPosY(0);
    ScoreAni->SetAniLoopPlay(false);

    const QString level = ScoreLevelName(ScoreLevelOf(score));
    LoadPicture_UI(parent, ScoreLevelPicture(level), FUIArchive);

    const QString soundFile = LocalPath(FMainPath, ScoreLevelSoundFile(level));
    if (soundFile.isEmpty())
        return;
    if (!QFileInfo::exists(soundFile)) {
        QByteArray bytes;
        if (LoadPictureToMemory_UI(ScoreLevelSoundEntry(level), bytes, FUIArchive) && !bytes.isEmpty()
            && !saveFile(soundFile, bytes))
            procSaveLog(QStringLiteral("error:PlayScoreAni could not write ") % soundFile);
    }
    if (QFileInfo::exists(soundFile) && FSoundEngine)
        FSoundEngine->PlayFile(soundFile, false, 0);
}

void TStudyFrame::FreeAni(TPngAni *&ani)
{
    delete ani;
    ani = nullptr;
}
