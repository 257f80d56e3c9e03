// The course page's entry points reached from the frame and the dispatcher.
//
// The unit and lesson rows, the welcome animation, the unit progress,
// decoding the assignment details and starting an assignment are built with
// the units, lessons and assignments subsystem; until then each entry below
// logs that it was reached. The requests that follow from the open book are
// complete.

#include "StudyFrame.h"

#include "PendingWork.h"
#include "Requests.h"

#include "TBookIconFrame.h"

namespace {
const QString kCourse = QStringLiteral("units, lessons and assignments");
}

void TStudyFrame::ClearUnitDisplay()
{
    LogPendingWork(QStringLiteral("ClearUnitDisplay"), QStringLiteral("the unit rows"), kCourse);
}

void TStudyFrame::PlayWelcomeAni()
{
    LogPendingWork(QStringLiteral("PlayWelcomeAni"), QStringLiteral("the welcome animation"), kCourse);
}

void TStudyFrame::UnitProgressArrived(const QString &)
{
    LogPendingWork(QStringLiteral("UnitProgressArrived"), QStringLiteral("the unit progress display"), kCourse);
}

void TStudyFrame::StartAssignment()
{
    LogPendingWork(QStringLiteral("StartAssignment"), QStringLiteral("opening the pushed assignment"), kCourse);
}

void TStudyFrame::QueryOpenBookAssignments()
{
    if (!curSelectBook)
        return;
    const TRequestIdentity who{FLoginInfos ? FLoginInfos->GetUid() : 0, 0};
    if (curSelectBook->CourseType() == QLatin1String("W"))
        SendRequest(Request::QueryAssignmentStatus(who, curSelectBook->LessonID(), QStringLiteral("W")));
    else if (curSelectBook->CourseType() == QLatin1String("U"))
        SendRequest(Request::QueryAssignmentStatus(who, curSelectBook->LessonID(), QStringLiteral("L")));
}

void TStudyFrame::AssignmentDetailsArrived(const QString &)
{
    LogPendingWork(QStringLiteral("AssignmentDetailsArrived"), QStringLiteral("decoding the assignment details"), kCourse);
    if (!curSelectBook)
        return;
    const TRequestIdentity who{FLoginInfos ? FLoginInfos->GetUid() : 0, 0};
    if (curSelectBook->CourseType() == QLatin1String("W")) {
        SetLessonQueryType(QStringLiteral("unit"));
        SendRequest(Request::QueryLesson(who, QStringLiteral("list"), curSelectBook->LessonID()));
    } else {
        SetLessonQueryType(QStringLiteral("book"));
        SendRequest(Request::QueryLesson(who, QStringLiteral("single"), curSelectBook->LessonID()));
    }
}

void TStudyFrame::LessonListArrived(const QString &)
{
    if (!curSelectBook)
        return;
    const TRequestIdentity who{FLoginInfos ? FLoginInfos->GetUid() : 0, 0};
    if (FLessonQueryType == QLatin1String("unit"))
        SendRequest(Request::QueryWordFinish(who, curSelectBook->LessonID()));
    else if (FLessonQueryType == QLatin1String("book") && curSelectBook->CourseType() == QLatin1String("U"))
        SendRequest(Request::QueryFinishLesson(who, curSelectBook->LessonID()));
}
