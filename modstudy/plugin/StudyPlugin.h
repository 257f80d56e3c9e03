#pragma once
// The plug-in object of the study module (see StudyModulePlugin.h). Loading
// the library registers TStudyMod in the base package's class registry and
// unloading unregisters it; the object's one operation hands the host the
// factory of TStudyMod.

#include "StudyModulePlugin.h"

#include <QObject>

class TStudyPlugin : public QObject, public IStudyModulePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID IStudyModulePlugin_iid FILE "ModStudy.json")
    Q_INTERFACES(IStudyModulePlugin)
public:
    explicit TStudyPlugin(QObject *parent = nullptr);

    TStudyModFactory ModFactory() const override;
};
