#ifndef OSG_NODE_CORE_H
#define OSG_NODE_CORE_H

#include "OSGMatrix.h"
#include "OSGNodeFields.h"
#include "OSGVolume.h"

namespace osg {

/// What a node is: geometry, a transform, a group, a camera. One core may sit
/// on several nodes; it lists them (uncounted back pointers, in the order they
/// took the core; entries may be null).
class NodeCore : public AttachmentContainer {
    OSG_ABSTRACT_CONTAINER_DECL(NodeCorePtr)

public:
    using Inherited = AttachmentContainer;
    OSG_FIELD_ID(Parents, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    OSG_MFIELD_ACCESS(NodePtr, Parents)

    /// Marks the volumes of every node carrying this core, and their ancestors, stale.
    virtual void invalidateVolume();

    /// Appends this core's transform to `matrix` (matrix := matrix * own).
    virtual void accumulateMatrix(Matrix& matrix);
    /// Grows or transforms a node's volume by what this core contributes.
    virtual void adjustVolume(Volume& volume);

    bool isStructuralField(UInt32 fieldId) const override;

protected:
    friend class Node;

    NodeCore() = default;
    /// A copy sits on no node.
    NodeCore(const NodeCore& source) : AttachmentContainer(source) {}

    void addParent(const NodePtr& parent);
    void subParent(const NodePtr& parent);

private:
    static FieldContainerType _type;

    MFNodePtr _mfParents;
};

} // namespace osg

#endif
