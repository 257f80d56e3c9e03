#pragma once
// The contract between a host application and a study module.
//
// A host loads the module's plug-in, creates its entry object by the class
// name registered in the base package's class registry ("TStudyMod", see
// ModuleInfo.h) and drives it only through this interface and through JSON
// text messages carrying an integer "apiCode".
//
// Ownership
// - The host owns the module object. It keeps it in a std::shared_ptr (the
//   reference count of the contract); the module never deletes itself.
//   Release the last reference only after DeleteFrame, and before the
//   plug-in is unloaded (the object's code lives in the plug-in).
// - The module owns the frame it builds in CreateFrame. The frame is also a
//   child widget of the parent the host passes, so deleting that parent
//   deletes the frame too; the module notices and treats every later call
//   as made without a frame.
// - The host owns every service object (HostServices.h) and the parent
//   widget. The module keeps shared references to the services until its
//   frame is destroyed and never frees, replaces or re-enters them.
// - The two callbacks (SetDoJob, SetSendMsg) are copied; whatever they
//   capture must outlive the module object or be cleared by installing an
//   empty callback.
//
// Calling order a host must keep
//   1. CreateFrame(parent)                  builds the frame
//   2. SetDoJob, SetSendMsg                 may also come earlier or later
//   3. SetArchivePackage, SetSoundEngine, SetGradeEngine, SetLoginInfos,
//      SetHintForm, SetMsgForm              in any order
//   4. SetUserInfos                         last: it announces the module
//                                           (10007 on the job channel) and
//                                           starts the course shelf request,
//                                           which carries the user id
//   5. ReceiveMsg(...)                      for every message from the service
//   6. on closing or switching: send 10003 or 10005 through ReceiveMsg, wait
//      for 10004 or 10006 on the job channel, then DeleteFrame
//   7. release the object, let the event loop turn at least once, then
//      unload the plug-in (see below: the frame may still be freed by a
//      queued call of the plug-in's code)
// A forwarding call (SetArchivePackage, SetSoundEngine, SetGradeEngine,
// SetLoginInfos, SetUserInfos, SetHintForm, SetMsgForm, ReceiveMsg) made
// without a frame (before CreateFrame, after DeleteFrame) does nothing but
// write an "info：" line to the host log. DeleteFrame may be called from
// inside an event handled during one of the module's own waits; the frame
// is then detached and hidden at once and destroyed as soon as the module's
// running handlers have returned.
//
// Unloading: the frame is not always gone when DeleteFrame returns. Called
// while a handler of the frame runs (the host answered the module's 10004
// or 10006 from inside one of the module's waits or questions), DeleteFrame
// leaves the frame to be freed by a call the plug-in queues on the event
// loop once its last handler returns. The host must therefore not unload
// the plug-in right after DeleteFrame: it lets its event loop turn at least
// once after DeleteFrame, and, when DeleteFrame came from inside one of the
// module's calls, after that call has returned (the frame object, a child
// of the parent until DeleteFrame, sends QObject::destroyed when it is
// freed; a host can wait for that and then let the loop turn once more).
// Unloading earlier runs freed code: a crash.
//
// Threading: every operation must be called on the host's user-interface
// thread. No operation lets an exception escape.

#include "HostServices.h"

#include <QString>

class QWidget;

class IBaseMod
{
public:
    virtual ~IBaseMod() = default;

    // 1. Always false: the module is closed or switched away only through
    //    the close and switch request messages.
    virtual bool GetCanClose() = 0;
    // 2. The archive of interface pictures; also loads the home page's fixed
    //    pictures and sets the module's main path to the folder of the
    //    running executable.
    virtual void SetArchivePackage(const IArchivePtr &value) = 0;
    // 3. The job channel: notices 10004, 10006, 10007 and transfer progress.
    virtual void SetDoJob(const TGetStrProc &value) = 0;
    // 4. The request channel: every data request of the module.
    virtual void SetSendMsg(const TGetStrProc &value) = 0;
    // 5. Playback and recording.
    virtual void SetSoundEngine(const ISoundEnginePtr &value) = 0;
    // 6. Pronunciation grading.
    virtual void SetGradeEngine(const IAudioEnginePtr &value) = 0;
    // 7. The logged-in account (ids put into requests).
    virtual void SetLoginInfos(const ILoginInfoPtr &value) = 0;
    // 8. The user's profile; starts the module's work (see the order above).
    virtual void SetUserInfos(const IUserInfoPtr &value) = 0;
    // 9. Kind of host client; ignored.
    virtual void SetClientType(int value) = 0;
    // 10. Tooltips.
    virtual void SetHintForm(const ICustomHintPtr &value) = 0;
    // 11. Message boxes.
    virtual void SetMsgForm(const ICustomMessagePtr &value) = 0;
    // 12. The host's scaled layout; ignored.
    virtual void SetFatherLayout(QWidget *value) = 0;
    // 13. Builds the frame inside `parent` (filling its client area).
    virtual void CreateFrame(QWidget *parent) = 0;
    // 14. Detaches and destroys the frame; harmless without one.
    virtual void DeleteFrame() = 0;
    // 15. A message from the service, relayed by the host.
    virtual void ReceiveMsg(const QString &msg) = 0;
};
