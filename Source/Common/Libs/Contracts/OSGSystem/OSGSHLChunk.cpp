#include "OSGSHLChunk.h"

namespace osg {

OSG_DEFINE_PTR_TRAITS(SHLChunkPtr, "SHLChunkPtr", "ShaderParameterChunkPtr")

OSG_CONTAINER_TYPE_DEF_NO_FIELDS(SHLChunk, "SHLChunk", "ShaderParameterChunk", nullptr,
                                 &SHLChunk::createEmpty)
OSG_CONTAINER_DEF(SHLChunk, SHLChunk)

} // namespace osg
