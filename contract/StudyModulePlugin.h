#pragma once
// The interface of the study module's plug-in object.
//
// A host loads the plug-in file with QPluginLoader, checks its metadata
// ("description" = kStudyModClassName, "contractVersion" = the host's
// kHostContractVersion, "version" = the module's version text) before the
// library is loaded, then casts the plug-in's root object to this interface
// (qobject_cast; a plug-in that does not offer it is not a study module).
// Loading the library also registers the entry class under
// kStudyModClassName in the base package's class registry; the factory
// below creates the same class.

#include "IBaseMod.h"

#include <QtPlugin>

#include <functional>
#include <memory>

// Creates a new, frameless entry object of the module. The object's code
// lives in the plug-in: release it before the plug-in is unloaded (see
// IBaseMod.h).
using TStudyModFactory = std::function<std::shared_ptr<IBaseMod>()>;

class IStudyModulePlugin
{
public:
    virtual ~IStudyModulePlugin() = default;
    // The factory of the module's entry objects; valid while the plug-in
    // stays loaded.
    virtual TStudyModFactory ModFactory() const = 0;
};

// The interface id also names the contract version it belongs to.
#define IStudyModulePlugin_iid "StudySystem.IStudyModulePlugin/1"
Q_DECLARE_INTERFACE(IStudyModulePlugin, IStudyModulePlugin_iid)
