// Scores, word results and what the simulator derives from them: medals,
// best scores, unit progress, assignments and the score history; all kept
// across a restart.

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
    // The first unit of a book, from the lesson list reply.
    json FirstUnit(qint64 bookId)
    {
        const json lessons = Ask(Request::QueryLesson(Learner(), QStringLiteral("single"), bookId));
        EXPECT_FALSE(lessons["items"].empty());
        return lessons["items"].empty() ? json::object() : lessons["items"][0];
    }
};

TEST_F(ServiceRecordsTest, ScoreIsStoredAndAnsweredWithMedalPointsAndAchievement)
{
    struct TCase
    {
        double score;
        const char *medal;
        int coins;
    };
    const TCase cases[] = {{85, "金奖章", 3}, {84.9, "银奖章", 2}, {75, "银奖章", 2}, {74.5, "铜奖章", 1},
                           {65, "铜奖章", 1}, {64.9, "", 0},       {31, "", 0}};
    qint64 lastAchievement = 0;
    for (const TCase &c : cases) {
        const json r = SubmitScore(1001011, c.score);
        SCOPED_TRACE(r.dump());
        ASSERT_EQ(r.value("apiCode", 0), 42);
        EXPECT_EQ(r.value("errorCode", -1), 0);
        EXPECT_EQ(r["medalName"].get<std::string>(), c.medal) << c.score;
        EXPECT_EQ(r["eMoneys"].get<int>(), c.coins) << c.score;
        EXPECT_EQ(r["point"].get<qint64>(), std::lround(c.score / 10));
        EXPECT_GT(r["achivementId"].get<qint64>(), lastAchievement) << "a new achievement per score";
        lastAchievement = r["achivementId"].get<qint64>();
    }
    const auto stored = m_sim.State().Scores(kUid);
    ASSERT_EQ(stored.size(), qsizetype(std::size(cases)));
    EXPECT_EQ(stored.front().lessonId, 1001011);
    EXPECT_EQ(stored.front().pointCaseType, 5);

    // The best of them answers the assignment's best-score query.
    const json best = Ask(Request::QueryAssignmentMaxScore(Learner(), 1, 1001011));
    ASSERT_EQ(best["items"].size(), 1u);
    EXPECT_DOUBLE_EQ(best["items"][0]["score"].get<double>(), 85);
    EXPECT_TRUE(Ask(Request::QueryAssignmentMaxScore(Learner(), 1, 1001012))["items"].empty());
}

TEST_F(ServiceRecordsTest, LessonProgressFollowsStoredScores)
{
    const json unit = FirstUnit(1001);
    ASSERT_GE(unit["lessons"].size(), 2u);
    const qint64 unitId = unit["unitId"].get<qint64>();
    const qint64 l1 = unit["lessons"][0]["lessonId"].get<qint64>();
    const qint64 l2 = unit["lessons"][1]["lessonId"].get<qint64>();

    auto progressOf = [&](qint64 id) {
        const json reply = Ask(Request::QueryFinishLesson(Learner(), 1001));
        for (const json &e : reply["items"])
            if (e["unitId"].get<qint64>() == id)
                return e;
        return json();
    };
    json p = progressOf(unitId);
    ASSERT_TRUE(p.is_object());
    EXPECT_EQ(p["lessonCount"].get<size_t>(), unit["lessons"].size());
    EXPECT_EQ(p["completeCount"].get<int>(), 0);

    SubmitScore(l1, 60);
    SubmitScore(l1, 80); // the best of a lesson counts
    SubmitScore(l2, 71);
    p = progressOf(unitId);
    EXPECT_EQ(p["completeCount"].get<int>(), 2);
    EXPECT_DOUBLE_EQ(p["avgScore"].get<double>(), 75.5);
    // Other units are untouched.
    const json all = Ask(Request::QueryFinishLesson(Learner(), 1001));
    for (const json &e : all["items"]) {
        if (e["unitId"].get<qint64>() != unitId) {
            EXPECT_EQ(e["completeCount"].get<int>(), 0);
        }
    }
}

