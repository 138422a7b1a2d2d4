#ifndef OSG_TYPE_FACTORY_H
#define OSG_TYPE_FACTORY_H

#include "OSGTypeBase.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace osg {

/// Registry of every `TypeBase` of the process: ids and names.
class TypeFactory {
public:
    static TypeFactory* the();

    /// Gives the type its id (from 1 on). A name registered twice is refused with 0.
    UInt32 registerType(TypeBase* type);
    void unregisterType(TypeBase* type);

    TypeBase* findType(const char* name) const;
    TypeBase* findType(UInt32 id) const;
    UInt32 getNumTypes() const;

private:
    TypeFactory() = default;

    std::vector<TypeBase*> _byId{nullptr};
    std::unordered_map<std::string, TypeBase*> _byName;
};

} // namespace osg

#endif
