#include "platform/BmpRunLength.h"

#include <algorithm>

#include "platform/Raster.h"

namespace platform {
namespace {

using Bytes = std::span<const std::uint8_t>;

// Walks the codes, handing every pixel they set to put(x, row, index), rows
// counted from the bottom. Returns whether the codes are complete.
template <typename Put> bool Walk(Bytes codes, std::int64_t rows, bool nibbles, Put&& put) {
    const auto pixel = [nibbles](std::uint8_t value, size_t i) -> std::uint8_t {
        return nibbles ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value;
    };
    size_t at = 0;
    std::int64_t x = 0, row = 0;
    while (at + 2 <= codes.size()) {
        const std::uint8_t count = codes[at];
        const std::uint8_t code = codes[at + 1];
        at += 2;
        if (count != 0) { // a run of one value (two alternating nibbles)
            for (size_t i = 0; i < count; ++i)
                put(x++, row, pixel(code, i));
        } else if (code == 0) {
            x = 0;
            ++row;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (at + 2 > codes.size())
                return false;
            x += codes[at];
            row += codes[at + 1];
            at += 2;
        } else { // literal pixels, padded to an even number of bytes
            const size_t length = nibbles ? (code + 1u) / 2 : code;
            if (at + length > codes.size())
                return false;
            for (size_t i = 0; i < code; ++i)
                put(x++, row, pixel(codes[at + (nibbles ? i / 2 : i)], i));
            at += (length + 1) & ~size_t{1};
        }
    }
    return row >= rows;
}

bool Applies(const BmpInfo& info) {
    return (info.header.biCompression == BI_RLE8 && info.header.biBitCount == 8) ||
           (info.header.biCompression == BI_RLE4 && info.header.biBitCount == 4);
}

void Put32(std::vector<std::uint8_t>& b, size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

bool BmpRunLength::Complete(Bytes file, const BmpInfo& info) {
    if (!Applies(info) || info.pixelOffset > file.size())
        return false;
    return Walk(file.subspan(info.pixelOffset), info.Rows(), info.header.biCompression == BI_RLE4,
                [](std::int64_t, std::int64_t, std::uint8_t) {});
}

std::optional<std::vector<std::uint8_t>> BmpRunLength::Expand(Bytes file, const BmpInfo& info) {
    // Pixels that start inside the headers would have the rewritten header
    // overwrite them, or run past a short output.
    const std::size_t headersEnd = BmpInfo::kFileHeaderSize + info.header.biSize;
    if (!Applies(info) || info.Height() <= 0 || info.pixelOffset > file.size() ||
        info.pixelOffset < headersEnd || info.header.biSize < DibHeader::kSize ||
        !Raster::FitsBitmapLimit(info.Width(), info.Height()))
        return std::nullopt;
    const bool nibbles = info.header.biCompression == BI_RLE4;
    const size_t stride = static_cast<size_t>(info.Stride());
    const size_t rows = static_cast<size_t>(info.Height());

    std::vector<std::uint8_t> out(file.begin(), file.begin() + info.pixelOffset);
    out.resize(out.size() + stride * rows, 0); // index 0 wherever the codes skip
    std::uint8_t* pixels = out.data() + info.pixelOffset;
    const auto put = [&](std::int64_t x, std::int64_t row, std::uint8_t index) {
        if (x < 0 || x >= info.Width() || row < 0 || row >= info.Height())
            return;
        std::uint8_t* line = pixels + stride * static_cast<size_t>(row);
        if (nibbles) {
            std::uint8_t& byte = line[x / 2];
            byte = (x % 2 == 0) ? static_cast<std::uint8_t>((byte & 0x0F) | (index << 4))
                                : static_cast<std::uint8_t>((byte & 0xF0) | index);
        } else {
            line[x] = index;
        }
    };
    if (!Walk(file.subspan(info.pixelOffset), info.Rows(), nibbles, put))
        return std::nullopt;

    Put32(out, 2, static_cast<std::uint32_t>(out.size())); // file size
    DibHeader expandedHeader = info.header;
    expandedHeader.biCompression = BI_RGB;
    expandedHeader.biSizeImage = static_cast<std::uint32_t>(stride * rows);
    expandedHeader.Write(out.data() + BmpInfo::kFileHeaderSize);
    return out;
}

} // namespace platform
