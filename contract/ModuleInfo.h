#pragma once
// Identity of the study module as a host sees it.

#include "ModuleVersion.h"

#include <QString>

// Name under which the module's entry class is registered and which its
// plug-in metadata carries as description.
inline const QString kStudyModClassName = QStringLiteral("TStudyMod");

// Version text of the module, for logs and messages.
inline QString StudyModuleVersion()
{
    return QStringLiteral("ModStudy %1 (contract %2)")
        .arg(QString::fromLatin1(kStudyModuleVersionText))
        .arg(kHostContractVersion);
}
