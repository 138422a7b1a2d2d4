#include "OSGName.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(NamePtr, "NamePtr", "AttachmentPtr")

namespace {
FieldDescription* nameDescs[] = {
    OSG_SFIELD_DESC(Name, std::string, "name", Name, false),
    OSG_SFIELD_DESC(Name, UInt32, "encoding", Encoding, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(Name, "Name", "Attachment", "Name", &Name::createEmpty, nameDescs)
OSG_CONTAINER_DEF(Name, Name)

NamePtr getNameAttachment(const AttachmentContainerPtr& container) {
    if (container.isNull())
        return NamePtr();
    return NamePtr::dcast(container->findAttachment(Name::getClassType().getGroupId()));
}

const char* getName(const AttachmentContainerPtr& container) {
    NamePtr name = getNameAttachment(container);
    return name.isNull() ? nullptr : name->getName().c_str();
}

void setName(const AttachmentContainerPtr& container, const std::string& text) {
    if (container.isNull())
        return;
    NamePtr name = getNameAttachment(container);
    if (name.isNull()) {
        name = Name::create();
        if (name.isNull())
            return;
        beginEditCP(container, AttachmentContainer::AttachmentsFieldMask);
        container->addAttachment(name);
        endEditCP(container, AttachmentContainer::AttachmentsFieldMask);
    }
    beginEditCP(name, Name::NameFieldMask);
    name->setName(text);
    endEditCP(name, Name::NameFieldMask);
}

} // namespace osg
