#include "TStudyHost.h"

#include "HostDialogs.h"
#include "HostNotices.h"
#include "SampleAccount.h"
#include "ScoreSounds.h"

#include "IBaseMod.h"
#include "LearningServiceSim.h"
#include "Log.h"
#include "ModuleInfo.h"
#include "TDeviceFreeSoundEngine.h"
#include "TFolderArchive.h"
#include "TSimGradeEngine.h"

#include <QDir>
#include <QTimer>
#include <QApplication>
#include <QJsonObject>
#include <QWidget>

TStudyHostOptions TStudyHostOptions::Beside(const QString &folder)
{
    TStudyHostOptions o;
    o.pluginFile = folder % QStringLiteral("/libModStudy.so");
    o.servedFolder = folder % QStringLiteral("/content");
    o.dataFolder = folder % QStringLiteral("/hostdata");
    o.archiveFolder = folder % QStringLiteral("/uiarchive");
    o.mainPath = folder % QStringLiteral("/");
    return o;
}

TStudyHost::TStudyHost(TStudyHostOptions options, QObject *parent) : QObject(parent), m_options(std::move(options))
{
    m_handshakeTimer.setSingleShot(true);
    connect(&m_handshakeTimer, &QTimer::timeout, this, [this] {
        procSaveLog(QStringLiteral("error:host: the module did not answer ")
                    % (m_pending == Pending::Close ? QStringLiteral("10003") : QStringLiteral("10005"))
                    % QStringLiteral(" within ") % QString::number(m_options.handshakeTimeoutMs)
                    % QStringLiteral(" ms; deleting it anyway"));
        FinishHandshake(false);
    });
}

TStudyHost::~TStudyHost()
{
    m_handshakeTimer.stop();
    // A module kept past the host may still close a box.
    if (m_ownMessage)
        m_ownMessage->SetOnBoxClosed({});
    DestroyModule();
    RetireService();
    m_unansweredMods.clear();
    Unload();
}

void TStudyHost::Note(const QString &line)
{
    m_events << line;
    Q_EMIT Traffic(line);
}

bool TStudyHost::LoadPlugin()
{
    m_loader.setFileName(m_options.pluginFile);
    // The host unloads its module on closing; Qt would otherwise keep it.
    m_loader.setLoadHints(m_loader.loadHints() & ~QLibrary::PreventUnloadHint);
    const QJsonObject meta = m_loader.metaData().value(QStringLiteral("MetaData")).toObject();
    if (m_loader.metaData().isEmpty()) {
        m_error = QStringLiteral("cannot read the plug-in file ") % m_options.pluginFile % QStringLiteral(": ")
                  % m_loader.errorString();
        return false;
    }
    const QString description = meta.value(QStringLiteral("description")).toString();
    if (description != kStudyModClassName) {
        m_error = QStringLiteral("the plug-in file ") % m_options.pluginFile
                  % QStringLiteral(" is not a study module (description \"") % description
                  % QStringLiteral("\", expected \"") % kStudyModClassName % QStringLiteral("\")");
        return false;
    }
    const int version = meta.value(QStringLiteral("contractVersion")).toInt(-1);
    if (version != kHostContractVersion) {
        m_error = QStringLiteral("the study module in ") % m_options.pluginFile
                  % QStringLiteral(" is built for host contract version ") % QString::number(version)
                  % QStringLiteral("; this host speaks version ") % QString::number(kHostContractVersion);
        return false;
    }
    if (!m_loader.load() || !m_loader.instance()) {
        m_error = QStringLiteral("cannot load the plug-in file ") % m_options.pluginFile % QStringLiteral(": ")
                  % m_loader.errorString();
        return false;
    }
    auto *plugin = qobject_cast<IStudyModulePlugin *>(m_loader.instance());
    m_factory = plugin ? plugin->ModFactory() : TStudyModFactory();
    if (!m_factory) {
        m_error = QStringLiteral("the plug-in file ") % m_options.pluginFile
                  % QStringLiteral(" does not offer the study module interface ")
                  % QLatin1String(IStudyModulePlugin_iid);
        return false;
    }
    return true;
}

