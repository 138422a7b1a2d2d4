#include "OSGSensorResponseCurve.h"

#include "kxUtils.h"

#include <charconv>
#include <cstring>
#include <fstream>
#include <string>

namespace osg {

OSG_DEFINE_PTR_TRAITS(SensorResponseCurvePtr, "SensorResponseCurvePtr", "FieldContainerPtr")

namespace {
FieldDescription* sensorResponseCurveDescs[] = {
    OSG_MFIELD_DESC(SensorResponseCurve, Real32, "curveData", CurveData, false),
};

// The first line of a curve file (docs/response-curves.md); text may follow it.
constexpr const char* CurveFileMagic = "KXCRV1";

// One "r g b" line; false unless it holds exactly three numbers.
bool parseTriple(const std::string& line, Real32 (&rgb)[3]) {
    const char* at = line.data();
    const char* end = line.data() + line.size();
    for (Real32& value : rgb) {
        while (at != end && (*at == ' ' || *at == '\t'))
            ++at;
        auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc())
            return false;
        at = next;
    }
    while (at != end && (*at == ' ' || *at == '\t' || *at == '\r'))
        ++at;
    return at == end;
}
} // namespace

OSG_CONTAINER_TYPE_DEF(SensorResponseCurve, "SensorResponseCurve", "FieldContainer", nullptr,
                       &SensorResponseCurve::createEmpty, sensorResponseCurveDescs)
OSG_CONTAINER_DEF(SensorResponseCurve, SensorResponseCurve)

void SensorResponseCurve::setCurveData(const std::vector<Real32>& data) {
    _mfCurveData.setValues(data);
    renewCheckSum();
}

bool SensorResponseCurve::loadSensorResponseCurve(const std::string& name) {
    const std::string path = kxUtils::findDataFile(name);
    if (path.empty())
        return false;
    std::ifstream in(path);
    std::string line;
    if (!std::getline(in, line) ||
        line.compare(0, std::strlen(CurveFileMagic), CurveFileMagic) != 0)
        return false;
    std::vector<Real32> data;
    data.reserve(CurveEntries * 3);
    while (std::getline(in, line)) {
        if (line.empty() || line == "\r")
            continue;
        Real32 rgb[3];
        if (data.size() == CurveEntries * 3 || !parseTriple(line, rgb))
            return false;
        data.insert(data.end(), rgb, rgb + 3);
    }
    if (data.size() != CurveEntries * 3)
        return false;
    setCurveData(data);
    return true;
}

void SensorResponseCurve::changed(BitVector whichField, UInt32 origin) {
    if (whichField & CurveDataFieldMask)
        renewCheckSum();
    Inherited::changed(whichField, origin);
}

// 64-bit FNV-1a over the bytes of the data; 0 stands for "no curve".
void SensorResponseCurve::renewCheckSum() {
    const std::vector<Real32>& values = _mfCurveData.getValues();
    if (values.empty()) {
        _checkSum = 0;
        return;
    }
    UInt64 hash = 0xcbf29ce484222325ull;
    const auto* bytes = reinterpret_cast<const unsigned char*>(values.data());
    for (std::size_t i = 0; i < values.size() * sizeof(Real32); ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ull;
    }
    _checkSum = hash;
}

} // namespace osg
