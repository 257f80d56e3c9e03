// Grading one spoken sentence with the offline grader: the time per grading
// and the real-time factor (counter "rtf": grading time ÷ audio time; the
// target is at most 0.3 on one core). The sentence is spoken by espeak-ng
// into a temporary file when the benchmark starts.

#include "OfflineGrader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const std::string kText = "Please put the cup on the table and close the window before you go to bed tonight.";

grader::TAudio spokenSentence()
{
    const std::string path = (std::filesystem::temp_directory_path() / "grader_bench.wav").string();
    const std::string cmd = "espeak-ng -v en-us -w '" + path + "' '" + kText + "'";
    if (std::system(cmd.c_str()) != 0)
        return {};
    const auto audio = grader::ReadWav(path, 0);
    std::remove(path.c_str());
    return audio ? *audio : grader::TAudio{};
}

void BM_GradeSentence(benchmark::State &state)
{
    static grader::TOfflineGrader g;
    static const grader::TAudio audio = spokenSentence();
    if (audio.samples.empty()) {
        state.SkipWithError("espeak-ng could not speak the sentence");
        return;
    }
    const double seconds = static_cast<double>(audio.samples.size()) / grader::kSampleRate;
    for (auto _ : state)
        benchmark::DoNotOptimize(g.Grade(grader::TGradeMode::Sentence, kText, audio));
    state.counters["audio_s"] = seconds;
    state.counters["rtf"] = benchmark::Counter(seconds * static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_GradeSentence)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace

BENCHMARK_MAIN();
