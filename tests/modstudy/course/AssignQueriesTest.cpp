// The questions asked of a course's assignment details, on hand-made detail
// lists, the decoding of the details reply, and the walk's decisions.

#include "AssignQueries.h"
#include "AssignWalkPlan.h"

#include "TeduAssignDetail.h"
#include "TeduLastAssignMent.h"

#include <gtest/gtest.h>

namespace {

struct TDetail
{
    int assignmentid = 0;
    int unitid = 0;
    int lessonid = 0;
    int finishcount = 0;
    QString finishwords;
};

TAssignDetails Details(std::initializer_list<TDetail> list)
{
    TAssignDetails out;
    for (const TDetail &d : list) {
        auto detail = std::make_unique<TeduAssignDetail>();
        detail->assignmentid = d.assignmentid;
        detail->unitid = d.unitid;
        detail->lessonid = d.lessonid;
        detail->finishcount = d.finishcount;
        detail->finishwords = d.finishwords;
        out.push_back(std::move(detail));
    }
    return out;
}

TeduLastAssignMent Pushed(std::initializer_list<std::pair<qint64, qint64>> unitAndLesson)
{
    TeduLastAssignMent pushed;
    for (const auto &[unit, lesson] : unitAndLesson)
        pushed.Items.append(TeduLastAssignItem{1, unit, lesson, QString()});
    return pushed;
}

} // namespace

TEST(AssignQueries, UnitCountTextIsTheLastUnfinishedOneOrElseTheEarliestMatch)
{
    bool finished = true;
    QString content;
    // An earlier unfinished and a later finished detail: unfinished, with the earlier count.
    EXPECT_TRUE(assignq::IsUnit(Details({{1, 7, 0, 0, "2/5"}, {2, 7, 0, 1, "5/5"}}), 7, finished, content));
    EXPECT_FALSE(finished);
    EXPECT_EQ(content, QStringLiteral("2/5"));
    // Two unfinished: the walk from the end stops at the later one.
    const TAssignDetails twoOpen = Details({{1, 3, 0, 0, "1/4"}, {2, 3, 0, 0, "3/4"}, {3, 4, 0, 0, "0/9"}});
    EXPECT_TRUE(assignq::IsUnit(twoOpen, 3, finished, content));
    EXPECT_FALSE(finished);
    EXPECT_EQ(content, QStringLiteral("3/4"));
    // All finished: every match is visited, the earliest one writes last.
    const TAssignDetails done = Details({{1, 3, 0, 1, "4/4"}, {2, 3, 0, 2, "6/6"}});
    EXPECT_TRUE(assignq::IsUnit(done, 3, finished, content));
    EXPECT_TRUE(finished);
    EXPECT_EQ(content, QStringLiteral("4/4"));
    // No match: false, finished, empty text (a previous text is cleared).
    EXPECT_FALSE(assignq::IsUnit(done, 9, finished, content));
    EXPECT_TRUE(finished);
    EXPECT_TRUE(content.isEmpty());
}

TEST(AssignQueries, LessonIsUnfinishedWhenAnyOfItsDetailsIs)
{
    const TAssignDetails details = Details({{1, 7, 70, 1}, {2, 7, 71, 1}, {3, 8, 70, 0}});
    bool finished = true;
    EXPECT_TRUE(assignq::IsLesson(details, 70, finished));
    EXPECT_FALSE(finished);
    EXPECT_TRUE(assignq::IsLesson(details, 71, finished));
    EXPECT_TRUE(finished);
    EXPECT_FALSE(assignq::IsLesson(details, 72, finished));
    EXPECT_TRUE(finished);
}

TEST(AssignQueries, AssignmentIdsTakeTheFirstExactOrTheLastUnitMatch)
{
    const TAssignDetails details = Details({{11, 7, 70, 0}, {12, 7, 70, 0}, {13, 7, 71, 1}, {14, 8, 80, 0}});
    EXPECT_EQ(assignq::AssignmentId(details, 7, 70), 11);
    EXPECT_EQ(assignq::AssignmentId(details, 7, 71), 13);
    EXPECT_EQ(assignq::AssignmentId(details, 8, 70), 0); // both ids must match
    EXPECT_EQ(assignq::AssignmentIdBy(details, 7), 13);
    EXPECT_EQ(assignq::AssignmentIdBy(details, 9), 0);
}

TEST(AssignQueries, UnfinishedUnitsCountDistinctUnitsAndGiveTheSmallest)
{
    // Three units, the first finished; unit 30 appears twice.
    const TAssignDetails details = Details({{1, 10, 0, 1}, {2, 30, 0, 0}, {3, 20, 0, 0}, {4, 30, 0, 0}});
    const TUnFinishedInfo all = assignq::UnfinishedUnits(details, nullptr);
    EXPECT_EQ(all.count, 2);
    EXPECT_EQ(all.firstId, 20);

    const TUnFinishedInfo none = assignq::UnfinishedUnits(Details({{1, 10, 0, 1}}), nullptr);
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.firstId, 0);
}

