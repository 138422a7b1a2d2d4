#ifndef OSG_THREAD_H
#define OSG_THREAD_H

namespace osg {

class ChangeList;

/// The scene graph's view of the calling thread.
class Thread {
public:
    /// The calling thread's change list; every thread has one.
    static ChangeList* getCurrentChangeList();
};

} // namespace osg

#endif
