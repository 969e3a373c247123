#include "platform/BmpInfo.h"

namespace platform {

std::optional<BmpInfo> BmpInfo::Read(std::span<const std::uint8_t> b) {
    if (b.size() < kFileHeaderSize)
        return std::nullopt;
    const std::optional<DibHeader> header = DibHeader::Read(b.subspan(kFileHeaderSize));
    if (!header)
        return std::nullopt;
    BmpInfo info;
    info.pixelOffset = b[10] | (std::uint32_t{b[11]} << 8) | (std::uint32_t{b[12]} << 16) |
                       (std::uint32_t{b[13]} << 24);
    info.header = *header;
    return info;
}

} // namespace platform
