// Time from a click on an own textbook tile to its course page with the unit
// rows on show, on loopback with the simulated learning service and the
// sample textbook already on disk: the package record request (2101), the
// package check and decode (a listing and a read of the book description
// by name, each), the page change and the page's queries (1145, 2029, 2129)
// answered by the service. Goal: under 300 ms.
//
// Run from the build's bin folder (the sample content is generated there).

#include "LearningServiceSim.h"
#include "StudyFrame.h"

#include "TBookIconFrame.h"
#include "TTabControl.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

class BenchLogin : public ILoginInfo
{
public:
    qint64 GetUid() override { return TLearningServiceSim::kSampleUid; }
    int GetUserType() override { return 1; }
    qint64 GetSchoolUserId() override { return 0; }
};

// Runs the event loop until `done` or 30 s; false on time-out.
bool RunUntil(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(30000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void BM_OpenSampleTextbook(benchmark::State &state)
{
    QTemporaryDir work;
    const QString served = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("content"));
    TLearningServiceSim sim;
    if (!sim.Start(served, work.filePath(QStringLiteral("state/service.db")),
                   work.filePath(QStringLiteral("service")))) {
        state.SkipWithError(("service: " + sim.Error()).toUtf8().constData());
        return;
    }
    const QString client = work.filePath(QStringLiteral("client/"));
    QDir().mkpath(client + QStringLiteral("data"));
    if (!QFile::copy(QDir(served).filePath(QStringLiteral("packages/happy_english_1.7z")),
                     client + QStringLiteral("data/happy_english_1.7z"))) {
        state.SkipWithError("sample textbook package missing (run from the build's bin folder)");
        return;
    }
    QWidget parent;
    parent.resize(TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight);
    QPointer<TStudyFrame> frame = new TStudyFrame(&parent);
    frame->SetMainPath(client);
    frame->SetLoginInfos(std::make_shared<BenchLogin>());
    frame->SetSendInfo([&sim](const QString &text) { sim.Request(text); });
    sim.SetReplySink([frame](const QString &reply) {
        if (frame)
            frame->GetMsg(reply);
    });
    frame->SetUserInfos(nullptr);
    if (!RunUntil([&] { return !frame->UserBooks.isEmpty() && frame->WorkState == wsIdle; })) {
        state.SkipWithError("the shelf never arrived");
        return;
    }
    for (auto _ : state) {
        frame->Button_ReturnMouseUp();
        RunUntil([&] { return frame->WorkState == wsIdle; });
        TBookIconFrame *tile = nullptr;
        for (TBookIconFrame *t : frame->UserBooks)
            if (t->LessonID() == 1001)
                tile = t;
        if (!tile) {
            state.SkipWithError("the sample textbook is not on the shelf");
            return;
        }
        QElapsedTimer clock;
        clock.start();
        frame->StudyMyCourseMouseUp(tile, Qt::LeftButton, 5, 5);
        const bool shown = RunUntil([&] {
            return frame->TabControl_Home->TabIndex() == pgBook && !frame->LessonDisplays.isEmpty()
                   && frame->WorkState == wsIdle;
        });
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        if (!shown) {
            state.SkipWithError("the course page never showed");
            return;
        }
    }
}
BENCHMARK(BM_OpenSampleTextbook)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
