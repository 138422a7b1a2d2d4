#ifndef KX_DISPLAY_TYPES_H
#define KX_DISPLAY_TYPES_H

#include <cstdint>

/// The kind of display the image is made for.
enum kxDisplay : std::int32_t {
    /// An ordinary (SDR) monitor.
    kxDisplayMonitor = 0,
    /// A display that applies its own tone curve: the image gets only its exposure.
    kxDisplayExternalTonemapping = 1,
    /// An HDR display (peak 1000 nits).
    kxDisplayHDR = 2,
};

/// Which sensor response the colour management applies (see `kxLumivex`).
enum kxSensorResponse : std::uint32_t {
    kxSensorResponseCurve = 0,
    kxSensorResponseFilm = 1,
    kxSensorResponseVideo = 2,
    kxSensorResponseLinear = 3,
};

#endif
