#include "platform/DibHeader.h"

namespace platform {
namespace {

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return Le16(b, at) | (std::uint32_t{Le16(b, at + 2)} << 16);
}

void Put16(std::uint8_t* out, std::uint16_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

std::optional<DibHeader> DibHeader::Read(std::span<const std::uint8_t> b) {
    if (b.size() < 4)
        return std::nullopt;
    DibHeader h;
    h.biSize = Le32(b, 0);
    if (h.biSize < kCoreSize || h.biSize > b.size())
        return std::nullopt;
    if (h.biSize == kCoreSize) {
        h.biWidth = Le16(b, 4);
        h.biHeight = Le16(b, 6);
        h.biPlanes = Le16(b, 8);
        h.biBitCount = Le16(b, 10);
        return h;
    }
    if (h.biSize < 16)
        return std::nullopt;
    // Only the fields the header holds; later versions add fields at the end.
    const auto has = [&](std::size_t end) { return h.biSize >= end; };
    h.biWidth = static_cast<std::int32_t>(Le32(b, 4));
    h.biHeight = static_cast<std::int32_t>(Le32(b, 8));
    h.biPlanes = Le16(b, 12);
    h.biBitCount = Le16(b, 14);
    if (has(20))
        h.biCompression = Le32(b, 16);
    if (has(24))
        h.biSizeImage = Le32(b, 20);
    if (has(28))
        h.biXPelsPerMeter = static_cast<std::int32_t>(Le32(b, 24));
    if (has(32))
        h.biYPelsPerMeter = static_cast<std::int32_t>(Le32(b, 28));
    if (has(36))
        h.biClrUsed = Le32(b, 32);
    if (has(40))
        h.biClrImportant = Le32(b, 36);
    return h;
}

void DibHeader::Write(std::uint8_t* out) const {
    Put32(out + 0, biSize);
    Put32(out + 4, static_cast<std::uint32_t>(biWidth));
    Put32(out + 8, static_cast<std::uint32_t>(biHeight));
    Put16(out + 12, biPlanes);
    Put16(out + 14, biBitCount);
    Put32(out + 16, biCompression);
    Put32(out + 20, biSizeImage);
    Put32(out + 24, static_cast<std::uint32_t>(biXPelsPerMeter));
    Put32(out + 28, static_cast<std::uint32_t>(biYPelsPerMeter));
    Put32(out + 32, biClrUsed);
    Put32(out + 36, biClrImportant);
}

} // namespace platform
