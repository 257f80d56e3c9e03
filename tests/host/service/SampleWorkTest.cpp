// The sample account's study history and assignments, and the assignment
// notice made from a user's stored assignments, read back through the
// module's own decoding of the details.

#include "ServiceTestSupport.h"

#include "AssignQueries.h"
#include "TeduAssignDetail.h"
#include "TeduLastAssignMent.h"

using namespace service_test;

namespace {

constexpr qint64 kSample = TLearningServiceSim::kSampleUid;
constexpr qint64 kTextbook = 1001;
constexpr qint64 kWordBook = 1002;

class SampleWorkTest : public ServiceTest
{
protected:
    TRequestIdentity Sample() const { return {kSample, 0}; }
    const TOutlineUnit &Unit(qint64 book, int index) { return m_sim.Catalog().Outline(book).units.at(index); }
    json ItemOfUnit(const json &reply, qint64 unitId)
    {
        for (const json &e : reply["items"])
            if (e["unitId"].get<qint64>() == unitId)
                return e;
        ADD_FAILURE() << "no item for unit " << unitId;
        return json::object();
    }
};

} // namespace

TEST_F(SampleWorkTest, WordBookCountsStudiedWordsOfTheAssignedUnits)
{
    TAssignDetails details;
    TNoFinishWordLists words;
    assignq::Decode(
        QString::fromStdString(Ask(Request::QueryAssignmentStatus(Sample(), kWordBook, QStringLiteral("W"))).dump()),
        details, words);
    const TOutlineUnit &first = Unit(kWordBook, 0);
    const TOutlineUnit &second = Unit(kWordBook, 1);
    bool finished = true;
    QString content;
    ASSERT_TRUE(assignq::IsUnit(details, int(first.id), finished, content));
    EXPECT_FALSE(finished);
    EXPECT_EQ(content, QStringLiteral("2/") + QString::number(first.wordIds.size()));
    ASSERT_TRUE(assignq::IsUnit(details, int(second.id), finished, content));
    EXPECT_EQ(content, QStringLiteral("0/") + QString::number(second.wordIds.size()));

    const auto left = assignq::NoFinishWords(words, assignq::AssignmentIdBy(details, int(first.id)));
    EXPECT_EQ(left->FunFinishWords.size(), first.wordIds.size() - 2);
    EXPECT_FALSE(left->isContain(int(first.wordIds[0])));
    EXPECT_FALSE(left->isContain(int(first.wordIds[1])));
    EXPECT_TRUE(left->isContain(int(first.wordIds.last())));
}

TEST_F(SampleWorkTest, NoticePushesTheUnitOfTheFirstUnfinishedAssignmentUntilItIsDone)
{
    const auto notice = m_sim.AssignmentNotice(kSample, kTextbook);
    ASSERT_TRUE(notice);
    const json n = json::parse(notice->toStdString());
    EXPECT_EQ(n["apiCode"].get<int>(), 10000);
    TeduLastAssignMent pushed;
    ASSERT_TRUE(pushed.SetJson(QString::fromStdString(n["content"].get<std::string>())));
    const TOutlineUnit &seventh = Unit(kTextbook, 6);
    EXPECT_EQ(pushed.courseType, QStringLiteral("L"));
    EXPECT_EQ(pushed.FirstUnitId(), seventh.id);
    EXPECT_EQ(pushed.Count(), 2);
    EXPECT_TRUE(pushed.HasLesson(seventh.lessons[0].id));
    EXPECT_TRUE(pushed.HasLesson(seventh.lessons[1].id));

    // The walk finds exactly the one lesson still to read.
    TAssignDetails details;
    TNoFinishWordLists words;
    assignq::Decode(
        QString::fromStdString(Ask(Request::QueryAssignmentStatus(Sample(), kTextbook, QStringLiteral("L"))).dump()),
        details, words);
    const TUnFinishedInfo lessons = assignq::UnfinishedLessons(details, int(seventh.id), &pushed);
    EXPECT_EQ(lessons.count, 1);
    EXPECT_EQ(lessons.firstId, int(seventh.lessons[1].id));

    // Reading it leaves nothing to push in this book.
    EXPECT_EQ(Ask(ScoreRequest(seventh.lessons[1].id, 75, kSample)).value("errorCode", -1), 0);
    EXPECT_FALSE(m_sim.AssignmentNotice(kSample, kTextbook));

    const auto words_notice = m_sim.AssignmentNotice(kSample, kWordBook);
    ASSERT_TRUE(words_notice);
    ASSERT_TRUE(
        pushed.SetJson(QString::fromStdString(json::parse(words_notice->toStdString())["content"].get<std::string>())));
    EXPECT_EQ(pushed.courseType, QStringLiteral("W"));
    EXPECT_EQ(pushed.FirstUnitId(), Unit(kWordBook, 0).id);
    EXPECT_FALSE(m_sim.AssignmentNotice(kSample, 999999));
}
