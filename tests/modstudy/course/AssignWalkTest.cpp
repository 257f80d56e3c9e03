// Assignments on the frame: the details reply, the reminder banner, the walk
// to a pushed assignment from the progress reply to passage reading, and
// opening the course of a pushed assignment from the shelf, on the twelve
// units of CourseFixture's book.

#include "CourseFixture.h"

#include "ClockSpeed.h"

#include "ResourcePackageInfo.h"
#include "TeduLastAssignMent.h"

#include "TText.h"
#include "TVertScrollBox.h"

#include <tuple>
#include <vector>

using json = nlohmann::ordered_json;

namespace {

constexpr int kSeventhUnit = 107;

int LessonId(int unit, int j)
{
    return 1000 + 10 * (unit - 100) + j;
}

class AssignWalk : public CourseFixture
{
protected:
    void SetUp() override
    {
        CourseFixture::SetUp();
        host.login->SetUserType(1);
    }
    void OpenBook(bool wordBook = false) { CourseFixture::OpenBook(12, wordBook); }

    void Receive(const json &msg) { host.mod->ReceiveMsg(QString::fromStdString(msg.dump())); }

    // Notice 10000 naming lessons (unit, lesson; lesson 0 for a word unit).
    void Push(const std::vector<std::pair<int, int>> &lessons, bool wordBook = false)
    {
        json entries = json::array();
        for (const auto &[unit, lesson] : lessons)
            entries.push_back({{"assignmentId", 7}, {"unitId", unit}, {"lessonId", lesson}});
        const json content{{"courseType", wordBook ? "W" : "L"}, {"assignments", entries}};
        Receive({{"apiCode", 10000}, {"content", content.dump()}});
    }

    // Reply 1146 with details (unit, lesson, finishcount).
    void Details(const std::vector<std::tuple<int, int, int>> &details)
    {
        json list = json::array();
        for (const auto &[unit, lesson, finish] : details)
            list.push_back({{"assignmentid", 7},
                            {"unitid", unit},
                            {"lessonid", lesson},
                            {"finishcount", finish},
                            {"finishwords", "0/5"}});
        Receive({{"apiCode", 1146}, {"errorCode", 0}, {"assignDetails", list}, {"assignWordss", json::array()}});
    }

    // The progress reply (no items: the walk needs none).
    void Progress() { CourseFixture::Progress(json::array()); }

    bool RemindShown() const
    {
        return host.Frame()->Rectangle_Remind->Visible()
               && host.Frame()->Label_Remind->Text() == QStringLiteral("您有作业未完成 , 请尽快完成哦");
    }
    bool PassageStarted() const
    {
        return host.Frame()->TabControl_Home->TabIndex() == pgStudy
               && host.Frame()->curModeName == QStringLiteral("Rectangle_Part")
               && host.Frame()->Text_TabPart->Tag() == 1;
    }
    // The book open, the assignment pushed, its details and the progress reply.
    void Walk(const std::vector<std::pair<int, int>> &pushed, const std::vector<std::tuple<int, int, int>> &details,
              bool wordBook = false)
    {
        OpenBook(wordBook);
        Push(pushed, wordBook);
        ASSERT_TRUE(F().isAssignmentSkip);
        Details(details);
        Progress();
    }
    // The unit page shown, the selected unit and the row whose lesson panel is open (-1: none).
    void ExpectUnitPage(const QString &page, int selected, int openRow)
    {
        EXPECT_EQ(F().Label_CurrentUnitPage->Text(), page);
        EXPECT_EQ(F().curselectUnitButtonIndex, selected);
        for (int r = 0; r < F().LessonDisplays.size(); ++r)
            EXPECT_EQ(F().UnitRow(r)->LessonPanelVisible(), r == openRow) << r;
    }
    ClockSpeed speed{20};
};

} // namespace

// (Decoding the reply and replacing the lists are the query tests'.)
TEST_F(AssignWalk, DetailsReplyFillsTheListsAndAsksForTheLessons)
{
    OpenBook();
    host.requests.clear();
    Receive({{"apiCode", 1146},
             {"assignDetails", json::array({{{"assignmentid", 5}, {"unitid", 103}, {"lessonid", 1030}}})}});
    EXPECT_EQ(F().GetAssignmentId(103, 1030), 5);
    const QList<TSentText> lessons = TestHost::WithCode(host.requests, 2029);
    ASSERT_EQ(lessons.size(), 1);
    const json q = json::parse(lessons[0].text.toStdString());
    EXPECT_EQ(q["queryType"], "single");
    EXPECT_EQ(q["lessonId"], 900);
}

// The seventh unit (page 2, second row) with its second lesson unfinished:
// the unit and the lesson are pressed and passage reading starts.
TEST_F(AssignWalk, OneUnfinishedLessonOfThePushedUnitIsOpenedForPassageReading)
{
    Walk({{107, 1070}, {107, 1071}}, {{107, 1070, 1}, {107, 1071, 0}});
    ExpectUnitPage(QStringLiteral("2"), 6, 1);
    EXPECT_EQ(F().UnitRow(1)->CornerButton_Unit->Text(), QStringLiteral("No.7"));
    EXPECT_EQ(F().curSelectLessonButtonIndex, 1);
    EXPECT_TRUE(F().isAssignment);
    EXPECT_TRUE(PassageStarted());
    EXPECT_FALSE(F().isAssignmentSkip);
}

