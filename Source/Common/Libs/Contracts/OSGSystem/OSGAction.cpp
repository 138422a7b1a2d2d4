#include "OSGAction.h"

#include "OSGNode.h"

#include <vector>

namespace osg {

Action::ResultE traverse(NodePtr root, const TraverseEnterFunctor& enter) {
    if (root.isNull() || !enter)
        return Action::Continue;
    // An explicit stack keeps deep trees off the call stack.
    std::vector<NodePtr> pending{root};
    while (!pending.empty()) {
        NodePtr node = pending.back();
        pending.pop_back();
        Action::ResultE result = enter(node);
        if (result == Action::Quit)
            return Action::Quit;
        if (result == Action::Skip || node.isNull())
            continue;
        const MFNodePtr& children = node->getChildren();
        for (auto it = children.getValues().rbegin(); it != children.getValues().rend(); ++it)
            pending.push_back(*it);
    }
    return Action::Continue;
}

} // namespace osg
