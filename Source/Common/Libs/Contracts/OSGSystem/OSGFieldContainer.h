#ifndef OSG_FIELD_CONTAINER_H
#define OSG_FIELD_CONTAINER_H

#include "OSGBaseTypes.h"
#include "OSGFieldContainerPtr.h"

namespace osg {

class BinaryDataHandler;
class Field;
class FieldContainerType;

/// Root of everything the scene graph stores: a numbered, reference-counted
/// set of fields described by its `FieldContainerType`. Field ids start at 1;
/// the mask of field `id` is `1 << id`.
class FieldContainer {
public:
    static constexpr UInt32 NextFieldId = 1;
    static constexpr BitVector NextFieldMask = BitVector(1) << NextFieldId;
    /// Fields that aspect synchronisation copies even when unchanged: none here.
    static constexpr BitVector MTInfluenceMask = 0;

    FieldContainer& operator=(const FieldContainer&) = delete;

    /// The abstract root type "FieldContainer".
    static FieldContainerType& getClassType();

    virtual FieldContainerType& getType() = 0;
    virtual const FieldContainerType& getType() const = 0;
    UInt32 getTypeId() const;
    UInt16 getGroupId() const;
    const char* getTypeName() const;

    /// Size of one object of the concrete class, in bytes.
    virtual UInt32 getContainerSize() const = 0;

    /// A new container of the same class with the same field values.
    virtual FieldContainerPtr shallowCopy() const = 0;

    UInt32 getId() const { return _id; }
    Int32 getRefCount() const { return _refCount; }

    /// The field with that id or name, through the type's descriptions; null if none.
    Field* getField(UInt32 fieldId);
    const Field* getField(UInt32 fieldId) const;
    Field* getField(const char* name);

    /// Binary field stream of the fields selected by `whichField`, in id order.
    virtual UInt64 getBinSize(const BitVector& whichField);
    virtual void copyToBin(BinaryDataHandler& handler, const BitVector& whichField);
    virtual void copyFromBin(BinaryDataHandler& handler, const BitVector& whichField);

    /// Called by `endEditCP` with the mask of the fields that were edited.
    virtual void changed(BitVector whichField, UInt32 origin);

    /// Called by the deep clone on the new copy after all its fields are set.
    virtual void onDeepClone();

    /// True for a field that ties the container into the scene's structure (a
    /// core's parents; a node's parent, children and core; an attachment's
    /// parents): copies leave it to the structure's own operations.
    virtual bool isStructuralField(UInt32 fieldId) const;

    virtual void dump(UInt32 indent = 0, const BitVector bvFlags = 0) const;

protected:
    FieldContainer() = default;
    /// Copies no identity: the copy gets its own id and starts unreferenced.
    FieldContainer(const FieldContainer&) {}
    virtual ~FieldContainer();

    /// Creation hook, run once the container is registered. Classes that need
    /// one hide it with their own; it is called statically, never virtually.
    void onCreate(const FieldContainer* /*source*/) {}

    /// Destruction hook, run when the last reference goes, before deletion.
    virtual void onDestroy();

    /// Copies the fields selected by `whichField` from another aspect copy.
    virtual void executeSync(FieldContainer& source, const BitVector& whichField);

    /// Copies every field that `upTo` describes (its own and its ancestors')
    /// and `whichField` selects. Structural fields are left alone; handles to
    /// owned containers move their references along.
    void copyDescribedFields(FieldContainer& source, const BitVector& whichField,
                             const FieldContainerType& upTo);
    /// Copies the values of a field that holds no handles; classes whose
    /// fields have bookkeeping override it.
    virtual void copyFieldValues(UInt32 fieldId, const Field& source);

    /// The stream parts of the fields that `upTo` describes and `whichField` selects.
    UInt64 describedBinSize(const BitVector& whichField, const FieldContainerType& upTo);
    void describedToBin(BinaryDataHandler& handler, const BitVector& whichField,
                        const FieldContainerType& upTo);
    void describedFromBin(BinaryDataHandler& handler, const BitVector& whichField,
                          const FieldContainerType& upTo);

    void setId(UInt32 id) { _id = id; }

    /// Allocates an ObjectT (a copy of `source` when given), registers it and
    /// runs its creation hook. ObjectT befriends FieldContainer for this.
    template <class ObjectT> static ObjectT* newContainer(const ObjectT* source) {
        ObjectT* object = source ? new ObjectT(*source) : new ObjectT();
        registerNewContainer(object);
        object->onCreate(source);
        return object;
    }

    /// Registers a newly allocated container with the factory, stores its id
    /// and records its creation in the thread's change list.
    static void registerNewContainer(FieldContainer* container);

private:
    friend class FieldContainerPtr;
    friend class FieldContainerFactory;

    static void destroy(FieldContainer* container);

    UInt32 _id = 0;
    Int32 _refCount = 0;
    bool _destroying = false;
};

} // namespace osg

#endif
