#ifndef OSG_FIELD_CONTAINER_MACROS_H
#define OSG_FIELD_CONTAINER_MACROS_H

// The regular parts of a container class, written once: type access, creation
// and per-field accessors. Classes with behaviour of their own write it by hand
// beside these.

#include "OSGFieldContainerType.h"
#include "OSGFieldDescription.h"

/// Type access of an abstract container class whose handle type is PTR.
#define OSG_ABSTRACT_CONTAINER_DECL(PTR)                                                           \
public:                                                                                            \
    using Ptr = PTR;                                                                               \
    static ::osg::FieldContainerType& getClassType();                                              \
    static ::osg::UInt32 getClassTypeId() {                                                        \
        return getClassType().getId();                                                             \
    }                                                                                              \
    ::osg::FieldContainerType& getType() override {                                                \
        return getClassType();                                                                     \
    }                                                                                              \
    const ::osg::FieldContainerType& getType() const override {                                    \
        return getClassType();                                                                     \
    }

/// Type access and creation of a concrete container class; OBJECT is the class
/// that is allocated (a base class allocates its hand-written subclass).
#define OSG_CONTAINER_DECL(PTR, OBJECT)                                                            \
    OSG_ABSTRACT_CONTAINER_DECL(PTR)                                                               \
    /** A copy of the type's prototype, or null before the scene graph starts. */                  \
    static PTR create() {                                                                          \
        return PTR::dcast(getClassType().createFieldContainer());                                  \
    }                                                                                              \
    static ::osg::FieldContainerPtr createEmpty();                                                 \
    ::osg::FieldContainerPtr shallowCopy() const override;                                         \
    ::osg::UInt32 getContainerSize() const override;

/// Defines what OSG_CONTAINER_DECL declared. OBJECT must befriend FieldContainer.
#define OSG_CONTAINER_DEF(CLASS, OBJECT)                                                           \
    ::osg::FieldContainerPtr CLASS::createEmpty() {                                                \
        return ::osg::FieldContainerPtr(newContainer<OBJECT>(nullptr));                            \
    }                                                                                              \
    ::osg::FieldContainerPtr CLASS::shallowCopy() const {                                          \
        return ::osg::FieldContainerPtr(newContainer<OBJECT>(static_cast<const OBJECT*>(this)));   \
    }                                                                                              \
    ::osg::UInt32 CLASS::getContainerSize() const {                                                \
        return sizeof(OBJECT);                                                                     \
    }

/// Defines the registered type of CLASS: static `_type` built at load time from
/// the description array DESCS.
#define OSG_CONTAINER_TYPE_DEF(CLASS, NAME, PARENT, GROUP, CREATE, DESCS)                          \
    ::osg::FieldContainerType CLASS::_type(NAME, PARENT, GROUP, CREATE, nullptr, DESCS,            \
                                           sizeof(DESCS), false);                                  \
    ::osg::FieldContainerType& CLASS::getClassType() {                                             \
        return _type;                                                                              \
    }

/// Defines the registered type of a CLASS that adds no fields.
#define OSG_CONTAINER_TYPE_DEF_NO_FIELDS(CLASS, NAME, PARENT, GROUP, CREATE)                       \
    ::osg::FieldContainerType CLASS::_type(NAME, PARENT, GROUP, CREATE, nullptr, nullptr, 0,       \
                                           false);                                                 \
    ::osg::FieldContainerType& CLASS::getClassType() {                                             \
        return _type;                                                                              \
    }

/// Read accessors of a single field NAME holding TYPE, stored as `_sf<NAME>`.
#define OSG_SFIELD_GET(TYPE, NAME)                                                                 \
    TYPE& get##NAME() {                                                                            \
        return _sf##NAME.getValue();                                                               \
    }                                                                                              \
    const TYPE& get##NAME() const {                                                                \
        return _sf##NAME.getValue();                                                               \
    }                                                                                              \
    TYPE& edit##NAME() {                                                                           \
        return _sf##NAME.getValue();                                                               \
    }                                                                                              \
    ::osg::SField<TYPE>* editSF##NAME() {                                                          \
        return &_sf##NAME;                                                                         \
    }                                                                                              \
    const ::osg::SField<TYPE>* getSF##NAME() const {                                               \
        return &_sf##NAME;                                                                         \
    }

/// Read accessors and the plain setter of a single field.
#define OSG_SFIELD_ACCESS(TYPE, NAME)                                                              \
    OSG_SFIELD_GET(TYPE, NAME)                                                                     \
    void set##NAME(const TYPE& value) {                                                            \
        _sf##NAME.setValue(value);                                                                 \
    }

/// Accessors of a multi field NAME holding TYPE, stored as `_mf<NAME>`.
#define OSG_MFIELD_ACCESS(TYPE, NAME)                                                              \
    ::osg::MField<TYPE>& get##NAME() {                                                             \
        return _mf##NAME;                                                                          \
    }                                                                                              \
    const ::osg::MField<TYPE>& get##NAME() const {                                                 \
        return _mf##NAME;                                                                          \
    }                                                                                              \
    ::osg::MField<TYPE>* editMF##NAME() {                                                          \
        return &_mf##NAME;                                                                         \
    }                                                                                              \
    const ::osg::MField<TYPE>* getMF##NAME() const {                                               \
        return &_mf##NAME;                                                                         \
    }

/// Field id and mask constants: NAME##FieldId = ID, NAME##FieldMask = 1 << ID.
#define OSG_FIELD_ID(NAME, ID)                                                                     \
    static constexpr ::osg::UInt32 NAME##FieldId = (ID);                                           \
    static constexpr ::osg::BitVector NAME##FieldMask = ::osg::BitVector(1) << (ID);

/// A description of single field NAME of CLASS.
#define OSG_SFIELD_DESC(CLASS, TYPE, NAME_TEXT, NAME, INTERNAL)                                    \
    new ::osg::FieldDescription(::osg::SField<TYPE>::getClassType(), NAME_TEXT,                    \
                                CLASS::NAME##FieldId, CLASS::NAME##FieldMask, INTERNAL,            \
                                &::osg::accessField<&CLASS::editSF##NAME>)

/// A description of multi field NAME of CLASS.
#define OSG_MFIELD_DESC(CLASS, TYPE, NAME_TEXT, NAME, INTERNAL)                                    \
    new ::osg::FieldDescription(::osg::MField<TYPE>::getClassType(), NAME_TEXT,                    \
                                CLASS::NAME##FieldId, CLASS::NAME##FieldMask, INTERNAL,            \
                                &::osg::accessField<&CLASS::editMF##NAME>)

#endif
