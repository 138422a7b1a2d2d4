#include "OSGThread.h"

#include "OSGChangeList.h"

namespace osg {

ChangeList* Thread::getCurrentChangeList() {
    thread_local ChangeList list;
    return &list;
}

} // namespace osg
