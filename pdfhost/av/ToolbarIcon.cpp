#include "pdfhost/av/ToolbarIcon.h"

#include <cstdlib>

#include "pdfhost/core/HostError.h"

namespace pdfhost::av {
namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

[[noreturn]] void Bad(const std::string& why) {
    Raise(kErrBadParameter, "The toolbar icon is not a BMP picture: " + why + ".");
}

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kCoreHeader = 12;
constexpr std::size_t kInfoHeader = 40;

} // namespace

ToolbarIcon ToolbarIcon::FromBmp(const std::uint8_t* bytes, std::size_t length) {
    if (!bytes || length < kFileHeader + kCoreHeader)
        Bad("it is too short");
    if (bytes[0] != 'B' || bytes[1] != 'M')
        Bad("it does not start with \"BM\"");
    const std::uint32_t pixelOffset = U32(bytes + 10);
    const std::uint32_t headerSize = U32(bytes + 14);
    if (headerSize != kCoreHeader && headerSize < kInfoHeader)
        Bad("its info header has an unknown size");
    if (headerSize > length - kFileHeader)
        Bad("its info header is cut off");
    if (pixelOffset < kFileHeader + headerSize || pixelOffset > length)
        Bad("its pixel data lies outside the file");

    ToolbarIcon icon;
    const std::uint8_t* info = bytes + kFileHeader;
    if (headerSize == kCoreHeader) {
        icon.width_ = U16(info + 4);
        icon.height_ = U16(info + 6);
        icon.bitsPerPixel_ = U16(info + 10);
    } else {
        const auto width = static_cast<std::int32_t>(U32(info + 4));
        const auto height = static_cast<std::int32_t>(U32(info + 8));
        if (width <= 0 || height == 0 || height == INT32_MIN)
            Bad("its size is not valid");
        icon.width_ = width;
        icon.height_ = std::abs(height);
        icon.bitsPerPixel_ = U16(info + 14);
    }
    if (icon.width_ == 0 || icon.height_ == 0)
        Bad("its size is not valid");
    icon.bytes_.assign(bytes, bytes + length);
    return icon;
}

std::string ToolbarIcon::Describe() const {
    return std::to_string(width_) + "x" + std::to_string(height_) + " " +
           std::to_string(bitsPerPixel_) + "-bit";
}

} // namespace pdfhost::av