TEST_F(AssignWalk, TwoUnfinishedLessonsPressOnlyTheUnitAndShowTheReminder)
{
    Walk({{107, 1070}, {107, 1071}}, {{107, 1070, 0}, {107, 1071, 0}});
    ExpectUnitPage(QStringLiteral("2"), 6, 1);
    EXPECT_TRUE(RemindShown());
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_FALSE(F().UnitRow(1)->Rectangle_StudyMode->Visible());
    EXPECT_TRUE(F().isAssignmentSkip);
}

TEST_F(AssignWalk, WordBookUnitOpensTheWordDrill)
{
    Walk({{104, 0}}, {{104, 0, 0}}, true);
    EXPECT_EQ(F().curselectUnitButtonIndex, 3);
    EXPECT_FALSE(F().Rectangle_Remind->Visible());
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgStudy);
    EXPECT_FALSE(F().isAssignmentSkip);
}

TEST_F(AssignWalk, TheWalkDoesNotRunAgainOnTheWayBack)
{
    OpenBook();
    Push({{kSeventhUnit, LessonId(kSeventhUnit, 1)}});
    Details({{kSeventhUnit, LessonId(kSeventhUnit, 1), 0}});
    Progress();
    ASSERT_TRUE(PassageStarted());

    // Back on the course page the lesson is still unfinished: the reminder
    // shows and the learner's unit page is shown, nothing is pressed.
    F().curModeName.clear();
    F().isStudyModeReturn = true;
    F().TabControl_Home->SetTabIndex(pgBook);
    Details({{kSeventhUnit, LessonId(kSeventhUnit, 1), 0}});
    Progress();
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_TRUE(F().curModeName.isEmpty());
    EXPECT_TRUE(RemindShown());
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("2"));
}

TEST_F(AssignWalk, StopDuringTheFirstWaitEndsTheWalk)
{
    OpenBook();
    Push({{kSeventhUnit, LessonId(kSeventhUnit, 1)}});
    Details({{kSeventhUnit, LessonId(kSeventhUnit, 1), 0}});
    // The stop arrives while the walk waits before pressing the unit.
    host.Later([this] { F().bStop = true; });
    Progress();
    EXPECT_EQ(F().curselectUnitButtonIndex, 0);
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    for (int r = 0; r < F().LessonDisplays.size(); ++r)
        EXPECT_FALSE(F().UnitRow(r)->LessonPanelVisible()) << r;
    F().bStop = false;
}

TEST_F(AssignWalk, CourseNotOwnedGivesTheMessageAndChangesNothing)
{
    auto info = std::make_shared<TResourcePackageInfo>();
    info->FpackageTitle = QStringLiteral("Happy English Book 1");
    info->FlessonId = 1001;
    info->FcourseType = QStringLiteral("L");
    F().SetResourcePackageInfo(info);
    F().StartAssignment();
    EXPECT_EQ(host.message->Infos(),
              QStringList{QStringLiteral(
                  "我的课程中没有'Happy English Book 1'这本书,请先在课外推荐里添加该课程至我的课程后在继续使用")});
    EXPECT_EQ(F().curSelectBook, nullptr);
    EXPECT_TRUE(F().isAllowOperate);
    EXPECT_TRUE(host.message->Questions().isEmpty());
}

TEST_F(AssignWalk, OwnedCourseIsSelectedAndItsPackageChecked)
{
    auto info = std::make_shared<TResourcePackageInfo>();
    info->FpackageTitle = QStringLiteral("Happy English Book 1");
    info->FpackageName = QStringLiteral("packages/book1001.7z");
    info->FlessonId = 1001;
    info->FcourseType = QStringLiteral("L");
    F().SetResourcePackageInfo(info);
    // Two own books; the second is the assigned one (name compared ignoring case).
    for (const auto &[name, id] :
         {std::pair{QStringLiteral("First Words"), 1002}, std::pair{QStringLiteral("happy english book 1"), 1001}}) {
        auto *book = new TBookIconFrame(&host.parent);
        book->SetGoodsName(name);
        book->SetLessonName(name);
        book->SetLessonID(id);
        book->SetCourseType(QStringLiteral("U"));
        book->SetUrl(QStringLiteral("http://127.0.0.1:1/packages/book%1.7z").arg(id));
        F().UserBooks.append(book);
    }
    F().isAllowOperate = true;
    F().StartAssignment();
    EXPECT_EQ(F().curSelectBook, F().UserBooks.at(1));
    EXPECT_EQ(F().curSelectMyCourseIndex, 1);
    EXPECT_EQ(F().curSelectBookType, QStringLiteral("mycourse"));
    EXPECT_TRUE(F().isAllowOperate);
    // The package is missing: the download question of the course, answered No.
    ASSERT_EQ(host.message->Questions().size(), 1);
    EXPECT_TRUE(host.message->Questions()[0].text.contains(QStringLiteral("的资源包不存在,是否下载？")));

    // A word-book assignment shows the own word books.
    info->FcourseType = QStringLiteral("W");
    info->FpackageTitle = QStringLiteral("First Words");
    info->FpackageName = QStringLiteral("packages/book1002.7z");
    info->FlessonId = 1002;
    host.message->Clear();
    F().StartAssignment();
    EXPECT_EQ(F().curSelectBook, F().UserBooks.at(0));
    EXPECT_TRUE(F().VertScrollBox_MyBookWord->Visible());
    EXPECT_FALSE(F().VertScrollBox_MyBookText->Visible());
}
