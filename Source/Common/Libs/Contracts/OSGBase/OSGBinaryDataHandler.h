#ifndef OSG_BINARY_DATA_HANDLER_H
#define OSG_BINARY_DATA_HANDLER_H

#include "OSGBaseTypes.h"

#include <string>

namespace osg {

/// Byte stream for field values. Values are encoded little-endian whatever the
/// host order. A read past the end of the data yields zeros and sets the
/// failure state, which stays set until `clearFailure`.
class BinaryDataHandler {
public:
    virtual ~BinaryDataHandler() = default;

    /// Raw bytes.
    virtual void put(const void* src, UInt32 size) = 0;
    virtual void get(void* dst, UInt32 size) = 0;

    void putValue(bool value);
    void putValue(UInt8 value);
    void putValue(Int32 value);
    void putValue(UInt32 value);
    void putValue(Int64 value);
    void putValue(UInt64 value);
    void putValue(Real32 value);
    void putValue(Real64 value);
    /// A 32-bit length, then the bytes.
    void putValue(const std::string& value);

    void getValue(bool& value);
    void getValue(UInt8& value);
    void getValue(Int32& value);
    void getValue(UInt32& value);
    void getValue(Int64& value);
    void getValue(UInt64& value);
    void getValue(Real32& value);
    void getValue(Real64& value);
    void getValue(std::string& value);

    bool failed() const { return _failed; }
    void clearFailure() { _failed = false; }

protected:
    void setFailed() { _failed = true; }

private:
    bool _failed = false;
};

/// Whether container streams use 64-bit element counts.
bool osgUseOSB64();
void osgSetUseOSB64(bool use);

} // namespace osg

#endif