bool TStudyHost::Start(QWidget *parent)
{
    m_error.clear();
    if (m_mod) {
        m_error = QStringLiteral("the module is already running");
        return false;
    }
    m_parent = parent;
    if (!parent) {
        m_error = QStringLiteral("no parent widget for the module");
        return false;
    }
    if (!LoadPlugin()) {
        Unload();
        return false;
    }

    const QDir data(m_options.dataFolder);
    if (!data.mkpath(QStringLiteral("work"))) {
        m_error = QStringLiteral("cannot create the host's data folder ") % m_options.dataFolder;
        Unload();
        return false;
    }
    if (m_options.serviceOn) {
        m_service = std::make_unique<TLearningServiceSim>();
        if (!m_service->Start(m_options.servedFolder, data.filePath(QStringLiteral("service.db")),
                              data.filePath(QStringLiteral("work")))) {
            m_error = QStringLiteral("cannot start the learning service: ") % m_service->Error();
            m_service.reset();
            Unload();
            return false;
        }
        m_service->SetReplySink([this](const QString &reply) { Deliver(reply, QStringLiteral("reply")); });
        if (m_options.prepareService)
            m_options.prepareService(*m_service);
    }

    m_archive = std::make_shared<TFolderArchive>(m_options.archiveFolder);
    if (m_options.sound) {
        m_sound = m_options.sound;
    } else {
        auto sound = std::make_shared<TDeviceFreeSoundEngine>(m_options.mainPath);
        sound->SetScoreSoundProvider(ArchiveScoreSounds(m_archive));
        m_sound = sound;
    }
    m_grade = m_options.grade ? m_options.grade : std::make_shared<TSimGradeEngine>(m_options.mainPath);
    if (m_options.message) {
        m_message = m_options.message;
    } else {
        // The module's area takes no input while a box is open; the window
        // itself still takes the learner's close (see RequestClose).
        m_ownMessage = std::make_shared<TQtCustomMessage>(parent->window(), parent);
        m_ownMessage->SetOnBoxClosed([this] {
            // The module's call returns first; the close follows from the
            // event loop.
            if (m_closeAfterBox && !m_ownMessage->IsOpen())
                QTimer::singleShot(0, this, [this] {
                    if (std::exchange(m_closeAfterBox, false))
                        RequestClose();
                });
        });
        m_message = m_ownMessage;
    }
    m_hint = m_options.hint ? m_options.hint : std::make_shared<TQtCustomHint>();
    auto account = std::make_shared<TSampleAccount>(QString(), m_options.userType, m_options.schoolUserId);
    m_login = account;
    m_user = account;

    if (!CreateModule()) {
        RetireService();
        Unload();
        return false;
    }
    return true;
}

bool TStudyHost::CreateModule()
{
    m_mod = m_factory ? m_factory() : nullptr;
    if (!m_mod) {
        m_error = QStringLiteral("the plug-in did not register \"") % kStudyModClassName % QStringLiteral("\"");
        return false;
    }
    m_mod->CreateFrame(m_parent);
    m_frame = m_parent ? m_parent->findChild<QWidget *>(kStudyModClassName, Qt::FindDirectChildrenOnly) : nullptr;
    m_mod->SetDoJob([this](const QString &text) { OnJob(text); });
    m_mod->SetSendMsg([this](const QString &text) { OnRequest(text); });
    m_mod->SetArchivePackage(m_archive);
    m_mod->SetSoundEngine(m_sound);
    m_mod->SetGradeEngine(m_grade);
    m_mod->SetLoginInfos(m_login);
    m_mod->SetHintForm(m_hint);
    m_mod->SetMsgForm(m_message);
    // Last: announces the module and starts its shelf request.
    m_mod->SetUserInfos(m_user);
    return true;
}

void TStudyHost::DestroyModule(bool answered)
{
    if (!m_mod)
        return;
    // Called while one of the frame's handlers runs, DeleteFrame only
    // detaches the frame; the plug-in's own code frees it later, from the
    // event loop. Until then the plug-in must stay loaded.
    if (QObject *frame = m_frame.data()) {
        ++m_framesAlive;
        connect(frame, &QObject::destroyed, this, [this] {
            if (--m_framesAlive == 0)
                Q_EMIT FrameFreed();
        });
    }
    m_frame.clear();
    m_mod->DeleteFrame();
    Note(QStringLiteral("DeleteFrame"));
    // Nothing of the module may call back into a host that is going away.
    m_mod->SetDoJob({});
    m_mod->SetSendMsg({});
    if (answered) {
        m_mod.reset();
        return;
    }
    // A module that did not answer may still be inside one of its own calls
    // further up the stack (a request wait, a question): its object and its
    // code stay until the host itself goes.
    m_unansweredMods.push_back(std::move(m_mod));
}

void TStudyHost::Unload()
{
    if (m_mod || !m_unansweredMods.empty() || m_framesAlive > 0 || !m_loader.isLoaded())
        return;
    m_factory = nullptr; // its code lives in the plug-in
    if (m_loader.unload())
        Note(QStringLiteral("unload"));
    else
        procSaveLog(QStringLiteral("error:host: cannot unload the module: ") % m_loader.errorString());
}

void TStudyHost::OnRequest(const QString &text)
{
    Note(QStringLiteral("request ") % text);
    if (m_service)
        m_service->Request(text);
}

void TStudyHost::OnJob(const QString &text)
{
    Note(QStringLiteral("job ") % text);
    procSaveLog(QStringLiteral("info：host job: ") % text);
    const int code = hostnotice::ApiCode(text).value_or(-1);
    const bool answered = (m_pending == Pending::Close && code == hostnotice::kClosed)
                          || (m_pending == Pending::Switch && code == hostnotice::kSwitched);
    if (answered) {
        // The module is still inside its own call; delete it from the loop.
        QTimer::singleShot(0, this, [this] {
            if (m_pending != Pending::None)
                FinishHandshake(true);
        });
    }
}