TEST_F(ServiceRecordsTest, WordResultsDriveWordProgressAndWordAssignments)
{
    const json assignments = Ask(Request::QueryAssignmentStatus(Learner(), 1002, QStringLiteral("W")));
    ASSERT_EQ(assignments["assignDetails"].size(), 1u);
    ASSERT_EQ(assignments["assignWordss"].size(), 1u);
    const json &detail = assignments["assignDetails"][0];
    const json unfinished = assignments["assignWordss"][0]["unFinishWords"];
    ASSERT_GE(unfinished.size(), 2u);
    EXPECT_EQ(detail["finishcount"].get<int>(), 0);
    EXPECT_EQ(detail["finishwords"].get<std::string>(), "0/" + std::to_string(unfinished.size()));
    EXPECT_EQ(assignments["assignWordss"][0]["assignmentid"], detail["assignmentid"]);

    const qint64 w1 = unfinished[0]["wordsid"].get<qint64>();
    EXPECT_EQ(Ask(Request::SingleWordResult(Learner(), w1, 90, QStringLiteral("{}"))).value("errorCode", -1), 0);
    EXPECT_EQ(Ask(Request::SingleWordResult(Learner(), w1, 50, QStringLiteral("{}"))).value("errorCode", -1), 0);

    const json after = Ask(Request::QueryAssignmentStatus(Learner(), 1002, QStringLiteral("W")));
    EXPECT_EQ(after["assignWordss"][0]["unFinishWords"].size(), unfinished.size() - 1);
    EXPECT_EQ(after["assignDetails"][0]["finishwords"].get<std::string>(), "1/" + std::to_string(unfinished.size()));

    const json progress = Ask(Request::QueryWordFinish(Learner(), 1002));
    int studied = 0;
    for (const json &e : progress["items"]) {
        studied += e["completeCount"].get<int>();
        if (e["unitId"] == detail["unitid"]) {
            EXPECT_EQ(e["completeCount"].get<int>(), 1);
            EXPECT_EQ(e["wordsCount"].get<size_t>(), unfinished.size());
            EXPECT_DOUBLE_EQ(e["avgScore"].get<double>(), 90) << "the best result of a word counts";
        }
    }
    EXPECT_EQ(studied, 1);

    // Finishing every word finishes the assignment.
    for (const json &w : unfinished)
        Ask(Request::SingleWordResult(Learner(), w["wordsid"].get<qint64>(), 70, QStringLiteral("{}")));
    const json done = Ask(Request::QueryAssignmentStatus(Learner(), 1002, QStringLiteral("W")));
    EXPECT_EQ(done["assignDetails"][0]["finishcount"].get<int>(), 1);
    EXPECT_TRUE(done["assignWordss"][0]["unFinishWords"].empty());
}

TEST_F(ServiceRecordsTest, HistoryPagesByDateRangeAllOrBest)
{
    const json unit = FirstUnit(1001);
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

TEST_F(ServiceRecordsTest, PackageRecordOfAnAssignmentUnitNamesItsBook)
{
    for (const qint64 bookId : {qint64(1001), qint64(1002)}) {
        const json units = Ask(Request::QueryLesson(Learner(), QStringLiteral("list"), bookId))["items"];
        ASSERT_GE(units.size(), 2u);
        const qint64 unitId = units[1]["unitId"].get<qint64>();
        const json r = Ask(Request::QueryPackageVersion(Learner(), unitId, QStringLiteral("L"), true));
        ASSERT_EQ(r["items"].size(), 1u) << r.dump();
        EXPECT_EQ(r["items"][0]["lessonId"].get<qint64>(), bookId);
        const json same = Ask(Request::QueryPackageVersion(Learner(), bookId, QStringLiteral("L"), false));
        EXPECT_EQ(same["items"], r["items"]);
    }
    const json none = Ask(Request::QueryPackageVersion(Learner(), 987654, QStringLiteral("L"), true));
    EXPECT_EQ(none.value("apiCode", 0), 2102);
    EXPECT_GT(none.value("errorCode", 0), 0);
}

TEST_F(ServiceRecordsTest, StateOutlivesTheSimulator)
{
    SubmitScore(1001011, 77);
    Ask(Request::QueryPackageVersion(Learner(), 1003, QStringLiteral("X"), false));
    {
        TLearningServiceSim again;
        ASSERT_TRUE(again.Start(ServedFolder(), m_dir.filePath(QStringLiteral("state/service.db")),
                                m_dir.filePath(QStringLiteral("work2"))));
        ASSERT_EQ(again.State().Scores(kUid).size(), 1);
        const json shelf = json::parse(again.Answer(Request::QueryALLBooks(Learner())).first().toStdString());
        EXPECT_EQ(shelf["userBooksRequently"][0]["lessonId"].get<qint64>(), 1003);
        // The learner is not seeded a second time: one assignment per book.
        const json a = json::parse(
            again.Answer(Request::QueryAssignmentStatus(Learner(), 1001, QStringLiteral("L"))).first().toStdString());
        EXPECT_EQ(a["assignDetails"].size(), 1u);
    }
}

} // namespace
