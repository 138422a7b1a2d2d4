#ifndef OSG_GROUP_H
#define OSG_GROUP_H

#include "OSGNodeCore.h"

namespace osg {

class Group;
using GroupPtr = FCPtr<NodeCorePtr, Group>;

OSG_DECLARE_PTR_TRAITS(GroupPtr);

/// A core that only groups its node's children.
class Group : public NodeCore {
    OSG_CONTAINER_DECL(GroupPtr, Group)

public:
    using Inherited = NodeCore;
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId;

protected:
    friend class FieldContainer;
    Group() = default;
    Group(const Group& source) = default;

private:
    static FieldContainerType _type;
};

} // namespace osg

#endif
