#pragma once
// The host side of the frame, module and subsystem tests: a parent widget, the module
// object, every fake service and a record of both outgoing channels.

#include "StudyFrame.h"
#include "StudyMod.h"

#include "FakeAccount.h"
#include "FakeArchive.h"
#include "FakeAudioEngine.h"
#include "FakeCustomHint.h"
#include "FakeCustomMessage.h"
#include "FakeSoundEngine.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <nlohmann/json.hpp>

#include <functional>
#include <memory>

struct TSentText
{
    QString text;
    qint64 realMs = 0;     // real time since the host started
    TWorkState frameState; // the frame's WorkState when the text arrived
};

class TestHost
{
public:
    TestHost()
    {
        parent.resize(TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight);
        clock.start();
    }

    // CreateFrame, the callbacks and the services; SetUserInfos when asked.
    void Start(bool userInfos = true)
    {
        mod->CreateFrame(&parent);
        mod->SetDoJob([this](const QString &s) { jobs.append({s, clock.elapsed(), StateNow()}); });
        mod->SetSendMsg([this](const QString &s) {
            requests.append({s, clock.elapsed(), StateNow()});
            if (onRequest)
                onRequest(s);
        });
        mod->SetArchivePackage(archive);
        mod->SetSoundEngine(sound);
        mod->SetGradeEngine(grade);
        mod->SetLoginInfos(login);
        mod->SetHintForm(hint);
        mod->SetMsgForm(message);
        if (userInfos)
            mod->SetUserInfos(user);
    }

    TStudyFrame *Frame() const { return mod->Frame(); }

    static int Code(const QString &text)
    {
        const auto j = nlohmann::ordered_json::parse(text.toStdString(), nullptr, false);
        return j.is_object() && j.contains("apiCode") && j["apiCode"].is_number_integer() ? j["apiCode"].get<int>()
                                                                                          : -1;
    }
    static QList<TSentText> WithCode(const QList<TSentText> &list, int code)
    {
        QList<TSentText> out;
        for (const TSentText &s : list)
            if (Code(s.text) == code)
                out.append(s);
        return out;
    }

    QWidget parent;
    std::shared_ptr<TStudyMod> mod = std::make_shared<TStudyMod>();
    std::shared_ptr<FakeSoundEngine> sound = std::make_shared<FakeSoundEngine>();
    std::shared_ptr<FakeAudioEngine> grade = std::make_shared<FakeAudioEngine>();
    std::shared_ptr<FakeArchive> archive = std::make_shared<FakeArchive>();
    std::shared_ptr<FakeCustomMessage> message = std::make_shared<FakeCustomMessage>();
    std::shared_ptr<FakeCustomHint> hint = std::make_shared<FakeCustomHint>();
    std::shared_ptr<FakeLoginInfo> login = std::make_shared<FakeLoginInfo>();
    std::shared_ptr<FakeUserInfo> user = std::make_shared<FakeUserInfo>();
    QList<TSentText> requests;
    // Called for every request after it was recorded. A request that waits
    // for its answer keeps dispatching events inside the frame, so a test
    // answers it, as a host relays replies, from a queued call scheduled here
    // (Later) rather than after a WaitUntil, which returns only once the
    // frame's wait is over.
    std::function<void(const QString &)> onRequest;
    void Later(std::function<void()> action) { QTimer::singleShot(0, &parent, std::move(action)); }
    // Answers the first shelf request with an empty shelf.
    void AnswerShelfOnce()
    {
        onRequest = [this](const QString &s) {
            if (Code(s) == 2003 && WithCode(requests, 2003).size() == 1)
                Later([this] { mod->ReceiveMsg(QStringLiteral("{\"apiCode\":2004}")); });
        };
    }
    QList<TSentText> jobs;
    QElapsedTimer clock;

private:
    TWorkState StateNow() const { return mod->Frame() ? mod->Frame()->WorkState : wsIdle; }
};