void TStudyHost::Deliver(const QString &text, const QString &kind)
{
    // Queued: a reply or notice never enters the module inside its own call.
    QMetaObject::invokeMethod(
        this,
        [this, text, kind] {
            if (!m_mod)
                return;
            Note(kind % QStringLiteral(" ") % text);
            m_mod->ReceiveMsg(text);
            if (kind == QStringLiteral("reply") && hostnotice::ApiCode(text) == hostnotice::kShelfReply) {
                ++m_shelfReplies;
                Q_EMIT ShelfDelivered();
            }
        },
        Qt::QueuedConnection);
}

void TStudyHost::Push(const QString &notice)
{
    Deliver(notice, QStringLiteral("notice"));
}

void TStudyHost::RequestClose()
{
    if (!m_mod) {
        Unload();
        Q_EMIT Closed(false);
        return;
    }
    if (m_pending == Pending::Close)
        return;
    if (m_ownMessage && m_ownMessage->IsOpen()) {
        // The module is inside its own question: a close notice now would
        // reach it there, and the frame could be deleted under the question.
        // The question ends as answered No; the close follows when the
        // module's call has returned.
        m_closeAfterBox = true;
        m_ownMessage->EndOpenBoxes();
        return;
    }
    m_pending = Pending::Close; // a close overrides a switch in progress
    m_noticeOnStart.clear();
    Push(hostnotice::Bare(hostnotice::kClose));
    m_handshakeTimer.start(m_options.handshakeTimeoutMs);
}

QString TStudyHost::OpenAssignment()
{
    return RestartWith(m_service ? hostnotice::SampleAssignment(*m_service, TSampleAccount::kUid) : std::nullopt,
                       QStringLiteral("没有未完成的作业可布置。"));
}

QString TStudyHost::OpenRecentLesson()
{
    return RestartWith(m_service ? hostnotice::RecentLesson(m_service->Catalog()) : std::nullopt,
                       QStringLiteral("课程目录里没有最近学习的课程。"));
}

QString TStudyHost::RestartWith(const std::optional<QString> &notice, const QString &none)
{
    if (!m_mod || m_pending != Pending::None || IsAsking())
        return QStringLiteral("模块正忙或未运行。");
    if (!m_service)
        return QStringLiteral("学习服务未运行。");
    if (!notice)
        return none;
    m_noticeOnStart = *notice;
    RequestSwitch();
    return {};
}

void TStudyHost::RequestSwitch()
{
    if (!m_mod || m_pending != Pending::None || IsAsking())
        return;
    m_pending = Pending::Switch;
    Push(hostnotice::Bare(hostnotice::kSwitch));
    m_handshakeTimer.start(m_options.handshakeTimeoutMs);
}

namespace {
// Frees a retired simulator from the event loop once it is no longer inside
// an answer (an answer may be waiting on a package reader further up the
// stack, in which case freeing it now would pull the object from under it).
void FreeWhenIdle(TLearningServiceSim *service)
{
    QTimer::singleShot(0, qApp, [service] {
        if (service->IsAnswering())
            FreeWhenIdle(service);
        else
            delete service;
    });
}
} // namespace

void TStudyHost::RetireService()
{
    if (!m_service)
        return;
    m_service->SetReplySink({});
    if (m_service->IsAnswering())
        FreeWhenIdle(m_service.release());
    else
        m_service.reset();
}

void TStudyHost::FinishHandshake(bool answered)
{
    m_handshakeTimer.stop();
    const Pending pending = std::exchange(m_pending, Pending::None);
    DestroyModule(answered);
    if (pending == Pending::Close) {
        RetireService();
        UnloadWhenFrameGone(answered);
        return;
    }
    // A switch: this host has only the study module, so it comes back.
    const bool recreated = m_parent && CreateModule();
    if (!recreated)
        procSaveLog(QStringLiteral("error:host: the module could not be created again: ") % m_error);
    // A notice of the menu reaches the new module before its shelf request
    // goes out (that waits for the module's start timer).
    const QString notice = std::exchange(m_noticeOnStart, QString());
    if (recreated && !notice.isEmpty())
        Push(notice);
    Q_EMIT Switched(recreated);
}

bool TStudyHost::IsAsking() const
{
    return m_closeAfterBox || (m_ownMessage && m_ownMessage->IsOpen());
}

void TStudyHost::UnloadWhenFrameGone(bool answered)
{
    QTimer::singleShot(0, this, [this, answered] {
        if (m_framesAlive > 0) {
            // Still inside one of the module's own calls; wait for the
            // frame to go, then let the loop turn once more.
            procSaveLog(QStringLiteral("info：host: the deleted frame is still in use; the plug-in is unloaded once "
                                       "it has been freed"));
            connect(
                this, &TStudyHost::FrameFreed, this, [this, answered] { UnloadWhenFrameGone(answered); },
                Qt::SingleShotConnection);
            return;
        }
        Unload();
        Q_EMIT Closed(answered);
    });
}
