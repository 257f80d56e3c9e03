#pragma once
// Classes found by name.
//
// A package registers the classes a host may create by name (the study
// module registers TStudyMod when it is loaded); the host looks a name up and
// creates an object through the interface it knows. Names compare without
// regard to case. Registering a name again replaces its factory: there is
// always at most one entry per name. All operations are safe to call from
// any thread.

#include "basemod_export.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <typeinfo>

// Makes a new object and returns it as a pointer to the registered
// interface type, or null.
using TClassFactory = std::function<void *()>;

class BASEMOD_EXPORT TClassRegistry
{
public:
    // Registers `factory` under `name` for objects of the interface whose
    // type name is `interfaceType`. Returns false (and registers nothing) for
    // an empty name or factory; true otherwise, replacing an earlier entry.
    static bool RegisterFactory(const QString &name, const char *interfaceType, TClassFactory factory);
    // Removes the entry; false when there was none.
    static bool UnRegisterClass(const QString &name);
    static bool IsRegistered(const QString &name);
    // The factory of `name` when it was registered for `interfaceType`;
    // empty when the name is unknown or was registered for another interface.
    static TClassFactory FindFactory(const QString &name, const char *interfaceType);
    // Registered names as they were spelled at registration, in name order.
    static QStringList RegisteredNames();

    // Registers class Impl under `name`, created as an Interface.
    template<class Interface, class Impl>
    static bool RegisterClass(const QString &name)
    {
        return RegisterFactory(name, typeid(Interface).name(),
                               [] { return static_cast<void *>(static_cast<Interface *>(new Impl)); });
    }

    // A new object of the class registered under `name` for Interface, or
    // null when there is none. The caller owns the object.
    template<class Interface>
    static std::unique_ptr<Interface> CreateClass(const QString &name)
    {
        const TClassFactory f = FindFactory(name, typeid(Interface).name());
        return std::unique_ptr<Interface>(f ? static_cast<Interface *>(f()) : nullptr);
    }
};
