#ifndef KX_NODE_UTILS_H
#define KX_NODE_UTILS_H

#include "OSGNode.h"

#include <string>

/// The host's small helpers for building and asking about nodes.
class NodeUtils {
public:
    NodeUtils() = delete;

    /// A new, unreferenced node with `core` (none when null) named `name`
    /// (unnamed when empty), appended below `parent` unless that is null.
    static osg::NodePtr createNodeWithCore(const osg::NodeCorePtr& core,
                                           const osg::NodePtr& parent, const std::string& name);
    /// The name a node is known by: its own `Name`, else its core's, else "".
    static std::string getName(const osg::NodePtr& node);
    /// True when `ancestor` lies strictly above `node`.
    static bool hasParent(const osg::NodePtr& node, const osg::NodePtr& ancestor);
    /// True when `node` belongs to the scene graph proper: it is the scene's
    /// root node or lies below it.
    static bool isScenegraphNode(const osg::NodePtr& node);
};

#endif
