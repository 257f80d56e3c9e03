// Submitting a shown passage or word-unit result, and sharing a passage
// recording.
//
// Nothing is lost on the way: the score record (and a passage's recording as
// MP3) is written under "Fail\Study\" before it is sent and deleted only
// once the service has accepted it; a share's record file likewise. Every
// wait for an answer dispatches events and ends at once on bStop (closing or
// leaving), leaving what was written on disk; an answer that does not come in
// 8 seconds gives the learner the choice to try again.

#include "StudyFrame.h"

#include "ScoreTotals.h"
#include "Submission.h"

#include "FileTools.h"
#include "HttpTransfer.h"
#include "LocalPath.h"
#include "Log.h"
#include "Mp3Encoder.h"
#include "Requests.h"
#include "Wait.h"

#include "TButton.h"
#include "TRectangle.h"
#include "TText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

using nlohmann::ordered_json;

namespace {
constexpr int kConfirmStepMs = 100;
constexpr int kConfirmSteps = 80;
constexpr int kFileBusyStepMs = 300;
constexpr int kAskYesNo = 3;
constexpr int kAnswerYes = 6;
const QString kRetryScore = QStringLiteral("上传成绩失败，是否重新上传？");
const QString kRetryShare = QStringLiteral("上传失败，是否重新上传？");
const QString kCannotKeep = QStringLiteral("成绩无法保存到本机（磁盘已满或没有写入权限），仍将尝试上传");

// Passage reading (5) and passage repeat (7) come with a recording.
bool IsPassage(int pointType)
{
    return pointType == 5 || pointType == 7;
}
} // namespace

bool TStudyFrame::WaitForConfirmation(const bool &flag)
{
    for (int step = 0; step < kConfirmSteps && !flag && !bStop; ++step) {
        if (!WaitTime(kConfirmStepMs, bStop, this))
            return false;
    }
    return flag;
}

void TStudyFrame::WaitWhileFileInUse(const QString &file)
{
    while (!bStop && IsFileInUse(file)) {
        if (!WaitTime(kFileBusyStepMs, bStop, this))
            return;
    }
}

void TStudyFrame::SendPartScore(qint64 LessonId, int Count, const QString &Doc, int PointType)
{
    const QPointer<TStudyFrame> self(this);
    ShareAudioGuid.clear();
    WorkState = wsBusy;
    ReceiveAchivementId = 0;

    const ordered_json document = ordered_json::parse(Doc.toStdString(), nullptr, false);
    const ordered_json doc = document.is_object() ? document : ordered_json::object();
    const bool word = PointType == Submission::kWordUnitPointType;
    const TeduPartScore record = word ? Submission::WordUnitScoreRecord(doc, LessonId, Count, Uid())
                                      : Submission::PassageScoreRecord(doc, LessonId, Count, PointType, Uid());
    curpointCaseType = word ? Submission::kWordUnitPointType : PointType;
    CurScore = record.Score;
    PlayScoreAni(CurScore, Rectangle_JudgeAnimationBackground);

    const QString folder = LocalPath(FMainPath, QStringLiteral("Fail\\Study\\"));
    const QString stem = Submission::RetryStem(folder, Uid(), QDateTime::currentDateTime(), LessonId);
    const QString mp3 = QDir(folder).filePath(stem + QStringLiteral(".mp3"));
    const QString recordFile = QDir(folder).filePath(stem + QStringLiteral(".stypt"));
    const bool kept = CurScore > kMinKeptScore;
    if (kept && !record.SaveToUTF8File(recordFile)) {
        procSaveLog(QStringLiteral("error:SendPartScore cannot write ") + recordFile);
        ShowInfo(kCannotKeep);
        if (!self)
            return;
    }
    Text_DisplayTotalScore->SetText(QString::number(CurScore));
    Button_DisplayReturn->BringToFront();

    if (kept && IsPassage(PointType)) {
        const bool continued =
            PartResultJson && PartResultJson->is_object() && PartResultJson->value("bContinue", ordered_json()) == 1;
        if (continued ? MergeWaveBackups() : MergeWavePart()) {
            ShareAudioGuid = mp3;
            if (!waveToMp3(LocalPath(FMainPath, QStringLiteral("tmp\\temp.wav")), mp3, bStop, this)) {
                if (!self)
                    return;
                ShareAudioGuid.clear();
            }
            WaitWhileFileInUse(mp3);
            if (!self)
                return;
        } else {
            ShareAudioGuid.clear();
        }
    }

    if (!bStop) {
        if (kept) {
            const bool accepted = SendStudyPartResult(record.AsString());
            if (!self)
                return;
            if (accepted && !bStop) {
                if (!ShareAudioGuid.isEmpty())
                    QFile::remove(ShareAudioGuid);
                QFile::remove(recordFile);
                if (CurScore > iMaxScore_Assignment && isAssignment && curpointCaseType == 5)
                    CornerButton_SharedAudioMouseUp(CornerButton_SharedAudio, Qt::LeftButton, Qt::NoModifier, 5, 5);
                if (!self)
                    return;
            }
        } else {
            QFile::remove(recordFile);
            if (!ShareAudioGuid.isEmpty())
                QFile::remove(ShareAudioGuid);
        }
    }
    WorkState = wsIdle;
}

