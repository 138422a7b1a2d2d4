#include "OSGBinaryDataHandler.h"

#include <cstring>

namespace osg {

namespace {

bool useOSB64 = false;

// Little-endian byte order on every host.
template <class UIntT> void putLittleEndian(BinaryDataHandler& handler, UIntT value) {
    UInt8 bytes[sizeof(UIntT)];
    for (std::size_t i = 0; i < sizeof(UIntT); ++i)
        bytes[i] = static_cast<UInt8>(value >> (8 * i));
    handler.put(bytes, sizeof(UIntT));
}

template <class UIntT> UIntT getLittleEndian(BinaryDataHandler& handler) {
    UInt8 bytes[sizeof(UIntT)];
    handler.get(bytes, sizeof(UIntT));
    UIntT value = 0;
    for (std::size_t i = 0; i < sizeof(UIntT); ++i)
        value |= static_cast<UIntT>(static_cast<UIntT>(bytes[i]) << (8 * i));
    return value;
}

template <class To, class From> To bitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof(To));
    return to;
}

} // namespace

bool osgUseOSB64() {
    return useOSB64;
}
void osgSetUseOSB64(bool use) {
    useOSB64 = use;
}

void BinaryDataHandler::putValue(bool value) {
    putValue(static_cast<UInt8>(value ? 1 : 0));
}
void BinaryDataHandler::putValue(UInt8 value) {
    put(&value, 1);
}
void BinaryDataHandler::putValue(Int32 value) {
    putLittleEndian(*this, bitCast<UInt32>(value));
}
void BinaryDataHandler::putValue(UInt32 value) {
    putLittleEndian(*this, value);
}
void BinaryDataHandler::putValue(Int64 value) {
    putLittleEndian(*this, bitCast<UInt64>(value));
}
void BinaryDataHandler::putValue(UInt64 value) {
    putLittleEndian(*this, value);
}
void BinaryDataHandler::putValue(Real32 value) {
    putLittleEndian(*this, bitCast<UInt32>(value));
}
void BinaryDataHandler::putValue(Real64 value) {
    putLittleEndian(*this, bitCast<UInt64>(value));
}

void BinaryDataHandler::putValue(const std::string& value) {
    putValue(static_cast<UInt32>(value.size()));
    if (!value.empty())
        put(value.data(), static_cast<UInt32>(value.size()));
}

void BinaryDataHandler::getValue(bool& value) {
    UInt8 byte = 0;
    getValue(byte);
    value = byte != 0;
}

void BinaryDataHandler::getValue(UInt8& value) {
    get(&value, 1);
}
void BinaryDataHandler::getValue(Int32& value) {
    value = bitCast<Int32>(getLittleEndian<UInt32>(*this));
}
void BinaryDataHandler::getValue(UInt32& value) {
    value = getLittleEndian<UInt32>(*this);
}
void BinaryDataHandler::getValue(Int64& value) {
    value = bitCast<Int64>(getLittleEndian<UInt64>(*this));
}
void BinaryDataHandler::getValue(UInt64& value) {
    value = getLittleEndian<UInt64>(*this);
}
void BinaryDataHandler::getValue(Real32& value) {
    value = bitCast<Real32>(getLittleEndian<UInt32>(*this));
}
void BinaryDataHandler::getValue(Real64& value) {
    value = bitCast<Real64>(getLittleEndian<UInt64>(*this));
}

void BinaryDataHandler::getValue(std::string& value) {
    UInt32 size = 0;
    getValue(size);
    value.clear();
    // Read in bounded chunks so a corrupt length cannot demand a huge buffer up front.
    char chunk[256];
    while (size > 0 && !failed()) {
        UInt32 n = size < sizeof(chunk) ? size : static_cast<UInt32>(sizeof(chunk));
        get(chunk, n);
        if (!failed())
            value.append(chunk, n);
        size -= n;
    }
}

} // namespace osg
