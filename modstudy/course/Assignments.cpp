// The assignment entry points of the open book reached from the frame and
// the dispatcher.
//
// Decoding the assignment details and starting a pushed assignment are built
// with the assignments subsystem; until then those entries log that they
// were reached. The requests that follow from the open book are complete.

#include "StudyFrame.h"

#include "PendingWork.h"
#include "Requests.h"

#include "TBookIconFrame.h"

namespace {
const QString kAssignments = QStringLiteral("assignments");
}

void TStudyFrame::StartAssignment()
{
    LogPendingWork(QStringLiteral("StartAssignment"), QStringLiteral("opening the pushed assignment"), kAssignments);
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
    LogPendingWork(QStringLiteral("AssignmentDetailsArrived"), QStringLiteral("decoding the assignment details"), kAssignments);
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
