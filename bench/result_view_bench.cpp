// Cost of the passage result view: a passage result of 200 sentences of 12
// words each built into the sentence table (rows, scores, unfold buttons and
// the total), and every sentence unfolded into its word strips and folded
// again, once each. Goals: the table in under 100 ms, each unfold and each
// fold in under 10 ms.
//
// The view sits on a shown window of the frame's size, as on the result page.

#include "MyRectangle.h"
#include "StudyDisplayFrame.h"

#include "TLabel.h"

#include <QApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <algorithm>

namespace {

using nlohmann::ordered_json;

constexpr int kSentences = 200;
constexpr int kWords = 12;

QString PassageDocument()
{
    ordered_json details = ordered_json::array();
    for (int s = 0; s < kSentences; ++s) {
        ordered_json words = ordered_json::array();
        std::string text;
        for (int w = 0; w < kWords; ++w) {
            const std::string word = "word" + std::to_string((s * kWords + w) % 997);
            text += (w ? " " : "") + word;
            words.push_back({{"char", word}, {"score", 40 + (s * 7 + w * 13) % 61}});
        }
        details.push_back({{"text", text + "."}, {"score", 40 + (s * 11) % 61}, {"words", words}});
    }
    const ordered_json result = {{"overall", 76.5}, {"details", details}};
    const ordered_json doc = {{"parts", ordered_json::array({{{"result", result.dump()}}})},
                              {"audios", ordered_json::array()},
                              {"achiveType", "L"},
                              {"partcount", 1}};
    return QString::fromStdString(doc.dump());
}

struct Page
{
    Page()
    {
        window.resize(768, 543);
        window.show();
    }
    QWidget window;
};

void BM_PassageTableBuild(benchmark::State &state)
{
    Page page;
    auto *view = new TStudyDisplayFrame(&page.window, 768, 543);
    const QString doc = PassageDocument();
    for (auto _ : state) {
        view->DisplayPartScore(doc);
        QCoreApplication::sendPostedEvents();
    }
    if (view->FSentenceContent.size() != kSentences)
        state.SkipWithError("the table did not hold every sentence");
    state.counters["rows"] = static_cast<double>(view->FSentenceContent.size());
    delete view;
}

void BM_SentenceUnfoldFold(benchmark::State &state)
{
    Page page;
    auto *view = new TStudyDisplayFrame(&page.window, 768, 543);
    view->DisplayPartScore(PassageDocument());
    QCoreApplication::sendPostedEvents();
    double unfoldMax = 0, foldMax = 0, unfoldSum = 0, foldSum = 0;
    int n = 0;
    bool allUnfolded = true;
    for (auto _ : state) {
        TLabel *sentence = view->FSentenceContent[n % kSentences]->Text;
        QElapsedTimer t;
        t.start();
        view->SentenceTextClick(sentence);
        QCoreApplication::sendPostedEvents();
        const double unfold = t.nsecsElapsed() / 1e6;
        allUnfolded = allUnfolded && view->WordTables.size() == 2;
        t.restart();
        view->SentenceTextClick(sentence);
        QCoreApplication::sendPostedEvents();
        const double fold = t.nsecsElapsed() / 1e6;
        allUnfolded = allUnfolded && view->WordTables.isEmpty();
        unfoldMax = std::max(unfoldMax, unfold);
        foldMax = std::max(foldMax, fold);
        unfoldSum += unfold;
        foldSum += fold;
        ++n;
    }
    if (!allUnfolded)
        state.SkipWithError("a sentence did not unfold into two strips and fold back");
    state.counters["unfold_avg_ms"] = unfoldSum / std::max(n, 1);
    state.counters["unfold_max_ms"] = unfoldMax;
    state.counters["fold_avg_ms"] = foldSum / std::max(n, 1);
    state.counters["fold_max_ms"] = foldMax;
    delete view;
}

BENCHMARK(BM_PassageTableBuild)->Unit(benchmark::kMillisecond);
// One iteration per sentence: every sentence unfolded and folded once.
BENCHMARK(BM_SentenceUnfoldFold)->Iterations(kSentences)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
