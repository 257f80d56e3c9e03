// The course page's entry points reached from the frame and the dispatcher.
//
// The unit and lesson rows and the unit progress are built with the units
// and lessons subsystem; until then each entry below logs that it was
// reached. The requests that follow from the lesson list are complete.

#include "StudyFrame.h"

#include "PendingWork.h"
#include "Requests.h"

#include "TBookIconFrame.h"

namespace {
const QString kCourse = QStringLiteral("units and lessons");
}

void TStudyFrame::ClearUnitDisplay()
{
    LogPendingWork(QStringLiteral("ClearUnitDisplay"), QStringLiteral("the unit rows"), kCourse);
}

void TStudyFrame::UnitProgressArrived(const QString &)
{
    LogPendingWork(QStringLiteral("UnitProgressArrived"), QStringLiteral("the unit progress display"), kCourse);
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
