#include "platform/PictureCompleteness.h"

#include <cstring>

namespace platform {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t Le16(Bytes b, size_t at) {
    return b[at] | (std::uint32_t{b[at + 1]} << 8);
}

std::uint32_t Le32(Bytes b, size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

std::uint32_t Be16(Bytes b, size_t at) {
    return (std::uint32_t{b[at]} << 8) | b[at + 1];
}

// BMP compression codes.
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

bool UncompressedRowsPresent(Bytes pixels, std::int64_t width, std::int64_t rows,
                             std::uint32_t bitCount) {
    switch (bitCount) {
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
    const std::int64_t stride = (width * bitCount + 31) / 32 * 4;
    return rows <= static_cast<std::int64_t>(pixels.size()) / stride;
}

// Walks the run-length codes until the end-of-bitmap code. A stream that
// stops without one still counts when its end-of-line codes cover every row.
bool RunLengthCodesPresent(Bytes codes, std::int64_t rows, bool nibbles) {
    size_t at = 0;
    std::int64_t row = 0;
    while (at + 2 <= codes.size()) {
        const std::uint8_t count = codes[at];
        const std::uint8_t code = codes[at + 1];
        at += 2;
        if (count != 0)
            continue; // a run of one value
        if (code == 0) {
            ++row;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (at + 2 > codes.size())
                return false;
            row += codes[at + 1];
            at += 2;
        } else {
            // Literal pixels, padded to an even number of bytes.
            const size_t length = nibbles ? (code + 1u) / 2 : code;
            at += (length + 1) & ~size_t{1};
            if (at > codes.size())
                return false;
        }
    }
    return row >= rows;
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
    constexpr size_t kFileHeader = 14;
    if (b.size() < kFileHeader + 4)
        return false;
    const std::uint32_t pixelOffset = Le32(b, 10);
    const std::uint32_t headerSize = Le32(b, 14);
    if (headerSize < 12 || headerSize > b.size() - kFileHeader)
        return false;

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = kRgb;
    if (headerSize == 12) { // the old core header: 16-bit sizes
        width = Le16(b, 18);
        height = Le16(b, 20);
        bitCount = Le16(b, 24);
    } else {
        if (headerSize < 16)
            return false;
        width = static_cast<std::int32_t>(Le32(b, 18));
        height = static_cast<std::int32_t>(Le32(b, 22));
        bitCount = Le16(b, 28);
        if (headerSize >= 20)
            compression = Le32(b, 30);
    }
    if (width <= 0 || height == 0 || pixelOffset > b.size())
        return false;
    const std::int64_t rows = height < 0 ? -height : height;
    const Bytes pixels = b.subspan(pixelOffset);

    switch (compression) {
    case kRgb:
    case kBitFields:
    case kAlphaBitFields:
        return UncompressedRowsPresent(pixels, width, rows, bitCount);
    case kRle8:
        return RunLengthCodesPresent(pixels, rows, false);
    case kRle4:
        return RunLengthCodesPresent(pixels, rows, true);
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
