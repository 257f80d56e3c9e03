#include "ClassRegistry.h"

#include <QMap>
#include <QMutex>
#include <QMutexLocker>

#include <cstring>
#include <string>

namespace {

struct Entry
{
    QString name;
    std::string interfaceType;
    TClassFactory factory;
};

struct Registry
{
    QMutex mutex;
    QMap<QString, Entry> entries; // keyed by the case-folded name
};

Registry &registry()
{
    static Registry r;
    return r;
}

QString keyOf(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

} // namespace

bool TClassRegistry::RegisterFactory(const QString &name, const char *interfaceType, TClassFactory factory)
{
    const QString key = keyOf(name);
    if (key.isEmpty() || !factory || !interfaceType)
        return false;
    QMutexLocker lock(&registry().mutex);
    registry().entries.insert(key, Entry{name.trimmed(), interfaceType, std::move(factory)});
    return true;
}

bool TClassRegistry::UnRegisterClass(const QString &name)
{
    QMutexLocker lock(&registry().mutex);
    return registry().entries.remove(keyOf(name)) > 0;
}

bool TClassRegistry::IsRegistered(const QString &name)
{
    QMutexLocker lock(&registry().mutex);
    return registry().entries.contains(keyOf(name));
}

TClassFactory TClassRegistry::FindFactory(const QString &name, const char *interfaceType)
{
    QMutexLocker lock(&registry().mutex);
    const auto it = registry().entries.constFind(keyOf(name));
    if (it == registry().entries.constEnd() || !interfaceType || it->interfaceType != interfaceType)
        return {};
    return it->factory;
}

QStringList TClassRegistry::RegisteredNames()
{
    QMutexLocker lock(&registry().mutex);
    QStringList names;
    for (const Entry &e : std::as_const(registry().entries))
        names << e.name;
    return names;
}
