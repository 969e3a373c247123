#include "platform/PictureCompleteness.h"

#include <cstring>

#include "platform/BmpInfo.h"
#include "platform/BmpRunLength.h"

namespace platform {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t Be16(Bytes b, size_t at) {
    return (std::uint32_t{b[at]} << 8) | b[at + 1];
}

bool UncompressedRowsPresent(Bytes pixels, const BmpInfo& info) {
    switch (info.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
    case 64:
        break;
    default:
        return true; // not a layout we measure; the decoder refuses it
    }
    return info.Rows() <= static_cast<std::int64_t>(pixels.size()) / info.Stride();
}

bool SkipSubBlocks(Bytes b, size_t& at) {
    for (;;) {
        if (at >= b.size())
            return false;
        const size_t length = b[at++];
        if (length == 0)
            return true;
        at += length;
    }
}

size_t ColourTableBytes(std::uint8_t flags) {
    return (flags & 0x80) ? 3 * (size_t{2} << (flags & 7)) : 0;
}

bool IsRestartOrStandalone(std::uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// From the first byte of entropy-coded data, the offset of the next marker
// that is not a restart marker, or the size when there is none.
size_t EndOfEntropyData(Bytes b, size_t at) {
    while (at < b.size()) {
        const void* found = std::memchr(b.data() + at, 0xFF, b.size() - at);
        if (!found)
            return b.size();
        at = static_cast<size_t>(static_cast<const std::uint8_t*>(found) - b.data());
        if (at + 1 >= b.size())
            return b.size();
        const std::uint8_t next = b[at + 1];
        if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7))
            return at;
        at += 2;
    }
    return b.size();
}

} // namespace

bool PictureCompleteness::Bmp(Bytes b) {
    const std::optional<BmpInfo> info = BmpInfo::Read(b);
    if (!info || info->width <= 0 || info->height == 0 || info->pixelOffset > b.size())
        return false;
    switch (info->compression) {
    case BmpInfo::kRgb:
    case BmpInfo::kBitFields:
    case BmpInfo::kAlphaBitFields:
        return UncompressedRowsPresent(b.subspan(info->pixelOffset), *info);
    case BmpInfo::kRle8:
    case BmpInfo::kRle4:
        return BmpRunLength::Complete(b, *info);
    default:
        return true;
    }
}

bool PictureCompleteness::Jpeg(Bytes b) {
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return false;
    size_t at = 2;
    bool sawScan = false;
    for (;;) {
        if (at >= b.size() || b[at] != 0xFF)
            return false;
        while (at < b.size() && b[at] == 0xFF) // fill bytes before a marker
            ++at;
        if (at >= b.size())
            return false;
        const std::uint8_t marker = b[at++];
        if (marker == 0xD9)
            return sawScan;
        if (marker == 0x00)
            return false;
        if (IsRestartOrStandalone(marker))
            continue;
        if (at + 2 > b.size())
            return false;
        const size_t length = Be16(b, at);
        if (length < 2 || length > b.size() - at)
            return false;
        at += length;
        if (marker == 0xDA) {
            sawScan = true;
            at = EndOfEntropyData(b, at);
        }
    }
}

bool PictureCompleteness::Gif(Bytes b) {
    constexpr size_t kScreenDescriptorEnd = 13;
    if (b.size() < kScreenDescriptorEnd)
        return false;
    size_t at = kScreenDescriptorEnd + ColourTableBytes(b[10]);
    for (;;) {
        if (at >= b.size())
            return false;
        const std::uint8_t block = b[at++];
        if (block == 0x21) { // extension: label, then data sub-blocks
            ++at;
            if (!SkipSubBlocks(b, at))
                return false;
        } else if (block == 0x2C) { // image descriptor, colour table, LZW data
            if (at + 9 > b.size())
                return false;
            at += 9 + ColourTableBytes(b[at + 8]);
            ++at; // minimum code size
            return SkipSubBlocks(b, at);
        } else {
            return false; // the trailer before any frame, or garbage
        }
    }
}

} // namespace platform
