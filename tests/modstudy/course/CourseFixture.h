#pragma once
// A frame on the test host with a book of numbered units and lessons opened
// on the course page, and the presses a learner makes there.
//
// Unit u (1-based) has id 100 + u and the name "Unit u"; a textbook unit has
// three lessons, lesson j (0-based) with id 1000 + 10 u + j and the name
// "Lesson u-(j+1)".

#include "TestHost.h"
#include "TestMouse.h"
#include "WaitUntil.h"

#include "LessonDisplayFrame.h"

#include "PackBook.h"
#include "TBookIconFrame.h"
#include "TeduAssignDetail.h"

#include "TButton.h"
#include "TLabel.h"
#include "TRectangle.h"
#include "TTabControl.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

class CourseFixture : public ::testing::Test
{
protected:
    void SetUp() override { host.Start(false); }
    TStudyFrame &F() { return *host.Frame(); }

    void OpenBook(int units, bool wordBook)
    {
        auto &book = *F().PackBook;
        book.IsWordBook = wordBook;
        book.Units.clear();
        for (int u = 1; u <= units; ++u) {
            TeduPack_Unit unit;
            unit.Id = 100 + u;
            unit.Name = QStringLiteral("Unit %1").arg(u);
            if (!wordBook) {
                for (int j = 0; j < 3; ++j) {
                    TeduPack_Lesson lesson;
                    lesson.Id = 1000 + 10 * u + j;
                    lesson.Name = QStringLiteral("Lesson %1-%2").arg(u).arg(j + 1);
                    unit.Lessons.append(lesson);
                }
            } else {
                unit.WordCount = 5;
            }
            book.Units.append(unit);
        }
        tile.SetGoodsName(QStringLiteral("Sample Book"));
        tile.SetCourseType(wordBook ? QStringLiteral("W") : QStringLiteral("U"));
        tile.SetLessonID(900);
        F().curSelectBook = &tile;
        F().TabControl_Home->SetTabIndex(pgBook);
    }

    // The progress reply of the open book's kind, as the host relays it.
    void Progress(const nlohmann::ordered_json &items)
    {
        nlohmann::ordered_json reply{
            {"apiCode", F().PackBook->IsWordBook ? 2128 : 2130}, {"errorCode", 0}, {"items", items}};
        host.mod->ReceiveMsg(QString::fromStdString(reply.dump()));
    }

    void AddDetail(int assignmentId, int unitId, int lessonId, int finishCount, const QString &words = QString())
    {
        auto d = std::make_unique<TeduAssignDetail>();
        d->assignmentid = assignmentId;
        d->unitid = unitId;
        d->lessonid = lessonId;
        d->finishcount = finishCount;
        d->finishwords = words;
        F().AssignDetails.push_back(std::move(d));
    }

    void PressUnit(int row)
    {
        ASSERT_NE(F().UnitRow(row), nullptr) << row;
        ClickMiddle(F().UnitRow(row)->CornerButton_Unit);
    }

    void PressLesson(int row, int k)
    {
        ASSERT_NE(F().UnitRow(row), nullptr) << row;
        ASSERT_LT(k, F().UnitRow(row)->FTextLesson.size());
        ClickMiddle(F().UnitRow(row)->FTextLesson[k]);
    }

    TBookIconFrame tile; // the open book's shelf tile (outlives the frame)
    TestHost host;
};
