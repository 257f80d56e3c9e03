#include "PendingWork.h"

#include "Log.h"

void LogPendingWork(const QString &member, const QString &what, const QString &subsystem)
{
    procSaveLog(QStringLiteral("info：") % member % QStringLiteral(": ") % what
                % QStringLiteral(" is not available yet (") % subsystem % QStringLiteral(")"));
}
