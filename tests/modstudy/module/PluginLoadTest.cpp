// The study module loaded the way a host loads it: the plug-in file from the
// binary folder, its metadata, the plug-in interface and its factory (the
// class is also registered by name), the frame created and messages
// exchanged, then everything released and unloaded.

#include "ClassRegistry.h"
#include "IBaseMod.h"
#include "ModuleInfo.h"
#include "StudyModulePlugin.h"

#include "FakeAccount.h"
#include "FakeArchive.h"
#include "FakeAudioEngine.h"
#include "FakeCustomHint.h"
#include "FakeCustomMessage.h"
#include "FakeSoundEngine.h"
#include "ClockSpeed.h"
#include "WaitUntil.h"

#include <QJsonObject>
#include <QPluginLoader>
#include <QTimer>
#include <QWidget>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace {

int Code(const QString &text)
{
    const auto j = nlohmann::ordered_json::parse(text.toStdString(), nullptr, false);
    return j.is_object() && j.contains("apiCode") ? j["apiCode"].get<int>() : -1;
}

TEST(PluginLoad, HostLoadsCreatesTalksToAndUnloadsTheModule)
{
    ClockSpeed speed(50);
    QPluginLoader loader(QStringLiteral(STUDY_PLUGIN_FILE));
    // Qt keeps plug-ins in memory unless told otherwise; a host that unloads
    // its modules clears that hint.
    loader.setLoadHints(loader.loadHints() & ~QLibrary::PreventUnloadHint);
    const QJsonObject meta = loader.metaData().value(QStringLiteral("MetaData")).toObject();
    EXPECT_EQ(meta.value(QStringLiteral("description")).toString(), QStringLiteral("TStudyMod"));
    EXPECT_EQ(meta.value(QStringLiteral("contractVersion")).toInt(-1), kHostContractVersion);
    EXPECT_EQ(meta.value(QStringLiteral("version")).toString(), QString::fromLatin1(kStudyModuleVersionText));
    EXPECT_EQ(loader.metaData().value(QStringLiteral("IID")).toString(), QStringLiteral(IStudyModulePlugin_iid));

    EXPECT_FALSE(TClassRegistry::IsRegistered(QStringLiteral("TStudyMod")));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    ASSERT_NE(loader.instance(), nullptr);
    EXPECT_TRUE(TClassRegistry::IsRegistered(QStringLiteral("TStudyMod")));
    EXPECT_EQ(TClassRegistry::RegisteredNames().count(QStringLiteral("TStudyMod")), 1);

    QStringList jobs;
    QStringList requests;
    {
        auto *plugin = qobject_cast<IStudyModulePlugin *>(loader.instance());
        ASSERT_NE(plugin, nullptr);
        const TStudyModFactory factory = plugin->ModFactory();
        ASSERT_TRUE(factory);
        std::shared_ptr<IBaseMod> mod = factory();
        ASSERT_TRUE(mod);
        QWidget parent;
        parent.resize(1024, 635);
        mod->CreateFrame(&parent);
        mod->SetDoJob([&](const QString &s) { jobs << s; });
        // The host relays the shelf reply as it arrives from the service.
        mod->SetSendMsg([&](const QString &s) {
            requests << s;
            if (Code(s) == 2003)
                QTimer::singleShot(0, &parent, [&] { mod->ReceiveMsg(QStringLiteral("{\"apiCode\":2004}")); });
        });
        mod->SetArchivePackage(std::make_shared<FakeArchive>());
        mod->SetSoundEngine(std::make_shared<FakeSoundEngine>());
        mod->SetGradeEngine(std::make_shared<FakeAudioEngine>());
        mod->SetLoginInfos(std::make_shared<FakeLoginInfo>());
        mod->SetHintForm(std::make_shared<FakeCustomHint>());
        mod->SetMsgForm(std::make_shared<FakeCustomMessage>());
        mod->SetUserInfos(std::make_shared<FakeUserInfo>());

        ASSERT_EQ(jobs.size(), 1);
        EXPECT_EQ(Code(jobs[0]), 10007);
        ASSERT_TRUE(WaitUntil([&] { return !requests.isEmpty(); }, StatedMs{5000}));
        EXPECT_EQ(Code(requests[0]), 2003);

        mod->ReceiveMsg(QStringLiteral("{\"apiCode\":10003}"));
        ASSERT_TRUE(WaitUntil([&] { return jobs.size() > 1; }, StatedMs{2000}));
        EXPECT_EQ(Code(jobs.last()), 10004);
        EXPECT_FALSE(mod->GetCanClose());
        mod->DeleteFrame();
        EXPECT_TRUE(parent.children().isEmpty());
    }
    EXPECT_TRUE(loader.unload()) << loader.errorString().toStdString();
    EXPECT_FALSE(TClassRegistry::IsRegistered(QStringLiteral("TStudyMod")));
}

} // namespace