TEST(AssignQueries, PushedAssignmentRestrictsUnitsAndLessonsToItsEntries)
{
    const TAssignDetails details =
        Details({{1, 10, 100, 0}, {2, 20, 200, 0}, {3, 20, 201, 0}, {4, 20, 202, 1}, {5, 30, 300, 0}});
    // Entries for unit 20 (lessons 201 and 202) and unit 30.
    const TeduLastAssignMent pushed = Pushed({{20, 201}, {20, 202}, {30, 0}});
    const TUnFinishedInfo units = assignq::UnfinishedUnits(details, &pushed);
    EXPECT_EQ(units.count, 2);
    EXPECT_EQ(units.firstId, 20);
    // Lesson 200 is unfinished but not pushed; 202 is pushed but finished.
    const TUnFinishedInfo lessons = assignq::UnfinishedLessons(details, 20, &pushed);
    EXPECT_EQ(lessons.count, 1);
    EXPECT_EQ(lessons.firstId, 201);
    // A pushed unit without unfinished details gives nothing.
    const TeduLastAssignMent elsewhere = Pushed({{40, 400}});
    EXPECT_EQ(assignq::UnfinishedUnits(details, &elsewhere).count, 0);
    EXPECT_EQ(assignq::UnfinishedLessons(details, 20, nullptr).count, 0);
}

TEST(AssignQueries, PushedIdsCompareAsThirtyTwoBitIds)
{
    const TAssignDetails details = Details({{1, 5, 6, 0}});
    // 2^32 + 5 narrows to 5.
    const TeduLastAssignMent pushed = Pushed({{(qint64(1) << 32) + 5, (qint64(1) << 32) + 6}});
    EXPECT_EQ(assignq::UnfinishedUnits(details, &pushed).count, 1);
    EXPECT_EQ(assignq::UnfinishedLessons(details, 5, &pushed).firstId, 6);
}

TEST(AssignQueries, DecodeReadsBothListsAndReplacesThePreviousOnes)
{
    TAssignDetails details;
    TNoFinishWordLists words;
    assignq::Decode(QStringLiteral(R"({"apiCode":1146,"assignDetails":[
        {"areaid":3,"assigndetailid":41,"assignmentid":9,"assigntype":"W","finishcount":0,
         "lessonid":0,"title":"第一单元","unitid":77,"finishwords":"2/6"},
        "not a detail",
        {"assignmentid":"10","unitid":78,"finishcount":2}],
      "assignWordss":[{"assignmentid":9,"unFinishWords":[{"wordsid":501},{"wordsid":502}]},
                      {"assignmentid":10}]})"),
                    details, words);
    ASSERT_EQ(details.size(), 2u);
    EXPECT_EQ(details[0]->assigntype, QStringLiteral("W"));
    EXPECT_EQ(details[0]->unitid, 77);
    EXPECT_EQ(details[0]->finishwords, QStringLiteral("2/6"));
    EXPECT_EQ(details[1]->assignmentid, 10);
    EXPECT_EQ(details[1]->finishcount, 2);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0]->FunFinishWords, (QList<int>{501, 502}));
    EXPECT_EQ(words[1]->Fassignmentid, 10);
    EXPECT_TRUE(words[1]->FunFinishWords.isEmpty());

    // A reply without the members, or no JSON at all, leaves both empty.
    assignq::Decode(QStringLiteral(R"({"apiCode":1146})"), details, words);
    EXPECT_TRUE(details.empty());
    EXPECT_TRUE(words.empty());
    assignq::Decode(QStringLiteral(R"({"assignDetails":{"unitid":1},"assignWordss":"x"})"), details, words);
    EXPECT_TRUE(details.empty());
    EXPECT_TRUE(words.empty());
}

// The page step: one unfinished unit the book holds is pressed on its page;
// several show the first one's page, none or a unit the book does not hold
// the page of the unit selected last.
TEST(AssignWalkPlan, PageStepPressesOnlyASingleUnitTheBookHolds)
{
    using assignwalk::TRemind;
    const struct
    {
        int count, unitIndex;
        bool found;
        int selected;
        TRemind remind;
        int page, pressRow;
    } cases[] = {
        {1, 6, true, 0, TRemind::Show, 2, 1}, // the 7th unit: page 2, second row
        {1, 4, true, 0, TRemind::Show, 1, 4},   {1, 5, true, 0, TRemind::Show, 2, 0},
        {2, 11, true, 0, TRemind::Show, 3, -1}, {0, 0, false, 5, TRemind::Hide, 2, -1},
        {1, 0, false, 0, TRemind::Show, 1, -1},
    };
    for (const auto &c : cases) {
        const assignwalk::TUnitPagePlan plan =
            assignwalk::PlanUnitPage({70, c.count}, c.unitIndex, c.found, c.selected);
        EXPECT_EQ(plan.remind, c.remind) << c.count << " " << c.unitIndex;
        EXPECT_EQ(plan.page, c.page) << c.count << " " << c.unitIndex;
        EXPECT_EQ(plan.pressRow, c.pressRow) << c.count << " " << c.unitIndex;
    }
}

TEST(AssignWalkPlan, LessonStepPressesOnlyASingleLessonTheUnitHolds)
{
    EXPECT_EQ(assignwalk::PlanLesson({501, 1}, 2, true).pressLesson, 2);
    EXPECT_EQ(assignwalk::PlanLesson({501, 1}, 2, true).remind, assignwalk::TRemind::Show);
    EXPECT_EQ(assignwalk::PlanLesson({501, 2}, 2, true).pressLesson, -1);
    EXPECT_EQ(assignwalk::PlanLesson({501, 2}, 2, true).remind, assignwalk::TRemind::Show);
    EXPECT_EQ(assignwalk::PlanLesson({501, 1}, 0, false).pressLesson, -1);
    EXPECT_EQ(assignwalk::PlanLesson({0, 0}, 0, false).remind, assignwalk::TRemind::Hide);
    EXPECT_TRUE(assignwalk::StartsPassage(QStringLiteral("未完成")));
    EXPECT_FALSE(assignwalk::StartsPassage(QStringLiteral("已完成")));
    EXPECT_FALSE(assignwalk::StartsPassage(QString()));
}
