#include "image/DibLayout.h"

#include "platform/DibHeader.h"

namespace {

// Colour-table entries by bit count; -1 for a bit count that is not read.
int ColourEntries(int bitCount) {
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    case 16:
    case 24:
    case 32:
        return 0;
    default:
        return -1;
    }
}

std::optional<DibLayout> Fail(std::string* error, const char* text) {
    if (error)
        *error = text;
    return std::nullopt;
}

} // namespace

std::optional<DibLayout> DibLayout::Read(std::span<const std::uint8_t> dib, std::string* error) {
    using platform::DibHeader;
    const std::optional<DibHeader> header = DibHeader::Read(dib);
    if (!header || header->biSize < DibHeader::kSize)
        return Fail(error, kInvalidInputData);

    DibLayout layout;
    layout.bitCount = header->biBitCount;
    layout.colours = ColourEntries(layout.bitCount);
    if (layout.colours < 0)
        return Fail(error, kInvalidBitCount);
    if (header->biWidth <= 0 || header->biHeight <= 0 || header->biCompression != platform::BI_RGB)
        return Fail(error, kInvalidInputData);
    layout.width = header->biWidth;
    layout.height = header->biHeight;

    const std::uint64_t stride = static_cast<std::uint64_t>(header->Stride());
    layout.colourTable = header->biSize;
    layout.pixels = layout.colourTable + 4 * static_cast<std::size_t>(layout.colours);
    if (layout.pixels > dib.size())
        return Fail(error, kInvalidInputData);
    const std::uint64_t room = dib.size() - layout.pixels;
    if (static_cast<std::uint64_t>(layout.height) > room / stride)
        return Fail(error, kInvalidInputData);
    layout.stride = static_cast<std::size_t>(stride);
    return layout;
}
