#pragma once
// A frame on the test host with a small textbook decoded from a real package
// and its first lesson open on the course page, ready for the study modes.
//
// Unit 1, lesson 1 has two parts: "I like apples very much." (Tom, Man.png)
// and "Hello." (Amy, Woman.png), then the narration "Well... I think so."
// Lesson 2 has no parts. The module's main path is a folder of the test's
// own, so the model audio and recordings of parallel test programs do not
// meet.

#include "ClockSpeed.h"
#include "TestHost.h"
#include "TestMouse.h"
#include "WaitUntil.h"

#include "StudyPartFrame.h"
#include "StudyPlayFrame.h"
#include "StudyRepeatFrame.h"
#include "StudySentenceFrame.h"

#include "DataJsonKeys.h"
#include "PackBook.h"
#include "PackageMaker.h"
#include "TBookIconFrame.h"

#include "TLabel.h"
#include "TRectangle.h"
#include "TTabControl.h"
#include "TText.h"
#include "TTimer.h"

#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

class ModeFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        host.Start(false);
        F().SetMainPath(dir.path() + QLatin1Char('/'));
        using Json = nlohmann::ordered_json;
        namespace K = DataJson;
        const auto sentence = [](qint64 id, const char *text, const char *speaker, const char *picture) {
            return Json{{K::kSentenceId, id},
                        {K::kText, text},
                        {K::kSpeaker, speaker},
                        {K::kSpeakerPicture, picture},
                        {K::kAudio, QStringLiteral("a/%1.mp3").arg(id).toStdString()}};
        };
        const Json lesson1 = {
            {K::kLessonId, 111},
            {K::kLessonName, "Apples"},
            {K::kParts,
             Json::array(
                 {{{K::kPartId, 1},
                   {K::kSentences, Json::array({sentence(5001, "I like apples very much.", "Tom", "Man.png"),
                                                sentence(5002, "Hello.", "Amy", "Woman.png")})}},
                  {{K::kPartId, 2}, {K::kSentences, Json::array({sentence(5003, "Well... I think so.", "", "")})}}})}};
        const Json lesson2 = {{K::kLessonId, 112}, {K::kLessonName, "Empty"}, {K::kParts, Json::array()}};
        const Json book = {{K::kVersion, "1"},
                           {K::kBookId, 900},
                           {K::kBookName, "Mode Book"},
                           {K::kBookType, "lesson"},
                           {K::kUnits, Json::array({{{K::kUnitId, 101},
                                                     {K::kUnitName, "Unit 1"},
                                                     {K::kLessons, Json::array({lesson1, lesson2})}}})}};
        QList<TestEntry> entries{{QStringLiteral("data.json"), QByteArray::fromStdString(book.dump())}};
        for (int id : {5001, 5002, 5003})
            entries.append({QStringLiteral("a/%1.mp3").arg(id), NoiseBytes(400, id)});
        const QString package = dir.filePath(QStringLiteral("book.7z"));
        ASSERT_EQ(MakePackage(package, entries, PackageOptions{QString(), false, true}), QString());
        ASSERT_TRUE(F().PackBook->funcDecodeResourceFile(package)) << F().PackBook->DecodeError().toStdString();
        F().PackBook->SetMainPath(dir.path());

        tile.SetGoodsName(QStringLiteral("Mode Book"));
        tile.SetCourseType(QStringLiteral("U"));
        tile.SetLessonID(900);
        F().curSelectBook = &tile;
        F().curSelectBookType.clear();
        F().TabControl_Home->SetTabIndex(pgBook);
        F().curselectUnitButtonIndex = 0;
        F().curSelectLessonButtonIndex = 0;
        // Recordings end by the microphone as well as by the module's stop flag.
        host.sound->SetOnStopRecord([g = host.grade] { g->Interrupt(); });
    }

    TStudyFrame &F() { return *host.Frame(); }

    // Does `action` once, from a timer, as soon as `condition` holds. A
    // WaitUntil in the test's own flow returns only after the frame's wait it
    // runs into (a playback, a recording) has ended; this acts in the middle
    // of that wait, as a learner's click does.
    void When(std::function<bool()> condition, std::function<void()> action)
    {
        auto *timer = new QTimer(&host.parent);
        timer->setInterval(1);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, condition, action] {
            if (!condition())
                return;
            timer->stop();
            timer->deleteLater();
            action();
        });
        timer->start();
    }
    TStudySentenceFrame *Sentences() { return F().StudySentenceFrame; }

    // A lesson menu label with this name, pressed.
    void OpenMode(const QString &labelName)
    {
        TLabel label;
        label.SetName(labelName);
        F().RunHandler(QStringLiteral("StudyModeButtonUp"),
                       [&] { F().StudyModeButtonUp(&label, Qt::LeftButton, Qt::NoModifier, 1, 1); });
        ASSERT_TRUE(WaitSwitched());
    }
    // A tab of the study page, pressed.
    void PressTab(TText *tab)
    {
        ClickMiddle(tab);
        ASSERT_TRUE(WaitSwitched());
    }
    bool WaitSwitched()
    {
        return WaitUntil([&] { return !F().isStudyModeChange && !F().Timer_ChangeMode->Enabled(); }, StatedMs{5000});
    }
    bool WaitIdle(int ms = 20000)
    {
        return WaitUntil(
            [&] {
                return F().WorkState == wsIdle && !F().Timer_SentencePlay->Enabled()
                       && !F().Timer_SentenceRecord->Enabled() && !F().Timer_SentenceReplay->Enabled();
            },
            StatedMs{ms});
    }
    // Number of views of each kind on the study page.
    int Views() const
    {
        return host.Frame()->Rectangle_StudyCenterBackground->findChildren<TFrame *>(Qt::FindDirectChildrenOnly).size();
    }
    QList<TSentText> Scores() const { return TestHost::WithCode(host.requests, 41); }

    static QString SentenceResult(double overall)
    {
        return QStringLiteral(R"({"result":{"overall":%1,"accuracy":80,"integrity":90,"fluency":{"overall":70},)"
                              R"("details":[{"char":"I","score":90}]}})")
            .arg(overall);
    }

    ClockSpeed fast{10};
    QTemporaryDir dir;
    TBookIconFrame tile; // the open book's shelf tile (outlives the frame)
    TestHost host;
};
