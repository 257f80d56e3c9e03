#pragma once
// Identity of the study module as a host sees it.

#include <QString>

// Name under which the module's entry class is registered and which its
// plug-in metadata carries as description.
inline const QString kStudyModClassName = QStringLiteral("TStudyMod");

// Version of the host contract (IBaseMod and the service interfaces) this
// module is built against. A host refuses a module whose version differs.
inline constexpr int kHostContractVersion = 1;

// Version text of the module, for logs.
QString StudyModuleVersion();
