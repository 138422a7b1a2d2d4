#ifndef UBER_CAMERA_TOOL_REPORT_H
#define UBER_CAMERA_TOOL_REPORT_H

// How the tool's reports name what they read back from the scene: camera
// flags, default views, nodes, and a node tree.

#include "OSGNode.h"

#include <functional>
#include <ostream>
#include <string>

namespace report {

/// The names of the camera flags set in `flags` ("-" for none); unknown bits in hex.
std::string flagNames(osg::UInt64 flags);
/// "perspective", "front", "side", "top", "-" for none, else the number.
std::string defaultIdName(osg::Int32 id);
/// The node's name, "(camera root)" for the camera root, "(unnamed)" without one.
std::string nodeLabel(const osg::NodePtr& node, const osg::NodePtr& cameraRoot);
/// What the node is: camera or viewpoint with its id, camera track, else its core's type.
std::string nodeKind(const osg::NodePtr& node);

using Describe = std::function<std::string(const osg::NodePtr&)>;
/// One indented line per node below and including `node`: label and `describe`'s text.
void printTree(std::ostream& out, const osg::NodePtr& node, const osg::NodePtr& cameraRoot,
               int depth, const Describe& describe = nodeKind);

} // namespace report

#endif
