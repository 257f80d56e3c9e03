// Assignments on the frame: the details reply, the reminder banner, the walk
// to a pushed assignment from the progress reply to passage reading, and
// opening the course of a pushed assignment from the shelf, on the twelve
// units of CourseFixture's book.

#include "CourseFixture.h"

#include "ClockSpeed.h"
#include "LogCapture.h"
#include "NoFinishWordList.h"

#include "ResourcePackageInfo.h"
#include "TeduLastAssignMent.h"

#include "TText.h"
#include "TVertScrollBox.h"

#include <QElapsedTimer>

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

    // Notice 10000 naming lessons of one unit (lesson 0 for a word unit).
    void Push(int unitId, std::initializer_list<int> lessons, const char *courseType = "L")
    {
        json entries = json::array();
        for (int lesson : lessons)
            entries.push_back({{"assignmentId", 7}, {"unitId", unitId}, {"lessonId", lesson}});
        const json content{{"courseType", courseType}, {"assignments", entries}};
        Receive({{"apiCode", 10000}, {"content", content.dump()}});
    }

    // Reply 1146 with details (unit, lesson, finishcount).
    void Details(std::initializer_list<std::tuple<int, int, int>> details)
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
};

} // namespace

TEST_F(AssignWalk, DetailsReplyFillsTheListsAndAsksForTheLessons)
{
    OpenBook();
    host.requests.clear();
    Receive(
        {{"apiCode", 1146},
         {"assignDetails", json::array({{{"assignmentid", 5}, {"unitid", 103}, {"lessonid", 1030}}})},
         {"assignWordss", json::array({{{"assignmentid", 5}, {"unFinishWords", json::array({{{"wordsid", 8}}})}}})}});
    ASSERT_EQ(F().AssignDetails.size(), 1u);
    EXPECT_EQ(F().GetAssignmentId(103, 1030), 5);
    EXPECT_EQ(F().GetNoFinishWordList(5)->FunFinishWords, QList<int>{8});
    const QList<TSentText> lessons = TestHost::WithCode(host.requests, 2029);
    ASSERT_EQ(lessons.size(), 1);
    const json q = json::parse(lessons[0].text.toStdString());
    EXPECT_EQ(q["queryType"], "single");
    EXPECT_EQ(q["lessonId"], 900);
    EXPECT_EQ(F().LessonQueryType(), QStringLiteral("book"));

    // The next reply replaces both lists, even without members.
    Receive({{"apiCode", 1146}});
    EXPECT_TRUE(F().AssignDetails.empty());
    EXPECT_TRUE(F().NoFinishWordList.empty());
}

TEST_F(AssignWalk, PushedSeventhUnitWithOneUnfinishedLessonWalksToPassageReading)
{
    ClockSpeed speed(20);
    OpenBook();
    Push(kSeventhUnit, {LessonId(kSeventhUnit, 0), LessonId(kSeventhUnit, 1)});
    ASSERT_TRUE(F().isAssignmentSkip);
    // The first lesson is done, the second is not.
    Details({{kSeventhUnit, LessonId(kSeventhUnit, 0), 1}, {kSeventhUnit, LessonId(kSeventhUnit, 1), 0}});
    Progress();

    // Page 2, its second row pressed.
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("2"));
    EXPECT_EQ(F().curselectUnitButtonIndex, 6);
    ASSERT_NE(F().UnitRow(1), nullptr);
    EXPECT_EQ(F().UnitRow(1)->CornerButton_Unit->Text(), QStringLiteral("No.7"));
    EXPECT_TRUE(F().UnitRow(1)->LessonPanelVisible());
    // The unfinished lesson selected, then passage reading started.
    EXPECT_EQ(F().curSelectLessonButtonIndex, 1);
    EXPECT_TRUE(F().isAssignment);
    EXPECT_TRUE(PassageStarted());
    EXPECT_FALSE(F().isAssignmentSkip);
}

TEST_F(AssignWalk, ComingBackFromTheOpenedAssignmentDoesNotWalkAgain)
{
    ClockSpeed speed(20);
    OpenBook();
    Push(kSeventhUnit, {LessonId(kSeventhUnit, 1)});
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

TEST_F(AssignWalk, TwoUnfinishedLessonsOnlyShowTheReminder)
{
    ClockSpeed speed(20);
    OpenBook();
    Push(kSeventhUnit, {LessonId(kSeventhUnit, 0), LessonId(kSeventhUnit, 1)});
    Details({{kSeventhUnit, LessonId(kSeventhUnit, 0), 0}, {kSeventhUnit, LessonId(kSeventhUnit, 1), 0}});
    Progress();

    // The one unfinished unit is pressed, no lesson is.
    EXPECT_EQ(F().curselectUnitButtonIndex, 6);
    EXPECT_TRUE(RemindShown());
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgBook);
    EXPECT_TRUE(F().curModeName.isEmpty());
    ASSERT_NE(F().UnitRow(1), nullptr);
    EXPECT_TRUE(F().UnitRow(1)->LessonPanelVisible());
    EXPECT_FALSE(F().UnitRow(1)->Rectangle_StudyMode->Visible());
    EXPECT_TRUE(F().isAssignmentSkip);
}

