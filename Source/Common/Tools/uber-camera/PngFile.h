#ifndef UBER_CAMERA_TOOL_PNG_FILE_H
#define UBER_CAMERA_TOOL_PNG_FILE_H

#include <cstdint>
#include <string>
#include <vector>

namespace render {

/// An 8-bit RGB image, top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    const std::uint8_t* pixel(int x, int y) const { return &rgb[(std::size_t(y) * width + x) * 3]; }
};

/// Writes `image` as an sRGB PNG. The file appears whole or not at all: it is
/// written beside `path` under a temporary name and renamed. False with the
/// reason in `error`.
bool writePng(const std::string& path, const Image& image, std::string* error);
/// Reads any PNG as 8-bit RGB; false with the reason in `error`.
bool readPng(const std::string& path, Image& image, std::string* error);

} // namespace render

#endif
