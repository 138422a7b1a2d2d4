#ifndef OSG_NODE_H
#define OSG_NODE_H

#include "OSGBoxVolume.h"
#include "OSGMatrix.h"
#include "OSGNodeFields.h"

namespace osg {

/// A place in the scene tree: one core, ordered children, one parent. A node
/// holds one reference on its core and on each child; the parent pointer is a
/// back pointer.
class Node : public AttachmentContainer {
    OSG_CONTAINER_DECL(NodePtr, Node)

public:
    using Inherited = AttachmentContainer;
    OSG_FIELD_ID(Parent, Inherited::NextFieldId)
    OSG_FIELD_ID(Children, Inherited::NextFieldId + 1)
    OSG_FIELD_ID(Core, Inherited::NextFieldId + 2)
    OSG_FIELD_ID(TravMask, Inherited::NextFieldId + 3)
    OSG_FIELD_ID(Flags, Inherited::NextFieldId + 4)
    OSG_FIELD_ID(ExternalFlags, Inherited::NextFieldId + 5)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 6;

    OSG_SFIELD_GET(NodePtr, Parent)
    OSG_MFIELD_ACCESS(NodePtr, Children)
    OSG_SFIELD_GET(NodeCorePtr, Core)
    OSG_SFIELD_ACCESS(UInt32, TravMask)
    OSG_SFIELD_ACCESS(UInt32, Flags)
    OSG_SFIELD_ACCESS(UInt32, ExternalFlags)

    /// Replaces the core; the node leaves the old core's parents and joins the new one's.
    void setCore(const NodeCorePtr& core);

    UInt32 getNChildren() const { return _mfChildren.size(); }
    /// The child at `index`, or null when out of range.
    NodePtr getChild(UInt32 index) const;
    /// Appends `child`, taking it from its former parent first.
    void addChild(const NodePtr& child);
    /// Inserts `child` before position `index` (at the end when beyond it).
    /// A node cannot become a child of itself or of its own subtree.
    void insertChild(UInt32 index, const NodePtr& child);
    /// Removes `child` if it is a child of this node.
    void subChild(const NodePtr& child);
    void subChild(UInt32 index);
    /// True when `node` is this node or one of its ancestors.
    bool isInSubtreeOf(const NodePtr& node) const;
    /// Index of `child`, or -1.
    Int32 findChild(const NodePtr& child) const;

    /// World matrix: the matrices of the cores from the root down to this node, this one included.
    Matrix getToWorld();
    void getToWorld(Matrix& result);

    /// Bounds of the subtree in the parent's coordinates (this node's core applied).
    const BoxVolume& getVolume();
    /// Bounds of the subtree in world coordinates.
    void getWorldVolume(BoxVolume& result);
    void invalidateVolume();

    bool isStructuralField(UInt32 fieldId) const override;

protected:
    friend class FieldContainer;
    Node() = default;
    /// A copy has the source's flags and attachments, but no core, children or parent.
    Node(const Node& source);

    void onDestroy() override;

private:
    static FieldContainerType _type;

    void takeChild(const NodePtr& child);

    SFNodePtr _sfParent;
    MFNodePtr _mfChildren;
    SFNodeCorePtr _sfCore;
    SFUInt32 _sfTravMask{~UInt32(0)};
    SFUInt32 _sfFlags;
    SFUInt32 _sfExternalFlags;

    BoxVolume _volume;
    bool _volumeValid = false;
};

} // namespace osg

#endif
