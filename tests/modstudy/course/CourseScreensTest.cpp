// Pictures of the course page of a textbook and of a word book, each with a
// unit pressed and its lesson panel or word menu open, written to /tmp for a
// look; the pressed row's panel must be drawn where it belongs.

#include "CourseFixture.h"

#include "Render.h"
#include "TVertScrollBox.h"

#include <QImage>

namespace {

class CourseScreens : public CourseFixture
{
protected:
    // The colour at a point of the rendered frame, given in the coordinates
    // of a control on it.
    static QColor At(const QImage &image, QWidget *frame, QWidget *control, QPoint local)
    {
        return image.pixelColor(control->mapTo(frame, local));
    }
};

TEST_F(CourseScreens, TextbookWithALessonPanelOpen)
{
    host.archive->SetPictureColor(QColor(0x4C, 0x9E, 0xE8));
    OpenBook(12, false);
    host.login->SetUserType(1);
    AddDetail(1, 102, 1020, 0);
    AddDetail(1, 101, 1010, 1);
    F().PackBook->Units[1].Lessons[1].Name =
        QStringLiteral("A rather long lesson title that wraps onto a second line of the panel");
    Progress(nlohmann::ordered_json::array({
        {{"unitId", 101}, {"completeCount", 3}, {"avgScore", 88.5}, {"lessonCount", 3}},
        {{"unitId", 102}, {"completeCount", 1}, {"avgScore", 72.25}, {"lessonCount", 3}},
    }));
    PressUnit(1);
    PressLesson(1, 0);
    const QString path = QStringLiteral("/tmp/course_textbook.png");
    ASSERT_TRUE(RenderToPng(&F(), path));
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight));

    TLessonDisplayFrame *row = F().UnitRow(1);
    // Inside the panel: white; its selected lesson: orange.
    EXPECT_EQ(At(image, &F(), row->Rectangle_LessonBack, QPoint(6, 430)), QColor(Qt::white));
    TRectangle *selected = row->FRectangleLesson[0];
    EXPECT_EQ(At(image, &F(), selected, QPoint(8, int(selected->Height() / 2))).rgb(), QColor(0xFF, 0xA4, 0x17).rgb());
    // The panel's top lies at the top of the unit list.
    EXPECT_EQ(row->Rectangle_LessonBack->mapTo(&F(), QPoint(0, 0)).y(),
              F().VertScrollBox_Unit->Content()->mapTo(&F(), QPoint(0, 0)).y());
}

TEST_F(CourseScreens, WordBookWithTheWordMenuOpen)
{
    host.archive->SetPictureColor(QColor(0x4C, 0x9E, 0xE8));
    OpenBook(7, true);
    host.login->SetUserType(1);
    AddDetail(31, 101, 0, 0, QStringLiteral("3/5"));
    AddDetail(32, 103, 0, 1, QStringLiteral("5/5"));
    Progress(nlohmann::ordered_json::array({
        {{"unitId", 101}, {"completeCount", 3}, {"avgScore", 75}, {"wordsCount", 5}},
        {{"unitId", 103}, {"completeCount", 5}, {"avgScore", 91}, {"wordsCount", 5}},
    }));
    PressUnit(0);
    const QString path = QStringLiteral("/tmp/course_wordbook.png");
    ASSERT_TRUE(RenderToPng(&F(), path));
    const QImage image(path);
    TLessonDisplayFrame *row = F().UnitRow(0);
    ASSERT_TRUE(row->Rectangle_WordStudyMode->isVisibleTo(&F()));
    // The menu is on top of its row's title bar and inside the frame.
    const QRect menu(row->Rectangle_WordStudyMode->mapTo(&F(), QPoint(0, 0)), row->Rectangle_WordStudyMode->size());
    EXPECT_TRUE(QRect(0, 0, TStudyFrame::kDesignWidth, TStudyFrame::kDesignHeight).contains(menu));
    // The archive's menu picture is drawn there.
    EXPECT_EQ(At(image, &F(), row->Rectangle_WordStudyMode, QPoint(4, 25)).rgb(), host.archive->PictureColor().rgb());
}

} // namespace
