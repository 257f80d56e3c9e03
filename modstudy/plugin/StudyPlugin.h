#pragma once
// The plug-in object of the study module. A host reads the plug-in's
// metadata ("description" names the registered entry class, "contractVersion"
// the version of the host contract it was built against) and loads the
// library; loading registers TStudyMod in the base package's class registry
// and unloading unregisters it. The plug-in object itself offers nothing
// beyond that: the host creates the module through the registry.

#include <QObject>

class TStudyPlugin : public QObject
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "StudySystem.IBaseMod" FILE "ModStudy.json")
public:
    explicit TStudyPlugin(QObject *parent = nullptr);
};
