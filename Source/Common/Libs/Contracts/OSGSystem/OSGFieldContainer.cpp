#include "OSGFieldContainer.h"

#include "OSGBinaryDataHandler.h"
#include "OSGChangeList.h"
#include "OSGField.h"
#include "OSGFieldContainerFactory.h"
#include "OSGFieldContainerType.h"
#include "OSGFieldDescription.h"
#include "OSGLog.h"
#include "OSGThread.h"

#include <vector>

namespace osg {

const NullFieldContainerPtr NullFC;

FieldContainerPtr::FieldContainerPtr(const FieldContainer* container) {
    if (container == nullptr)
        return;
    _storeP = reinterpret_cast<UInt8*>(const_cast<FieldContainer*>(container));
    UInt32 size = container->getContainerSize();
    _containerSize = static_cast<UInt16>(size > 0xffff ? 0xffff : size);
}

UInt32 FieldContainerPtr::getFieldContainerId() const {
    return _storeP ? getCPtr()->getId() : 0;
}

Int32 FieldContainerPtr::getRefCount() const {
    return _storeP ? getCPtr()->_refCount : 0;
}

void FieldContainerPtr::addRef() const {
    if (_storeP == nullptr || getCPtr()->_destroying)
        return;
    ++getCPtr()->_refCount;
}

void FieldContainerPtr::subRef() const {
    if (_storeP == nullptr)
        return;
    FieldContainer* container = getCPtr();
    if (container->_destroying)
        return;
    if (--container->_refCount <= 0)
        FieldContainer::destroy(container);
}

void beginEditCP(const FieldContainerPtr&, BitVector, UInt32) {}

void endEditCP(const FieldContainerPtr& ptr, BitVector mask, UInt32 origin) {
    if (ptr.isNull())
        return;
    Thread::getCurrentChangeList()->addChanged(ptr.getFieldContainerId(), mask);
    ptr->changed(mask, origin);
}

FieldContainerType& FieldContainer::getClassType() {
    static FieldContainerType type("FieldContainer");
    return type;
}

namespace {
// Registers the root type at load time, before any container type names it.
const FieldContainerType& rootType = FieldContainer::getClassType();
} // namespace

FieldContainer::~FieldContainer() = default;

UInt32 FieldContainer::getTypeId() const {
    return getType().getId();
}
UInt16 FieldContainer::getGroupId() const {
    return getType().getGroupId();
}
const char* FieldContainer::getTypeName() const {
    return getType().getCName();
}

Field* FieldContainer::getField(UInt32 fieldId) {
    const FieldDescription* desc = getType().getFieldDescription(fieldId);
    return desc ? desc->getField(*this) : nullptr;
}

const Field* FieldContainer::getField(UInt32 fieldId) const {
    return const_cast<FieldContainer*>(this)->getField(fieldId);
}

Field* FieldContainer::getField(const char* name) {
    const FieldDescription* desc = getType().findFieldDescription(name);
    return desc ? desc->getField(*this) : nullptr;
}

UInt64 FieldContainer::getBinSize(const BitVector& whichField) {
    return describedBinSize(whichField, getType());
}

void FieldContainer::copyToBin(BinaryDataHandler& handler, const BitVector& whichField) {
    describedToBin(handler, whichField, getType());
}

void FieldContainer::copyFromBin(BinaryDataHandler& handler, const BitVector& whichField) {
    describedFromBin(handler, whichField, getType());
}

void FieldContainer::changed(BitVector, UInt32) {}

void FieldContainer::onDeepClone() {}

void FieldContainer::dump(UInt32, const BitVector) const {
    osgLog().lock();
    osgLog().doHeader(LOG_LOG, "OpenSG", __FILE__, __LINE__)
        << "Dump " << getTypeName() << " " << getId() << "\n";
    osgLog().unlock();
}

void FieldContainer::onDestroy() {}

void FieldContainer::executeSync(FieldContainer& source, const BitVector& whichField) {
    copyDescribedFields(source, whichField, getType());
}

namespace {

// Calls `visit(field id)` for each field id that `type` describes and `mask`
// selects, in ascending id order.
template <class VisitorT>
void forEachDescribedField(const FieldContainerType& type, BitVector mask, VisitorT visit) {
    for (UInt32 id = 0; id < 64; ++id) {
        if ((mask & (BitVector(1) << id)) == 0)
            continue;
        if (type.getFieldDescription(id) != nullptr)
            visit(id);
    }
}

} // namespace

void FieldContainer::copyDescribedFields(FieldContainer& source, const BitVector& whichField,
                                         const FieldContainerType& upTo) {
    if (&source == this)
        return;
    forEachDescribedField(upTo, whichField, [&](UInt32 id) {
        Field* to = getField(id);
        const Field* from = source.getField(id);
        if (to == nullptr || from == nullptr || isStructuralField(id))
            return;
        if (!from->holdsContainerPtrs()) {
            copyFieldValues(id, *from);
            return;
        }
        // Distinct containers each own what they point at: move references along.
        std::vector<FieldContainerPtr> old;
        for (UInt32 i = 0; i < to->getSize(); ++i)
            old.push_back(to->getContainerPtr(i));
        to->copyValuesFrom(*from);
        for (UInt32 i = 0; i < to->getSize(); ++i)
            to->getContainerPtr(i).addRef();
        for (const FieldContainerPtr& value : old)
            value.subRef();
    });
}

bool FieldContainer::isStructuralField(UInt32) const {
    return false;
}

void FieldContainer::copyFieldValues(UInt32 fieldId, const Field& source) {
    if (Field* field = getField(fieldId))
        field->copyValuesFrom(source);
}

UInt64 FieldContainer::describedBinSize(const BitVector& whichField,
                                        const FieldContainerType& upTo) {
    UInt64 size = 0;
    forEachDescribedField(upTo, whichField, [&](UInt32 id) {
        if (const Field* field = getField(id))
            size += field->getBinSize();
    });
    return size;
}

void FieldContainer::describedToBin(BinaryDataHandler& handler, const BitVector& whichField,
                                    const FieldContainerType& upTo) {
    forEachDescribedField(upTo, whichField, [&](UInt32 id) {
        if (const Field* field = getField(id))
            field->copyToBin(handler);
    });
}

void FieldContainer::describedFromBin(BinaryDataHandler& handler, const BitVector& whichField,
                                      const FieldContainerType& upTo) {
    forEachDescribedField(upTo, whichField, [&](UInt32 id) {
        if (Field* field = getField(id))
            field->copyFromBin(handler);
    });
}

void FieldContainer::registerNewContainer(FieldContainer* container) {
    container->setId(
        FieldContainerFactory::the()->registerFieldContainer(FieldContainerPtr(container)));
    if (ChangeList* list = Thread::getCurrentChangeList())
        list->addCreated(container->getId());
}

void FieldContainer::destroy(FieldContainer* container) {
    container->_destroying = true;
    container->onDestroy();
    FieldContainerFactory::the()->unregisterFieldContainer(FieldContainerPtr(container));
    delete container;
}

} // namespace osg
