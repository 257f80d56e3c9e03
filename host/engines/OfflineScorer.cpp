#include "OfflineScorer.h"

#include "OfflineGrader.h"

#include <memory>
#include <mutex>

namespace {

struct TSharedGrader
{
    std::mutex lock; // the decoder grades one recording at a time
    grader::TOfflineGrader grader;
};

grader::TGradeMode gradeModeOf(int mode)
{
    switch (mode) {
    case 0: return grader::TGradeMode::Word;
    case 2: return grader::TGradeMode::Passage;
    default: return grader::TGradeMode::Sentence;
    }
}

} // namespace

TGradeScorer MakeOfflineScorer()
{
    auto shared = std::make_shared<TSharedGrader>();
    return [shared](int mode, const QString &text, const QString &wavPath, int seconds) {
        const std::lock_guard<std::mutex> hold(shared->lock);
        return shared->grader.GradeFile(gradeModeOf(mode), text.toStdString(), wavPath.toStdString(),
                                        seconds > 0 ? seconds : 0);
    };
}
