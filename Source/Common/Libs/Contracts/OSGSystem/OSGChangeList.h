#ifndef OSG_CHANGE_LIST_H
#define OSG_CHANGE_LIST_H

#include "OSGBaseTypes.h"

#include <vector>

namespace osg {

/// What happened to containers on one thread since the list was last cleared:
/// the ids created, and every finished edit with its exact mask.
class ChangeList {
public:
    struct ChangedEntry {
        UInt32 id;
        BitVector mask;
    };

    void addCreated(UInt32 id) { _created.push_back(id); }
    void addChanged(UInt32 id, BitVector mask) { _changed.push_back({id, mask}); }

    const std::vector<UInt32>& getCreated() const { return _created; }
    const std::vector<ChangedEntry>& getChanged() const { return _changed; }

    void clear() {
        _created.clear();
        _changed.clear();
    }

private:
    std::vector<UInt32> _created;
    std::vector<ChangedEntry> _changed;
};

} // namespace osg

#endif
