#ifndef OSG_SFIELD_H
#define OSG_SFIELD_H

#include "OSGField.h"
#include "OSGFieldDataTraits.h"

#include <type_traits>

namespace osg {

namespace detail {
template <class T> inline constexpr bool IsContainerPtr = std::is_base_of_v<FieldContainerPtr, T>;

// The handle as T: a checked cast, done where the class is complete.
template <class T> T castContainerPtr(const FieldContainerPtr& value) {
    return FieldDataTraits<T>::castFrom(value);
}
} // namespace detail

/// A field holding one value of type T.
template <class T> class SField : public Field {
public:
    using StoredType = T;

    SField() = default;
    explicit SField(const T& value) : _value(value) {}

    static const FieldType& getClassType() { return FieldDataTraits<T>::getSFieldType(); }
    static Field* create() { return new SField; }

    const FieldType& getType() const override { return getClassType(); }
    UInt32 getSize() const override { return 1; }

    T& getValue() { return _value; }
    const T& getValue() const { return _value; }
    void setValue(const T& value) { _value = value; }
    void setValue(const SField& other) { _value = other._value; }

    void getValueByStr(std::string& out) const override {
        FieldDataTraits<T>::putToString(_value, out);
    }

    bool copyValuesFrom(const Field& source) override {
        if (source.getType() != getType())
            return false;
        _value = static_cast<const SField&>(source)._value;
        return true;
    }

    bool holdsContainerPtrs() const override { return detail::IsContainerPtr<T>; }
    FieldContainerPtr getContainerPtr(UInt32 index) const override {
        if constexpr (detail::IsContainerPtr<T>)
            return index == 0 ? FieldContainerPtr(_value) : FieldContainerPtr();
        else
            return FieldContainerPtr();
    }
    bool setContainerPtr(UInt32 index, const FieldContainerPtr& value) override {
        if constexpr (detail::IsContainerPtr<T>) {
            if (index != 0)
                return false;
            _value = detail::castContainerPtr<T>(value);
            return true;
        } else {
            return false;
        }
    }

    UInt32 getBinSize() const override { return FieldDataTraits<T>::getBinSize(_value); }
    void copyToBin(BinaryDataHandler& handler) const override {
        FieldDataTraits<T>::copyToBin(handler, _value);
    }
    void copyFromBin(BinaryDataHandler& handler) override {
        FieldDataTraits<T>::copyFromBin(handler, _value);
    }

private:
    T _value{};
};

using SFBool = SField<bool>;
using SFInt32 = SField<Int32>;
using SFUInt32 = SField<UInt32>;
using SFUInt64 = SField<UInt64>;
using SFReal32 = SField<Real32>;
using SFString = SField<std::string>;
using SFVec2f = SField<Vec2f>;
using SFVec3f = SField<Vec3f>;
using SFVec4f = SField<Vec4f>;
using SFPnt2f = SField<Pnt2f>;
using SFPnt3f = SField<Pnt3f>;
using SFMatrix = SField<Matrix>;
using SFQuaternion = SField<Quaternion>;

} // namespace osg

#endif
