#ifndef OSG_MFIELD_H
#define OSG_MFIELD_H

#include "OSGField.h"
#include "OSGFieldDataTraits.h"
#include "OSGSField.h"

#include <algorithm>
#include <vector>

namespace osg {

/// A field holding an ordered list of values of type T. Its stream form is a
/// 32-bit element count followed by the values.
template <class T> class MField : public Field {
public:
    using StoredType = T;
    using StorageType = std::vector<T>;
    using iterator = typename StorageType::iterator;
    using const_iterator = typename StorageType::const_iterator;

    MField() = default;

    static const FieldType& getClassType() { return FieldDataTraits<T>::getMFieldType(); }
    static Field* create() { return new MField; }

    const FieldType& getType() const override { return getClassType(); }
    UInt32 getSize() const override { return static_cast<UInt32>(_values.size()); }
    UInt32 size() const { return getSize(); }
    bool empty() const { return _values.empty(); }

    T& operator[](UInt32 index) { return _values[index]; }
    const T& operator[](UInt32 index) const { return _values[index]; }

    iterator begin() { return _values.begin(); }
    iterator end() { return _values.end(); }
    const_iterator begin() const { return _values.begin(); }
    const_iterator end() const { return _values.end(); }

    void push_back(const T& value) { _values.push_back(value); }
    void resize(UInt32 count, const T& value = T()) { _values.resize(count, value); }
    void clear() { _values.clear(); }
    iterator erase(iterator position) { return _values.erase(position); }
    iterator insert(iterator position, const T& value) { return _values.insert(position, value); }
    iterator find(const T& value) { return std::find(_values.begin(), _values.end(), value); }
    const_iterator find(const T& value) const {
        return std::find(_values.begin(), _values.end(), value);
    }

    StorageType& getValues() { return _values; }
    const StorageType& getValues() const { return _values; }
    void setValues(const StorageType& values) { _values = values; }

    void getValueByStr(std::string& out) const override {
        out += "[";
        for (std::size_t i = 0; i < _values.size(); ++i) {
            if (i != 0)
                out += "; ";
            FieldDataTraits<T>::putToString(_values[i], out);
        }
        out += "]";
    }

    bool copyValuesFrom(const Field& source) override {
        if (source.getType() != getType())
            return false;
        _values = static_cast<const MField&>(source)._values;
        return true;
    }

    bool holdsContainerPtrs() const override { return detail::IsContainerPtr<T>; }
    FieldContainerPtr getContainerPtr(UInt32 index) const override {
        if constexpr (detail::IsContainerPtr<T>)
            return index < _values.size() ? FieldContainerPtr(_values[index]) : FieldContainerPtr();
        else
            return FieldContainerPtr();
    }
    bool setContainerPtr(UInt32 index, const FieldContainerPtr& value) override {
        if constexpr (detail::IsContainerPtr<T>) {
            if (index >= _values.size())
                return false;
            _values[index] = detail::castContainerPtr<T>(value);
            return true;
        } else {
            return false;
        }
    }

    UInt32 getBinSize() const override {
        UInt32 size = sizeof(UInt32);
        for (const T& value : _values)
            size += FieldDataTraits<T>::getBinSize(value);
        return size;
    }
    void copyToBin(BinaryDataHandler& handler) const override {
        handler.putValue(size());
        for (const T& value : _values)
            FieldDataTraits<T>::copyToBin(handler, value);
    }
    /// Grows value by value, so a corrupt count stops at the end of the data
    /// instead of allocating what the count claims.
    void copyFromBin(BinaryDataHandler& handler) override {
        UInt32 count = 0;
        handler.getValue(count);
        _values.clear();
        for (UInt32 i = 0; i < count && !handler.failed(); ++i) {
            T value{};
            FieldDataTraits<T>::copyFromBin(handler, value);
            if (!handler.failed())
                _values.push_back(value);
        }
    }

private:
    StorageType _values;
};

using MFReal32 = MField<Real32>;
using MFUInt32 = MField<UInt32>;
using MFVec3f = MField<Vec3f>;
using MFPnt3f = MField<Pnt3f>;

} // namespace osg

#endif
