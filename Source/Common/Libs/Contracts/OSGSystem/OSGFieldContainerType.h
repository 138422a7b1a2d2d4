#ifndef OSG_FIELD_CONTAINER_TYPE_H
#define OSG_FIELD_CONTAINER_TYPE_H

#include "OSGDataType.h"
#include "OSGFieldContainerPtr.h"

#include <vector>

namespace osg {

class FieldDescription;

/// The registered type of a container class: name, parent, group, prototype
/// and field descriptions. Constructing one registers it with the
/// `FieldContainerFactory`; its prototype is made when the scene graph starts
/// (or at once, for a type that registers later).
class FieldContainerType : public DataType {
public:
    using PrototypeCreateF = FieldContainerPtr (*)();
    using InitContainerF = void (*)();

    /// Takes ownership of the `descByteCount / sizeof(FieldDescription*)`
    /// descriptions in `descs`. A type without `prototypeCreateF` is abstract.
    FieldContainerType(const char* name, const char* parentName = nullptr,
                       const char* groupName = nullptr, PrototypeCreateF prototypeCreateF = nullptr,
                       InitContainerF initMethod = nullptr, FieldDescription** descs = nullptr,
                       UInt32 descByteCount = 0, bool descsAddable = false);
    ~FieldContainerType() override;

    const FieldContainerType* getParent() const;
    const std::string& getGroupName() const { return _groupName; }
    UInt16 getGroupId() const { return _groupId; }
    bool isAbstract() const { return _prototypeCreateF == nullptr; }
    bool isInitialized() const { return _initialized; }
    /// Whether descriptions may be added after registration (never, here).
    bool areDescsAddable() const { return _descsAddable; }

    FieldContainerPtr getPrototype() const { return _prototype; }
    /// Replaces the prototype (reference counted); false for an abstract type.
    bool setPrototype(const FieldContainerPtr& prototype);

    /// A shallow copy of the prototype, or null when there is none.
    FieldContainerPtr createFieldContainer() const;

    /// The description of field `fieldId`, this type's own or inherited; null if none.
    const FieldDescription* getFieldDescription(UInt32 fieldId) const;
    const FieldDescription* findFieldDescription(const char* name) const;
    /// Own and inherited descriptions.
    UInt32 getNumFieldDescs() const;
    /// The descriptions this type adds, in id order.
    const std::vector<FieldDescription*>& getOwnFieldDescriptions() const { return _ownDescs; }

    /// Resolves the parent, runs the init method and makes the prototype.
    bool initialize();
    /// Drops the prototype.
    void terminate();

private:
    std::string _groupName;
    UInt16 _groupId = 0;
    PrototypeCreateF _prototypeCreateF;
    InitContainerF _initMethod;
    std::vector<FieldDescription*> _ownDescs;
    bool _descsAddable;
    bool _initialized = false;
    FieldContainerPtr _prototype;
};

} // namespace osg

#endif
