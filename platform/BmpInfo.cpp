#include "platform/BmpInfo.h"

namespace platform {
namespace {

std::uint32_t Le16(std::span<const std::uint8_t> b, size_t at) {
    return b[at] | (std::uint32_t{b[at + 1]} << 8);
}

std::uint32_t Le32(std::span<const std::uint8_t> b, size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

} // namespace

std::optional<BmpInfo> BmpInfo::Read(std::span<const std::uint8_t> b) {
    if (b.size() < kFileHeaderSize + 4)
        return std::nullopt;
    BmpInfo info;
    info.pixelOffset = Le32(b, 10);
    info.headerSize = Le32(b, 14);
    if (info.headerSize < 12 || info.headerSize > b.size() - kFileHeaderSize)
        return std::nullopt;
    if (info.headerSize == 12) {
        info.width = Le16(b, 18);
        info.height = Le16(b, 20);
        info.bitCount = Le16(b, 24);
        return info;
    }
    if (info.headerSize < 16)
        return std::nullopt;
    info.width = static_cast<std::int32_t>(Le32(b, 18));
    info.height = static_cast<std::int32_t>(Le32(b, 22));
    info.bitCount = Le16(b, 28);
    if (info.headerSize >= 20)
        info.compression = Le32(b, 30);
    return info;
}

} // namespace platform
