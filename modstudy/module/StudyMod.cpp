#include "StudyMod.h"

#include "StudyFrame.h"

#include "Log.h"

#include <exception>

TStudyMod::TStudyMod() = default;

TStudyMod::~TStudyMod()
{
    DeleteFrame();
}

TStudyFrame *TStudyMod::FrameFor(const char *operation) const
{
    if (!FStudyFrame)
        procSaveLog(QStringLiteral("info：TStudyMod.") % QLatin1String(operation)
                    % QStringLiteral(": no frame (CreateFrame not called, or the frame was deleted); ignored"));
    return FStudyFrame.data();
}

TStudyFrame *TStudyMod::Frame() const
{
    return FStudyFrame.data();
}

bool TStudyMod::GetCanClose()
{
    return false;
}

void TStudyMod::SetArchivePackage(const IArchivePtr &value)
{
    if (TStudyFrame *frame = FrameFor("SetArchivePackage")) {
        frame->SetUIArchive(value);
        frame->LoadUI();
    }
}

void TStudyMod::SetDoJob(const TGetStrProc &value)
{
    FDoJob = value;
}

void TStudyMod::SetSendMsg(const TGetStrProc &value)
{
    FSendMsg = value;
}

void TStudyMod::SetSoundEngine(const ISoundEnginePtr &value)
{
    if (TStudyFrame *frame = FrameFor("SetSoundEngine"))
        frame->SetSoundEngine(value);
}

void TStudyMod::SetGradeEngine(const IAudioEnginePtr &value)
{
    if (TStudyFrame *frame = FrameFor("SetGradeEngine"))
        frame->SetGradeEngine(value);
}

void TStudyMod::SetLoginInfos(const ILoginInfoPtr &value)
{
    if (TStudyFrame *frame = FrameFor("SetLoginInfos"))
        frame->SetLoginInfos(value);
}

void TStudyMod::SetUserInfos(const IUserInfoPtr &value)
{
    try {
        if (TStudyFrame *frame = FrameFor("SetUserInfos"))
            frame->SetUserInfos(value);
    } catch (const std::exception &e) {
        procSaveLog(QStringLiteral("error:") % QString::fromUtf8(e.what()));
    } catch (...) {
        procSaveLog(QStringLiteral("error:unknown exception"));
    }
}

void TStudyMod::SetClientType(int)
{
}

void TStudyMod::SetHintForm(const ICustomHintPtr &value)
{
    if (TStudyFrame *frame = FrameFor("SetHintForm"))
        frame->SetCustomHint(value);
}

void TStudyMod::SetMsgForm(const ICustomMessagePtr &value)
{
    if (TStudyFrame *frame = FrameFor("SetMsgForm"))
        frame->SetCustomMsg(value);
}

void TStudyMod::SetFatherLayout(QWidget *)
{
}

void TStudyMod::CreateFrame(QWidget *parent)
{
    if (FStudyFrame) {
        procSaveLog(QStringLiteral("info：TStudyMod.CreateFrame: a frame exists already; it is replaced"));
        DeleteFrame();
    }
    auto *frame = new TStudyFrame(parent);
    FStudyFrame = frame;
    frame->SetName(QStringLiteral("TStudyMod"));
    if (parent)
        frame->show();
    frame->SetSendInfo([this](const QString &s) { SendMessage(s); });
    frame->SetDoJobs([this](const QString &s) { DoJob(s); });
}

void TStudyMod::DeleteFrame()
{
    TStudyFrame *frame = FStudyFrame.data();
    if (!frame)
        return;
    FStudyFrame = nullptr;
    // From now on nothing the frame still sends reaches the host, and the
    // frame no longer refers to this object.
    frame->SetSendInfo({});
    frame->SetDoJobs({});
    frame->setParent(nullptr);
    if (!frame->DestroyWhenIdle())
        procSaveLog(QStringLiteral("info：TStudyMod.DeleteFrame: called while the frame was busy; the frame is "
                                   "detached now and destroyed when its running handlers return"));
}

void TStudyMod::ReceiveMsg(const QString &msg)
{
    if (TStudyFrame *frame = FStudyFrame.data()) {
        frame->GetMsg(msg);
        return;
    }
    procSaveLog(QStringLiteral("info：TStudyMod.ReceiveMsg: no frame; message dropped: ") % msg);
}

void TStudyMod::SendMessage(const QString &s)
{
    if (FSendMsg)
        FSendMsg(s);
}

void TStudyMod::DoJob(const QString &s)
{
    if (FDoJob)
        FDoJob(s);
}
