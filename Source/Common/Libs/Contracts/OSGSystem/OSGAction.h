#ifndef OSG_ACTION_H
#define OSG_ACTION_H

#include "OSGNodeFields.h"

#include <functional>

namespace osg {

/// What a traversal does after visiting a node.
class Action {
public:
    enum ResultE : UInt32 {
        Continue = 0, ///< go on into the node's children
        Skip = 1,     ///< leave out the node's children, go on with its siblings
        Quit = 2,     ///< stop the whole traversal
    };
};

using TraverseEnterFunctor = std::function<Action::ResultE(NodePtr& node)>;

/// Walks the subtree of `root` depth first: a node before its children,
/// children in order. Null children are visited too (as null). Returns Quit
/// when a visit quit, else Continue. A null root visits nothing.
Action::ResultE traverse(NodePtr root, const TraverseEnterFunctor& enter);

} // namespace osg

#endif
