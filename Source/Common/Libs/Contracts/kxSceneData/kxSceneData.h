#ifndef KX_SCENE_DATA_H
#define KX_SCENE_DATA_H

#include "OSGMaterialPool.h"
#include "OSGNode.h"

/// The data of one scene: its up axis, its material pool and its root node.
/// The up axis is the object's first 32-bit value. Holds one reference on the
/// material pool and one on the root node.
class kxSceneData {
public:
    /// Value of the up axis for a scene whose z axis points up; any other value means y up.
    static constexpr osg::Int32 ZUp = 1;
    static constexpr osg::Int32 YUp = 0;

    kxSceneData() = default;
    kxSceneData(const kxSceneData&) = delete;
    kxSceneData& operator=(const kxSceneData&) = delete;
    ~kxSceneData();

    osg::Int32 getUpAxis() const { return _upAxis; }
    void setUpAxis(osg::Int32 upAxis) { _upAxis = upAxis; }
    bool isZUp() const { return _upAxis == ZUp; }

    /// The scene's material pool, or null.
    osg::MaterialPoolPtr getMaterialPool() const { return _materialPool; }
    void setMaterialPool(const osg::MaterialPoolPtr& pool);

    /// The top of the scene graph proper, or null.
    osg::NodePtr getRootNode() const { return _rootNode; }
    void setRootNode(const osg::NodePtr& root);

    /// Drops the material pool and the root node.
    void clear();

private:
    osg::Int32 _upAxis = YUp;
    osg::MaterialPoolPtr _materialPool;
    osg::NodePtr _rootNode;
};

/// The scenes of the application; scene 0 always exists.
class kxSceneDataManager {
public:
    /// The scene with that index; any index gives scene 0, the only scene.
    static kxSceneData* getSceneData(osg::UInt32 index);
};

#endif
