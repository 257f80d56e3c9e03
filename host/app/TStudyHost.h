#pragma once
// The host side of the study module: loads the ModStudy plug-in, creates the
// module in a parent widget, hands it the host services, relays its requests
// to the learning service and the replies back, and closes or switches it
// with the module's handshake.
//
// Every reply and every pushed notice reaches the module from the event loop,
// never inside one of the module's own calls to the host.

#include "HostServices.h"
#include "StudyModulePlugin.h"

#include <QObject>
#include <QPluginLoader>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class IBaseMod;
class QWidget;
class TLearningServiceSim;
class TQtCustomMessage;

struct TStudyHostOptions
{
    QString pluginFile;    // the ModStudy plug-in file
    QString servedFolder;  // the learning service's content (catalog, packages)
    QString dataFolder;    // writable: the service's state and work files
    QString archiveFolder; // the UI picture archive
    QString mainPath;      // the module's main path ("…/"): the engines' relative files live below it
    // The sample learner's account.
    int userType = 1;
    qint64 schoolUserId = 0;
    // Off: the module's requests go nowhere (an unreachable service).
    bool serviceOn = true;
    // Runs once the learning service is up, before the module is created
    // (scenario controls that must hold for the module's first request).
    std::function<void(TLearningServiceSim &)> prepareService;
    // Services left empty get the host's own: Qt dialogs and tooltips, the
    // device-free sound engine (score comments from the UI archive) and the
    // simulated grading engine.
    ICustomMessagePtr message;
    ICustomHintPtr hint;
    ISoundEnginePtr sound;
    IAudioEnginePtr grade;
    // How long a close or switch waits for the module's answer (ms).
    int handshakeTimeoutMs = 15000;

    // Everything beside the executable in `folder`: libModStudy.so, content/,
    // uiarchive/, hostdata/; the main path is `folder` + "/".
    static TStudyHostOptions Beside(const QString &folder);
};

class TStudyHost : public QObject
{
    Q_OBJECT
public:
    explicit TStudyHost(TStudyHostOptions options, QObject *parent = nullptr);
    // Tears down what is still running, without a handshake.
    ~TStudyHost() override;

    // Loads and checks the plug-in, starts the learning service and creates
    // the module inside `parent`. False with Error() on any failure; nothing
    // is left running then.
    bool Start(QWidget *parent);
    QString Error() const { return m_error; }
    bool IsRunning() const { return static_cast<bool>(m_mod); }
    bool IsBusy() const { return m_pending != Pending::None || IsAsking(); }
    // One of the host's own message boxes is open (the module is inside its
    // question or message), or a close waits for one to end.
    bool IsAsking() const;

    // Queues a notice text for the module.
    void Push(const QString &notice);
    // The notice menu: the assignment notice (10000) of the learner's first
    // unfinished assignment, or the recently used lesson notice (10002). A
    // module acts on these with its next course shelf, which it asks for
    // when it starts; so the host does what it does on starting the module:
    // it switches the module away (10005 → 10006), creates it again and
    // hands it the notice before its shelf request. Empty when the restart
    // has begun (Switched follows), else why it has not (nothing changed).
    QString OpenAssignment();
    QString OpenRecentLesson();
    // Sends 10003 and, once the module answers 10004 (or the wait runs out),
    // deletes the frame, releases the module and unloads the plug-in; then
    // emits Closed. A module that never answered may still be running one of
    // its own waits: its plug-in then stays loaded until the host is
    // destroyed. While one of the host's own message boxes is open (the
    // module is inside its question), the close is remembered, the box is
    // ended as answered No, and 10003 goes out once the module's call has
    // returned.
    void RequestClose();
    // Sends 10005 and, once the module answers 10006 (or the wait runs out),
    // deletes the frame and creates the module anew in the same parent; then
    // emits Switched.
    void RequestSwitch();

    // The learning service; null before Start, after a close and when the
    // service is off.
    TLearningServiceSim *Service() const { return m_service.get(); }
    ISoundEnginePtr SoundEngine() const { return m_sound; }
    IAudioEnginePtr GradeEngine() const { return m_grade; }
    // What passed between host, module and service, in order: "request …",
    // "reply …", "notice …", "job …", "DeleteFrame", "unload".
    const QStringList &Events() const { return m_events; }
    int ShelfRepliesDelivered() const { return m_shelfReplies; }
    bool IsPluginLoaded() const { return m_loader.isLoaded(); }

Q_SIGNALS:
    void Traffic(const QString &line);
    void ShelfDelivered();
    void Closed(bool answered);
    void Switched(bool recreated);
    // A frame deleted while it was in use has been freed by the plug-in.
    void FrameFreed();

private:
    enum class Pending { None, Close, Switch };

    bool LoadPlugin();
    bool CreateModule();
    QString RestartWith(const std::optional<QString> &notice, const QString &none);
    // Unloads the plug-in and emits Closed once the deleted frame is gone and
    // the event loop has turned once after that (the frame may be freed by a
    // queued call of the plug-in's own code).
    void UnloadWhenFrameGone(bool answered);
    // `answered`: the module said it was done; otherwise it is kept (and its
    // plug-in stays loaded) until the host is destroyed.
    void DestroyModule(bool answered = true);
    void Unload();
    void OnJob(const QString &text);
    void OnRequest(const QString &text);
    void Deliver(const QString &text, const QString &kind);
    void FinishHandshake(bool answered);
    void RetireService();
    void Note(const QString &line);

    TStudyHostOptions m_options;
    QString m_error;
    QPluginLoader m_loader;
    TStudyModFactory m_factory; // from the loaded plug-in; cleared before unloading
    QPointer<QWidget> m_parent;
    std::unique_ptr<TLearningServiceSim> m_service;
    IArchivePtr m_archive;
    ISoundEnginePtr m_sound;
    IAudioEnginePtr m_grade;
    ICustomMessagePtr m_message;
    // The host's own message boxes, when it shows them (not injected).
    std::shared_ptr<TQtCustomMessage> m_ownMessage;
    bool m_closeAfterBox = false;
    // The notice the module is handed when it has been created again.
    QString m_noticeOnStart;
    // The frame of the running module (a child of the parent), kept to know
    // when it is really gone after DeleteFrame.
    QPointer<QObject> m_frame;
    // Frames deleted but not yet freed; the plug-in stays until they are.
    int m_framesAlive = 0;
    ICustomHintPtr m_hint;
    std::shared_ptr<ILoginInfo> m_login;
    std::shared_ptr<IUserInfo> m_user;
    std::shared_ptr<IBaseMod> m_mod;
    std::vector<std::shared_ptr<IBaseMod>> m_unansweredMods;
    Pending m_pending = Pending::None;
    QTimer m_handshakeTimer;
    QStringList m_events;
    int m_shelfReplies = 0;
};
