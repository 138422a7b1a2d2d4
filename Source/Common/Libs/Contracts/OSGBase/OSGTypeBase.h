#ifndef OSG_TYPE_BASE_H
#define OSG_TYPE_BASE_H

#include "OSGBaseTypes.h"

#include <string>

namespace osg {

/// A named type known to the `TypeFactory`. Types register themselves on
/// construction and leave on destruction; the parent is named, and looked
/// up lazily, so types may be constructed in any order at load time.
class TypeBase {
public:
    TypeBase(const char* name, const char* parentName);
    TypeBase(const TypeBase&) = delete;
    TypeBase& operator=(const TypeBase&) = delete;
    virtual ~TypeBase();

    UInt32 getId() const { return _id; }
    const std::string& getName() const { return _name; }
    const char* getCName() const { return _name.c_str(); }
    const std::string& getParentName() const { return _parentName; }

    /// The registered type named as parent, or null (none named, or not loaded).
    const TypeBase* getParent() const;

    /// True for this type itself and for every type below `other`.
    bool isDerivedFrom(const TypeBase& other) const;

    bool operator==(const TypeBase& other) const { return _id == other._id; }
    bool operator!=(const TypeBase& other) const { return _id != other._id; }

private:
    UInt32 _id = 0;
    std::string _name;
    std::string _parentName;
    mutable const TypeBase* _parent = nullptr;
};

} // namespace osg

#endif
