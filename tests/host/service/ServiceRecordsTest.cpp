// The score history the simulator derives from stored scores: its date
// range, paging and best-only rows. The rest of what it derives from scores
// is shown by the scenarios (passage_reading, sentence_practice).

#include "ServiceTestSupport.h"

#include <QDateTime>

using namespace service_test;

namespace {

class ServiceRecordsTest : public ServiceTest
{
protected:
    json SubmitScore(qint64 lessonId, double value, int type = 5, qint64 sentenceId = 0)
    {
        return Ask(ScoreRequest(lessonId, value, kUid, type, sentenceId));
    }
    void At(const char *time)
    {
        m_sim.SetNow(QDateTime::fromString(QString::fromLatin1(time), QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
};

TEST_F(ServiceRecordsTest, HistoryPagesByDateRangeAllOrBest)
{
    // The first unit of the textbook, from the lesson list reply.
    const json unit = Ask(Request::QueryLesson(Learner(), QStringLiteral("single"), 1001))["items"][0];
    const qint64 l1 = unit["lessons"][0]["lessonId"].get<qint64>();
    At("2024-05-01 10:00:00");
    SubmitScore(l1, 60);
    At("2024-05-02 10:00:00");
    SubmitScore(l1, 90);
    At("2024-05-03 10:00:00");
    SubmitScore(l1, 70);
    At("2024-05-03 11:00:00");
    SubmitScore(l1, 50, 2, 10010001);
    At("2024-06-01 10:00:00");
    SubmitScore(l1, 99);

    auto page = [&](bool best, int size, int num, const char *from = "2024-05-01 00:00:00",
                    const char *to = "2024-05-31 23:59:59") {
        return Ask(
            Request::StudyQueryScore(Learner(), QString::fromLatin1(from), QString::fromLatin1(to), best, size, num));
    };
    json all = page(false, 3, 1);
    EXPECT_EQ(all["total"].get<int>(), 4) << "the June score is outside the range";
    ASSERT_EQ(all["items"].size(), 3u);
    EXPECT_EQ(all["items"][0]["lastTime"].get<std::string>(), "2024-05-03 11:00:00") << "newest first";
    EXPECT_EQ(all["items"][0]["pointCaseType"].get<int>(), 2);
    EXPECT_EQ(all["items"][1]["lastTime"].get<std::string>(), "2024-05-03 10:00:00");
    EXPECT_EQ(all["items"][0]["bookName"].get<std::string>(), "Happy English Book 1");
    EXPECT_EQ(all["items"][0]["unitName"], unit["unitName"]);
    EXPECT_EQ(all["items"][0]["lessonName"], unit["lessons"][0]["lessonName"]);

    json second = page(false, 3, 2);
    EXPECT_EQ(second["total"].get<int>(), 4);
    ASSERT_EQ(second["items"].size(), 1u);
    EXPECT_DOUBLE_EQ(second["items"][0]["score"].get<double>(), 60);
    EXPECT_TRUE(page(false, 3, 3)["items"].empty());

    // Best only: one row per item (the passage and the sentence), its best.
    json best = page(true, 10, 1);
    EXPECT_EQ(best["total"].get<int>(), 2);
    ASSERT_EQ(best["items"].size(), 2u);
    double passageBest = 0;
    for (const json &e : best["items"])
        if (e["pointCaseType"].get<int>() == 5)
            passageBest = e["score"].get<double>();
    EXPECT_DOUBLE_EQ(passageBest, 90);

    // The end of the range is inclusive to the second.
    EXPECT_EQ(page(false, 10, 1, "2024-05-02 10:00:00", "2024-05-02 10:00:00")["total"].get<int>(), 1);
}

} // namespace
