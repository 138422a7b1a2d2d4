#include "OSGMemoryDataHandler.h"

#include <cstring>

namespace osg {

void MemoryDataHandler::put(const void* src, UInt32 size) {
    if (size == 0)
        return;
    const auto* bytes = static_cast<const UInt8*>(src);
    _data.insert(_data.end(), bytes, bytes + size);
}

void MemoryDataHandler::get(void* dst, UInt32 size) {
    if (size == 0)
        return;
    UInt64 available = getRemaining();
    UInt64 n = size < available ? size : available;
    if (n > 0)
        std::memcpy(dst, _data.data() + _readPos, n);
    _readPos += n;
    if (n < size) {
        std::memset(static_cast<UInt8*>(dst) + n, 0, size - n);
        setFailed();
    }
}

} // namespace osg
