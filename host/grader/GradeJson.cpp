#include "GradeJson.h"

#include "PhoneSet.h"

#include <numeric>

using nlohmann::ordered_json;

namespace grader {

namespace {

std::string joinedText(const TUtterance &u)
{
    std::string out;
    for (const TWordEval &w : u.words) {
        if (!out.empty())
            out += ' ';
        out += w.text;
    }
    return out;
}

void putSentenceScores(ordered_json &result, const TSentenceScores &s)
{
    result["overall"] = Round1(s.overall);
    result["accuracy"] = Round1(s.accuracy);
    result["integrity"] = Round1(s.integrity);
    result["fluency"] = {{"overall", Round1(s.fluency)}};
}

} // namespace

ordered_json GradeResultJson(TGradeMode mode, const TCalibration &c, const TUtterance &u)
{
    std::vector<double> scores;
    scores.reserve(u.words.size());
    for (const TWordEval &w : u.words)
        scores.push_back(WordScore(c, w));
    std::vector<int> all(u.words.size());
    std::iota(all.begin(), all.end(), 0);

    ordered_json result = ordered_json::object();
    switch (mode) {
    case TGradeMode::Word: {
        double sum = 0;
        int gradable = 0;
        for (std::size_t i = 0; i < u.words.size(); ++i) {
            if (WordGradable(u.words[i])) {
                sum += scores[i];
                ++gradable;
            }
        }
        const double score = gradable == 0 ? 0.0 : sum / gradable;
        ordered_json phones = ordered_json::array();
        for (const TWordEval &w : u.words) {
            const bool read = WordRead(c, w);
            if (read) {
                for (const TPhoneEval &p : w.phones)
                    phones.push_back({{"char", ModulePhone(p.phone)}, {"score", Round1(PhoneScore(c, p))}});
            } else {
                for (const std::string &p : w.reference)
                    phones.push_back({{"char", ModulePhone(p)}, {"score", 0}});
            }
        }
        result["overall"] = Round1(score);
        result["details"] =
            ordered_json::array({{{"char", joinedText(u)}, {"score", Round1(score)}, {"phone", std::move(phones)}}});
        break;
    }
    case TGradeMode::Sentence: {
        putSentenceScores(result, SentenceScores(c, u, scores, all));
        ordered_json details = ordered_json::array();
        for (std::size_t i = 0; i < u.words.size(); ++i)
            details.push_back({{"char", u.words[i].text}, {"score", Round1(scores[i])}});
        result["details"] = std::move(details);
        break;
    }
    case TGradeMode::Passage: {
        putSentenceScores(result, SentenceScores(c, u, scores, all));
        ordered_json details = ordered_json::array();
        for (int s = 0; s < static_cast<int>(u.sentences.size()); ++s) {
            ordered_json words = ordered_json::array();
            std::vector<int> members;
            for (std::size_t i = 0; i < u.words.size(); ++i) {
                if (u.words[i].sentence != s)
                    continue;
                members.push_back(static_cast<int>(i));
                words.push_back({{"char", u.words[i].text}, {"score", Round1(scores[i])}});
            }
            const TSentenceScores ss = SentenceScores(c, u, scores, members);
            details.push_back({{"text", u.sentences[static_cast<std::size_t>(s)]},
                               {"score", Round1(ss.accuracy)},
                               {"words", std::move(words)}});
        }
        result["details"] = std::move(details);
        break;
    }
    }
    return result;
}

} // namespace grader