TEST_F(AssignWalk, SeveralUnfinishedUnitsShowTheFirstOnesPageWithoutPressing)
{
    ClockSpeed speed(20);
    OpenBook();
    Push(112, {LessonId(112, 0)});
    // Append a second pushed unit by a second entry.
    json entries = json::array({{{"assignmentId", 7}, {"unitId", 112}, {"lessonId", LessonId(112, 0)}},
                                {{"assignmentId", 7}, {"unitId", 111}, {"lessonId", LessonId(111, 0)}}});
    Receive({{"apiCode", 10000}, {"content", json{{"courseType", "L"}, {"assignments", entries}}.dump()}});
    Details({{112, LessonId(112, 0), 0}, {111, LessonId(111, 0), 0}, {103, LessonId(103, 0), 0}});
    Progress();
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("3"));
    EXPECT_EQ(F().curselectUnitButtonIndex, 0);
    EXPECT_TRUE(RemindShown());
    for (int r = 0; r < F().LessonDisplays.size(); ++r)
        EXPECT_FALSE(F().UnitRow(r)->LessonPanelVisible()) << r;
}

TEST_F(AssignWalk, PushedUnitWithNothingUnfinishedShowsTheLastSelectedUnitsPage)
{
    ClockSpeed speed(20);
    OpenBook();
    F().curselectUnitButtonIndex = 5;
    Push(kSeventhUnit, {LessonId(kSeventhUnit, 0)});
    Details({{kSeventhUnit, LessonId(kSeventhUnit, 0), 1}, {103, LessonId(103, 0), 0}});
    Progress();
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("2"));
    EXPECT_FALSE(F().Rectangle_Remind->Visible());
    EXPECT_EQ(F().curselectUnitButtonIndex, 5);
    for (int r = 0; r < F().LessonDisplays.size(); ++r)
        EXPECT_FALSE(F().UnitRow(r)->LessonPanelVisible()) << r;
}

TEST_F(AssignWalk, PushedUnitTheBookDoesNotHoldIsNotReplacedByTheFirstUnit)
{
    ClockSpeed speed(20);
    OpenBook();
    Push(555, {5550});
    Details({{555, 5550, 0}});
    Progress();
    EXPECT_EQ(F().Label_CurrentUnitPage->Text(), QStringLiteral("1"));
    for (int r = 0; r < F().LessonDisplays.size(); ++r)
        EXPECT_FALSE(F().UnitRow(r)->LessonPanelVisible()) << r;
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgBook);
}

TEST_F(AssignWalk, StopDuringTheFirstWaitEndsTheWalk)
{
    ClockSpeed speed(20);
    OpenBook();
    Push(kSeventhUnit, {LessonId(kSeventhUnit, 1)});
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

TEST_F(AssignWalk, WalkPausesBeforeEachOfItsThreePresses)
{
    ClockSpeed speed(10);
    OpenBook();
    Push(kSeventhUnit, {LessonId(kSeventhUnit, 1)});
    Details({{kSeventhUnit, LessonId(kSeventhUnit, 1), 0}});
    QElapsedTimer clock;
    clock.start();
    Progress();
    ASSERT_TRUE(PassageStarted());
    // 300 + 100 + 300 ms at ten times the speed.
    EXPECT_GE(clock.elapsed(), 70);
}

TEST_F(AssignWalk, WordBookUnitOpensTheWordDrill)
{
    ClockSpeed speed(20);
    OpenBook(true);
    Push(104, {0}, "W");
    Details({{104, 0, 0}});
    Progress();
    EXPECT_EQ(F().curselectUnitButtonIndex, 3);
    EXPECT_FALSE(F().Rectangle_Remind->Visible());
    EXPECT_EQ(F().TabControl_Home->TabIndex(), pgStudy);
    EXPECT_FALSE(F().isAssignmentSkip);
}

TEST_F(AssignWalk, CourseNotOwnedGivesTheMessageAndChangesNothing)
{
    LogCapture log;
    auto info = std::make_shared<TResourcePackageInfo>();
    info->FpackageTitle = QStringLiteral("Happy English Book 1");
    info->FlessonId = 1001;
    info->FcourseType = QStringLiteral("L");
    F().SetResourcePackageInfo(info);
    F().StartAssignment();
    EXPECT_TRUE(log.Lines().contains(
        QStringLiteral("info：StartAssignment:我的课程中没有'Happy English Book "
                       "1'这本书,请先在推荐课程里添加该课程至我的课程后在继续使用！"
                       ",ResourcePackageInfo.packageTitle:Happy English Book 1,ResourcePackageInfo.lessonId:1001")))
        << log.Lines().join(QLatin1Char('\n')).toStdString();
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
    // The own textbooks are the list on show.
    EXPECT_TRUE(F().VertScrollBox_MyBookText->Visible());
    EXPECT_FALSE(F().VertScrollBox_MyBookWord->Visible());

    // A word-book assignment shows the own word books.
    info->FcourseType = QStringLiteral("W");
    info->FpackageTitle = QStringLiteral("First Words");
    info->FpackageName = QStringLiteral("packages/book1002.7z");
    info->FlessonId = 1002;
    host.message->Clear();
    F().StartAssignment();
    EXPECT_EQ(F().curSelectBook, F().UserBooks.at(0));
    EXPECT_EQ(F().curSelectMyCourseIndex, 0);
    EXPECT_TRUE(F().VertScrollBox_MyBookWord->Visible());
    EXPECT_FALSE(F().VertScrollBox_MyBookText->Visible());

    // A second start while one runs does nothing.
    F().isAllowOperate = false;
    host.message->Clear();
    F().StartAssignment();
    EXPECT_TRUE(host.message->Questions().isEmpty());
    F().isAllowOperate = true;
}
