#include "ModuleInfo.h"

QString StudyModuleVersion()
{
    return QStringLiteral("ModStudy %1 (contract %2)").arg(QStringLiteral("0.1.0")).arg(kHostContractVersion);
}
