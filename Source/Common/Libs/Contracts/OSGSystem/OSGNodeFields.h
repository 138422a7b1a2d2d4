#ifndef OSG_NODE_FIELDS_H
#define OSG_NODE_FIELDS_H

// Handle and field types of nodes and cores, declared apart so that nodes and
// cores can name each other.

#include "OSGAttachmentContainer.h"

namespace osg {

class Node;
class NodeCore;
using NodePtr = FCPtr<AttachmentContainerPtr, Node>;
using NodeCorePtr = FCPtr<AttachmentContainerPtr, NodeCore>;

OSG_DECLARE_PTR_TRAITS(NodePtr);
OSG_DECLARE_PTR_TRAITS(NodeCorePtr);

using SFNodePtr = SField<NodePtr>;
using MFNodePtr = MField<NodePtr>;
using SFNodeCorePtr = SField<NodeCorePtr>;

} // namespace osg

#endif
