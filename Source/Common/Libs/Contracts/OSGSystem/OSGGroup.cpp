#include "OSGGroup.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(GroupPtr, "GroupPtr", "NodeCorePtr")

OSG_CONTAINER_TYPE_DEF_NO_FIELDS(Group, "Group", "NodeCore", nullptr, &Group::createEmpty)
OSG_CONTAINER_DEF(Group, Group)

} // namespace osg
