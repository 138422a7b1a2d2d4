#ifndef OSG_CLONE_H
#define OSG_CLONE_H

#include "OSGNodeFields.h"

#include <string>

namespace osg {

/// A deep copy of `source`, unreferenced: made through its type (so it passes
/// the creation hook), every field copied, every container it points at cloned
/// the same way except those whose type (or a parent type) is named in
/// `shareTypes` (names separated by commas or spaces), which are shared. Back
/// pointers (a core's parents, a node's parent) are not followed, and the nodes
/// a core points at (a camera's beacon) are shared. A node's core and children
/// are cloned. The copy's `onDeepClone` runs last. Null for a null source or a
/// type without prototype.
FieldContainerPtr deepClone(const FieldContainerPtr& source, const std::string& shareTypes = "");

/// A copy of the node tree below `root` with deep-cloned cores.
NodePtr deepCloneTree(const NodePtr& root, const std::string& shareTypes = "");

/// A copy of the node tree below `root` whose nodes share the original cores.
/// Flags are copied; attachments too (shared, with references of their own)
/// when `copyAttachments` is set.
NodePtr cloneTree(const NodePtr& root, bool copyAttachments);

} // namespace osg

#endif
