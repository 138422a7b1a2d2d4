#include "NodeUtils.h"

#include "OSGName.h"
#include "kxSceneData.h"

using namespace osg;

NodePtr NodeUtils::createNodeWithCore(const NodeCorePtr& core, const NodePtr& parent,
                                      const std::string& name) {
    NodePtr node = Node::create();
    if (node.isNull())
        return node;
    if (!core.isNull()) {
        beginEditCP(node, Node::CoreFieldMask);
        node->setCore(core);
        endEditCP(node, Node::CoreFieldMask);
    }
    if (!name.empty())
        setName(node, name);
    if (!parent.isNull()) {
        beginEditCP(parent, Node::ChildrenFieldMask);
        parent->addChild(node);
        endEditCP(parent, Node::ChildrenFieldMask);
    }
    return node;
}

std::string NodeUtils::getName(const NodePtr& node) {
    if (node.isNull())
        return std::string();
    if (const char* own = osg::getName(node))
        return own;
    if (const char* core = osg::getName(node->getCore()))
        return core;
    return std::string();
}

bool NodeUtils::hasParent(const NodePtr& node, const NodePtr& ancestor) {
    if (node.isNull() || ancestor.isNull())
        return false;
    const NodePtr parent = node->getParent();
    return !parent.isNull() && parent->isInSubtreeOf(ancestor);
}

bool NodeUtils::isScenegraphNode(const NodePtr& node) {
    const NodePtr root = kxSceneDataManager::getSceneData(0)->getRootNode();
    return !node.isNull() && !root.isNull() && node->isInSubtreeOf(root);
}