bool TStudyFrame::SendStudyPartResult(const QString &Text)
{
    const QPointer<TStudyFrame> self(this);
    for (;;) {
        SendRequest(Text);
        bSendSuccess_Score = false;
        const bool accepted = WaitForConfirmation(bSendSuccess_Score);
        if (!self)
            return false;
        if (accepted)
            return true;
        if (bStop || !FCustomMsg)
            return false;
        const ICustomMessagePtr ask = FCustomMsg;
        const int answer = ask->AskQuestion(kRetryScore, kAskYesNo);
        if (!self || answer != kAnswerYes || bStop)
            return false;
    }
}

bool TStudyFrame::UpLoadDataFile(const QString &Reply, const QString &FileName)
{
    try {
        const ordered_json reply = ordered_json::parse(Reply.toStdString(), nullptr, false);
        if (!reply.is_object())
            throw std::runtime_error("the reply is not a JSON object");
        QPointer<THttpTransfer> transfer = new THttpTransfer(this);
        transfer->SetDoSomething(FDoJobs);
        transfer->SetUploadServer(QString::fromStdString(reply.value("uploadurl", std::string())));
        ordered_json fields = reply.value("fields", ordered_json::object());
        if (fields.is_string())
            fields = ordered_json::parse(fields.get<std::string>(), nullptr, false);
        if (fields.is_object()) {
            for (auto it = fields.begin(); it != fields.end(); ++it)
                transfer->AddField(QString::fromStdString(it.key()),
                                   it->is_string() ? QString::fromStdString(it->get<std::string>())
                                                   : QString::fromStdString(it->dump()));
        }
        transfer->SetUploadFile(FileName);
        const bool ok = transfer->ShowModal() && transfer && transfer->Succeeded();
        delete transfer.data();
        if (!ok)
            ShowInfo(QStringLiteral("上传文件时出错，请稍后再试"));
        return ok;
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:study UpLoadDataFile:") + FileName + QStringLiteral(" ")
                    + QString::fromUtf8(e.what()));
        return false;
    }
}

void TStudyFrame::UploadAddressArrived(const QString &sjson)
{
    if (bStop || ShareAudioGuid.isEmpty() || !QFileInfo::exists(ShareAudioGuid))
        return;
    const QPointer<TStudyFrame> self(this);
    const QString file = ShareAudioGuid;
    if (UpLoadDataFile(sjson, file)) {
        if (self)
            bSendSuccess_Voice = true;
        return;
    }
    if (!self)
        return;
    bSendSuccess_Voice = false;
    if (!FCustomMsg)
        return;
    const ICustomMessagePtr ask = FCustomMsg;
    const int answer = ask->AskQuestion(QStringLiteral("上传失败，是否重试？"), kAskYesNo);
    // Yes asks for an upload address again; the share waiting for this
    // upload goes on with it. (Starting a whole second share from here would
    // register the recording twice once the first wait ends.)
    if (self && answer == kAnswerYes && !bStop)
        GetUpLoadURLResource(Submission::ShareUploadKey(Uid(), QFileInfo(file).fileName()));
}

