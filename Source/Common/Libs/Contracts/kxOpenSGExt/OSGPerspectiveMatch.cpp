#include "OSGPerspectiveMatch.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(PerspectiveMatchPtr, "PerspectiveMatchPtr", "FieldContainerPtr")

namespace {
FieldDescription* perspectiveMatchDescs[] = {
    OSG_SFIELD_DESC(PerspectiveMatch, bool, "enabled", Enabled, false),
    OSG_SFIELD_DESC(PerspectiveMatch, Vec2f, "imageSize", ImageSize, false),
};
} // namespace

OSG_CONTAINER_TYPE_DEF(PerspectiveMatch, "PerspectiveMatch", "FieldContainer", nullptr,
                       &PerspectiveMatch::createEmpty, perspectiveMatchDescs)
OSG_CONTAINER_DEF(PerspectiveMatch, PerspectiveMatch)

void PerspectiveMatch::syncWith(const PerspectiveMatchPtr& source, BitVector mask) {
    if (source.isNull())
        return;
    copyDescribedFields(*source, mask, getClassType());
}

} // namespace osg
