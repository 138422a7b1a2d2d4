#ifndef OSG_VALUE_PAIR_H
#define OSG_VALUE_PAIR_H

#include "OSGAttachment.h"
#include "OSGMField.h"

#include <string>

namespace osg {

using MFString = MField<std::string>;

class ValuePair;
using ValuePairPtr = FCPtr<AttachmentPtr, ValuePair>;

OSG_DECLARE_PTR_TRAITS(ValuePairPtr);

/// Text entries under text keys hung on a container, each key at most once,
/// in the order they were first set. Older scenes mark camera tracks with it.
class ValuePair : public Attachment {
    OSG_CONTAINER_DECL(ValuePairPtr, ValuePair)

public:
    using Inherited = Attachment;
    OSG_FIELD_ID(Keys, Inherited::NextFieldId)
    OSG_FIELD_ID(Values, Inherited::NextFieldId + 1)
    static constexpr UInt32 NextFieldId = Inherited::NextFieldId + 2;

    /// Parallel lists: `Values[i]` belongs to `Keys[i]`.
    OSG_MFIELD_ACCESS(std::string, Keys)
    OSG_MFIELD_ACCESS(std::string, Values)

    /// Gives `key` the text `value`, adding the entry when the key is new.
    void set(const std::string& key, const std::string& value);
    /// Copies the text of `key` into `value`; false, with `value` untouched,
    /// when there is no such key.
    bool get(const std::string& key, std::string& value) const;
    /// Removes the entry of `key`; false when there is none.
    bool del(const std::string& key);
    /// Number of entries.
    UInt32 getSize() const;

protected:
    friend class FieldContainer;
    ValuePair() = default;
    ValuePair(const ValuePair& source) = default;

private:
    static FieldContainerType _type;

    /// Index of `key`, or the number of entries when it is missing.
    UInt32 find(const std::string& key) const;

    MFString _mfKeys;
    MFString _mfValues;
};

} // namespace osg

#endif