void TStudyFrame::CornerButton_SharedAudioMouseUp(TControl *, Qt::MouseButton Button, Qt::KeyboardModifiers, double,
                                                  double)
{
    if (Button != Qt::LeftButton)
        return;
    CornerButton_SharedAudio->SetEnabled(false);
    if (ReceiveAchivementId > 0)
        ShareAudio(ReceiveAchivementId);
}

void TStudyFrame::ShareAudio(qint64 AchievementId)
{
    if (ShareAudioGuid.isEmpty())
        return;
    const QPointer<TStudyFrame> self(this);
    WorkState = wsBusy;
    if (!QFileInfo::exists(ShareAudioGuid)) {
        // The submitted MP3 went once the score was accepted: make it again
        // from the last recording, under a name of this achievement.
        ShareAudioGuid = Submission::RecreatedSharePath(ShareAudioGuid, AchievementId);
        waveToMp3(LocalPath(FMainPath, QStringLiteral("tmp\\temp.wav")), ShareAudioGuid, bStop, this);
        if (!self)
            return;
    }
    WaitWhileFileInUse(ShareAudioGuid);
    if (!self)
        return;
    if (QFileInfo::exists(ShareAudioGuid) && !bStop) {
        const QString key = Submission::ShareUploadKey(Uid(), QFileInfo(ShareAudioGuid).fileName());
        bool uploaded = false;
        for (;;) {
            NowLoadType = LTShareGoodVoice;
            bSendSuccess_Voice = false;
            GetUpLoadURLResource(key);
            uploaded = WaitForConfirmation(bSendSuccess_Voice);
            if (!self)
                return;
            if (uploaded || bStop || !FCustomMsg)
                break;
            const ICustomMessagePtr ask = FCustomMsg;
            const int answer = ask->AskQuestion(kRetryShare, kAskYesNo);
            if (!self)
                return;
            if (answer != kAnswerYes || bStop)
                break;
        }
        if (uploaded && !bStop) {
            QFile::remove(ShareAudioGuid);
            const ordered_json message =
                ordered_json::parse(Request::ShareAudio({Uid(), SchoolUserId()}, AchievementId, key).toStdString());
            const QString matchFile = LocalPath(FMainPath, QStringLiteral("Fail\\Study\\%1.stymth").arg(AchievementId));
            SaveMatchFile(message, matchFile);
            const bool registered = SendShareRequest(QString::fromStdString(message.dump()), matchFile);
            if (!self)
                return;
            if (registered)
                ShowInfo(QStringLiteral("上传成功，可以继续使用"));
            if (!self)
                return;
        }
    }
    WorkState = wsIdle;
}

bool TStudyFrame::SendShareRequest(const QString &Text, const QString &MatchFile)
{
    const QPointer<TStudyFrame> self(this);
    for (;;) {
        SendRequest(Text);
        bSendSuccess_Match = false;
        const bool accepted = WaitForConfirmation(bSendSuccess_Match);
        if (!self)
            return false;
        if (accepted) {
            QFile::remove(MatchFile);
            return true;
        }
        if (bStop || !FCustomMsg)
            return false;
        const ICustomMessagePtr ask = FCustomMsg;
        const int answer = ask->AskQuestion(kRetryShare, kAskYesNo);
        if (!self || answer != kAnswerYes || bStop)
            return false;
    }
}

bool TStudyFrame::SaveMatchFile(const ordered_json &Msg, const QString &FileName)
{
    const auto id = [&Msg](const char *key) -> qint64 {
        const auto it = Msg.find(key);
        return it != Msg.end() && it->is_number_integer() ? it->get<qint64>() : 0;
    };
    const auto uuid = Msg.find("uuid");
    const QString key =
        uuid != Msg.end() && uuid->is_string() ? QString::fromStdString(uuid->get<std::string>()) : QString();
    ForceDirectories(QFileInfo(FileName).absolutePath());
    QSaveFile out(FileName);
    if (!out.open(QIODevice::WriteOnly) || out.write(Submission::MatchFileText(id("uid"), id("achivementId"), key)) < 0
        || !out.commit()) {
        procSaveLog(QStringLiteral("error:Study SaveMatchFile fail:") + QString::fromStdString(Msg.dump()));
        return false;
    }
    return true;
}
