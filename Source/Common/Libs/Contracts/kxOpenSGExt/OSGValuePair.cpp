#include "OSGValuePair.h"

#include <algorithm>

namespace osg {

OSG_DEFINE_PTR_TRAITS(ValuePairPtr, "ValuePairPtr", "AttachmentPtr")

namespace {
FieldDescription* valuePairDescs[] = {
    OSG_MFIELD_DESC(ValuePair, std::string, "keys", Keys, false),
    OSG_MFIELD_DESC(ValuePair, std::string, "values", Values, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(ValuePair, "ValuePair", "Attachment", "ValuePair", &ValuePair::createEmpty,
                       valuePairDescs)
OSG_CONTAINER_DEF(ValuePair, ValuePair)

UInt32 ValuePair::find(const std::string& key) const {
    return static_cast<UInt32>(std::find(_mfKeys.begin(), _mfKeys.end(), key) - _mfKeys.begin());
}

void ValuePair::set(const std::string& key, const std::string& value) {
    const UInt32 index = find(key);
    if (index < getSize()) {
        _mfValues[index] = value;
        return;
    }
    // An unpaired tail is dropped first, so that the new pair lines up.
    const UInt32 pairs = getSize();
    _mfKeys.resize(pairs);
    _mfValues.resize(pairs);
    _mfKeys.push_back(key);
    _mfValues.push_back(value);
}

bool ValuePair::get(const std::string& key, std::string& value) const {
    const UInt32 index = find(key);
    if (index >= getSize())
        return false;
    value = _mfValues[index];
    return true;
}

bool ValuePair::del(const std::string& key) {
    const UInt32 index = find(key);
    if (index >= getSize())
        return false;
    _mfKeys.erase(_mfKeys.begin() + index);
    _mfValues.erase(_mfValues.begin() + index);
    return true;
}

// A stream or an edit of one list alone can leave them of different lengths:
// only whole pairs count, so every index below the size is valid in both.
UInt32 ValuePair::getSize() const {
    return std::min(_mfKeys.size(), _mfValues.size());
}

} // namespace osg
