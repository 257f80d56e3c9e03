#include "StudyPlugin.h"

#include "ClassRegistry.h"
#include "IBaseMod.h"
#include "ModuleInfo.h"
#include "StudyMod.h"

namespace {

// How many times the module's unit has been initialised without being
// finalised; registration and unregistration happen only at the first and
// the last.
int gUnitInitCount = 0;

struct TStudyUnit
{
    TStudyUnit()
    {
        if (gUnitInitCount++ == 0)
            TClassRegistry::RegisterClass<IBaseMod, TStudyMod>(kStudyModClassName);
    }
    ~TStudyUnit()
    {
        if (--gUnitInitCount == 0)
            TClassRegistry::UnRegisterClass(kStudyModClassName);
    }
    TStudyUnit(const TStudyUnit &) = delete;
    TStudyUnit &operator=(const TStudyUnit &) = delete;
};

// Runs when the library is loaded, and its destructor when it is unloaded.
const TStudyUnit gStudyUnit;

} // namespace

TStudyPlugin::TStudyPlugin(QObject *parent) : QObject(parent)
{
}

TStudyModFactory TStudyPlugin::ModFactory() const
{
    return []() -> std::shared_ptr<IBaseMod> { return TClassRegistry::CreateClass<IBaseMod>(kStudyModClassName); };
}
