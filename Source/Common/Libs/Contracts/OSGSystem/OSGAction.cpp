#include "OSGAction.h"

#include "OSGNode.h"
#include "OSGNodeCore.h"

#include <vector>

namespace osg {

namespace {

// Nodes and their cores are separate allocations far apart in memory; over a
// large tree a walk that waits for each in turn spends its time on cache
// misses. The nodes due soon are fetched ahead: first the node, a little later
// (once the node has arrived) its core and the core's attachments.
constexpr size_t FetchDistance = 4;

void fetchNode(const NodePtr& node) {
    if (!node.isNull())
        __builtin_prefetch(node.getCPtr());
}

void fetchCore(const NodePtr& node) {
    if (node.isNull() || node->getCore().isNull())
        return;
    const AttachmentMap& attachments = node->getCore()->getAttachments();
    __builtin_prefetch(node->getCore().getCPtr());
    if (!attachments.empty())
        __builtin_prefetch(&*attachments.begin());
}

// `pending` is visited from the back: the entry `distance` from the back is
// visited that many steps from now.
void fetchAhead(const std::vector<NodePtr>& pending) {
    if (pending.size() > 2 * FetchDistance)
        fetchNode(pending[pending.size() - 1 - 2 * FetchDistance]);
    if (pending.size() > FetchDistance)
        fetchCore(pending[pending.size() - 1 - FetchDistance]);
}

} // namespace

Action::ResultE traverse(NodePtr root, const TraverseEnterFunctor& enter) {
    if (root.isNull() || !enter)
        return Action::Continue;
    // An explicit stack keeps deep trees off the call stack.
    std::vector<NodePtr> pending{root};
    while (!pending.empty()) {
        NodePtr node = pending.back();
        pending.pop_back();
        fetchAhead(pending);
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
