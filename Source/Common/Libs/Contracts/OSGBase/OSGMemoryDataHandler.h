#ifndef OSG_MEMORY_DATA_HANDLER_H
#define OSG_MEMORY_DATA_HANDLER_H

#include "OSGBinaryDataHandler.h"

#include <vector>

namespace osg {

/// A `BinaryDataHandler` over an in-memory byte buffer: writes append, reads
/// consume from the read position.
class MemoryDataHandler : public BinaryDataHandler {
public:
    MemoryDataHandler() = default;
    explicit MemoryDataHandler(std::vector<UInt8> data) : _data(std::move(data)) {}

    void put(const void* src, UInt32 size) override;
    void get(void* dst, UInt32 size) override;

    const std::vector<UInt8>& getData() const { return _data; }
    UInt64 getReadPosition() const { return _readPos; }
    UInt64 getRemaining() const { return _data.size() - _readPos; }

    /// Starts reading again from the first byte.
    void rewind() { _readPos = 0; }

private:
    std::vector<UInt8> _data;
    UInt64 _readPos = 0;
};

} // namespace osg

#endif
