#ifndef OSG_MATERIAL_POOL_H
#define OSG_MATERIAL_POOL_H

#include "OSGGroup.h"

namespace osg {

class MaterialPool;
using MaterialPoolPtr = FCPtr<GroupPtr, MaterialPool>;

OSG_DECLARE_PTR_TRAITS(MaterialPoolPtr);

/// A scene's store of shared resources; it also keeps the node under which the
/// scene's cameras live (the camera root), holding one reference on it.
class MaterialPool : public Group {
    OSG_CONTAINER_DECL(MaterialPoolPtr, MaterialPool)

public:
    using Inherited = Group;
    OSG_FIELD_ID(CameraRoot, Inherited::NextFieldId)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 1;

    /// Makes the camera root (a node with a group core) if there is none yet.
    void initCameraRoot();
    /// The camera root, or null before `initCameraRoot`.
    NodePtr getCameraRoot() const { return _sfCameraRoot.getValue(); }
    SFNodePtr* editSFCameraRoot() { return &_sfCameraRoot; }
    const SFNodePtr* getSFCameraRoot() const { return &_sfCameraRoot; }

protected:
    friend class FieldContainer;
    MaterialPool() = default;
    /// A copy starts without a camera root of its own.
    MaterialPool(const MaterialPool& source) : Group(source) {}

    void onDestroy() override;

private:
    static FieldContainerType _type;

    SFNodePtr _sfCameraRoot;
};

} // namespace osg

#endif
