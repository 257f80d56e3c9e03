#pragma once
// TStudyMod: the study module's entry object, the one class a host creates.
//
// It owns the one TStudyFrame, builds it inside the host's parent, hands the
// host's services on to it and relays messages both ways: host to module
// through ReceiveMsg, module to host through the two callbacks the host
// installs (SetSendMsg for requests, SetDoJob for job notices).
//
// A host that breaks the calling order gets no crash: an operation that needs
// the frame and finds none logs an "info：" line and does nothing, and
// DeleteFrame from inside one of the frame's own waits defers the frame's
// destruction until its running handlers have returned (see IBaseMod.h).

#include "IBaseMod.h"

#include <QPointer>

class TStudyFrame;

class TStudyMod : public IBaseMod
{
public:
    TStudyMod();
    ~TStudyMod() override;
    TStudyMod(const TStudyMod &) = delete;
    TStudyMod &operator=(const TStudyMod &) = delete;

    bool GetCanClose() override;
    void SetArchivePackage(const IArchivePtr &value) override;
    void SetDoJob(const TGetStrProc &value) override;
    void SetSendMsg(const TGetStrProc &value) override;
    void SetSoundEngine(const ISoundEnginePtr &value) override;
    void SetGradeEngine(const IAudioEnginePtr &value) override;
    void SetLoginInfos(const ILoginInfoPtr &value) override;
    void SetUserInfos(const IUserInfoPtr &value) override;
    void SetClientType(int value) override;
    void SetHintForm(const ICustomHintPtr &value) override;
    void SetMsgForm(const ICustomMessagePtr &value) override;
    void SetFatherLayout(QWidget *value) override;
    void CreateFrame(QWidget *parent) override;
    void DeleteFrame() override;
    void ReceiveMsg(const QString &msg) override;

    // The frame's two channels: pass the text to the host's callback, or
    // drop it when none is installed.
    void SendMessage(const QString &s);
    void DoJob(const QString &s);

    // The frame; null before CreateFrame, after DeleteFrame and after the
    // host deleted the parent.
    TStudyFrame *Frame() const;

private:
    // The frame for a forwarding operation; null (and an "info：" line
    // naming the operation) when there is none.
    TStudyFrame *FrameFor(const char *operation) const;

    QPointer<TStudyFrame> FStudyFrame;
    TGetStrProc FDoJob;
    TGetStrProc FSendMsg;
};
