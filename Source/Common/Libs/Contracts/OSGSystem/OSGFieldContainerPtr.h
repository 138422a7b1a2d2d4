#ifndef OSG_FIELD_CONTAINER_PTR_H
#define OSG_FIELD_CONTAINER_PTR_H

#include "OSGBaseTypes.h"

namespace osg {

class FieldContainer;
class NullFieldContainerPtr;

/// Reference-counting handle of a field container. It carries the container's
/// storage pointer, the container size and the position of the parent field
/// the pointer was stored in; two handles are equal when they point at the
/// same storage. Copying a handle never changes a count: that is `addRefCP`
/// and `subRefCP`'s work.
class FieldContainerPtr {
public:
    FieldContainerPtr() = default;
    FieldContainerPtr(const NullFieldContainerPtr&) {}
    explicit FieldContainerPtr(const FieldContainer* container);
    /// A handle to a container whose constructor is still running, when its size (a
    /// virtual) cannot be asked yet: `size` is the size of its concrete class.
    FieldContainerPtr(const FieldContainer* container, UInt32 size)
        : _containerSize(static_cast<UInt16>(size > 0xffff ? 0xffff : size)),
          _storeP(reinterpret_cast<UInt8*>(const_cast<FieldContainer*>(container))) {}

    FieldContainer* operator->() const { return getCPtr(); }
    FieldContainer& operator*() const { return *getCPtr(); }
    FieldContainer* getCPtr() const { return reinterpret_cast<FieldContainer*>(_storeP); }

    UInt8* getStorePtr() const { return _storeP; }
    UInt16 getContainerSize() const { return _containerSize; }
    UInt16 getParentFieldPos() const { return _parentFieldPos; }
    void setParentFieldPos(UInt16 position) { _parentFieldPos = position; }

    /// 0 for a null handle.
    UInt32 getFieldContainerId() const;
    /// 0 for a null handle.
    Int32 getRefCount() const;

    /// One more reference; nothing for a null handle.
    void addRef() const;
    /// One reference less; the container is destroyed when none is left.
    void subRef() const;

    bool isNull() const { return _storeP == nullptr; }
    explicit operator bool() const { return _storeP != nullptr; }

    bool operator==(const FieldContainerPtr& other) const { return _storeP == other._storeP; }
    bool operator!=(const FieldContainerPtr& other) const { return _storeP != other._storeP; }
    bool operator<(const FieldContainerPtr& other) const { return _storeP < other._storeP; }

private:
    UInt16 _containerSize = 0;
    UInt16 _parentFieldPos = 0xffff;
    UInt8* _storeP = nullptr;
};

/// Type of `NullFC`, convertible to every typed handle.
class NullFieldContainerPtr : public FieldContainerPtr {};

extern const NullFieldContainerPtr NullFC;

/// Typed handle: `FCPtr<NodeCorePtr, Group>` is a handle to a `Group` that
/// converts implicitly to every handle type above it.
template <class BasePtrT, class ObjectT> class FCPtr : public BasePtrT {
public:
    using StoredObjectType = ObjectT;
    using Inherited = BasePtrT;

    FCPtr() = default;
    FCPtr(const NullFieldContainerPtr&) {}
    explicit FCPtr(const ObjectT* object) : BasePtrT(object) {}

    ObjectT* operator->() const { return static_cast<ObjectT*>(this->getCPtr()); }
    ObjectT& operator*() const { return *operator->(); }
    ObjectT* getCPtr() const { return static_cast<ObjectT*>(FieldContainerPtr::getCPtr()); }

    /// The handle as this type when the container is an `ObjectT`, else null.
    static FCPtr dcast(const FieldContainerPtr& other) {
        ObjectT* object = dynamic_cast<ObjectT*>(other.getCPtr());
        FCPtr result;
        if (object != nullptr)
            static_cast<FieldContainerPtr&>(result) = other;
        return result;
    }
};

inline void addRefCP(const FieldContainerPtr& ptr) {
    ptr.addRef();
}
inline void subRefCP(const FieldContainerPtr& ptr) {
    ptr.subRef();
}

/// Stores `newValue` in `slot` with reference counting: nothing when both
/// point at the same container, else the old one loses a reference and the
/// new one gains one.
template <class PtrT> void setRefdCP(PtrT& slot, const PtrT& newValue) {
    if (slot == newValue)
        return;
    PtrT old = slot;
    newValue.addRef();
    slot = newValue;
    old.subRef();
}

/// Origin of a change as `changed` receives it.
namespace ChangedOrigin {
inline constexpr UInt32 External = 0x0001;
inline constexpr UInt32 Sync = 0x0002;
inline constexpr UInt32 Child = 0x0004;
} // namespace ChangedOrigin

/// Brackets a modification of a container. `endEditCP` records the change in
/// the thread's change list and calls the container's `changed` with exactly
/// this mask and origin. Both do nothing for a null handle.
void beginEditCP(const FieldContainerPtr& ptr, BitVector mask = ~BitVector(0),
                 UInt32 origin = ChangedOrigin::External);
void endEditCP(const FieldContainerPtr& ptr, BitVector mask = ~BitVector(0),
               UInt32 origin = ChangedOrigin::External);

} // namespace osg

#endif
