#include "image/DibToRgbRows.h"

#include "image/DibLayout.h"

namespace {

std::uint8_t Expand5(unsigned v) {
    if (v == 0)
        return 0;
    if (v == 31)
        return 255;
    return static_cast<std::uint8_t>(8 * v + 8);
}

void PutEntry(const std::uint8_t* colourTable, unsigned index, std::uint8_t* out) {
    const std::uint8_t* entry = colourTable + 4 * index; // blue, green, red, reserved
    out[0] = entry[2];
    out[1] = entry[1];
    out[2] = entry[0];
}

// Pixels of `bits` bits (1 or 4) packed from the most significant end.
void ConvertIndexedRow(const std::uint8_t* in, int width, int bits, const std::uint8_t* colourTable,
                       std::uint8_t* out) {
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        PutEntry(colourTable, (in[x / perByte] >> shift) & mask, out + 3 * x);
    }
}

void ConvertRow(const DibLayout& layout, const std::uint8_t* dib, const std::uint8_t* in,
                std::uint8_t* out) {
    const std::uint8_t* colourTable = dib + layout.colourTable;
    switch (layout.bitCount) {
    case 1:
    case 4:
        ConvertIndexedRow(in, layout.width, layout.bitCount, colourTable, out);
        break;
    case 8:
        for (int x = 0; x < layout.width; ++x)
            PutEntry(colourTable, in[x], out + 3 * x);
        break;
    case 16:
        for (int x = 0; x < layout.width; ++x) {
            const auto pixel = static_cast<std::uint16_t>(in[2 * x] | (in[2 * x + 1] << 8));
            const std::uint32_t rgb = Expand555(pixel);
            out[3 * x] = static_cast<std::uint8_t>(rgb >> 16);
            out[3 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
            out[3 * x + 2] = static_cast<std::uint8_t>(rgb);
        }
        break;
    case 24:
    case 32: {
        const int step = layout.bitCount / 8;
        for (int x = 0; x < layout.width; ++x) {
            const std::uint8_t* pixel = in + step * x; // blue, green, red[, ignored]
            out[3 * x] = pixel[2];
            out[3 * x + 1] = pixel[1];
            out[3 * x + 2] = pixel[0];
        }
        break;
    }
    default:
        break; // DibLayout admits no other bit count
    }
}

} // namespace

bool DibToRgbRows(std::span<const std::uint8_t> dib, int rowLength,
                  std::span<std::uint8_t* const> rows, std::string* error) {
    if (!error)
        return false;
    if (dib.empty() || rowLength <= 0) {
        *error = kInvalidInputData;
        return false;
    }
    const std::optional<DibLayout> layout = DibLayout::Read(dib, error);
    if (!layout)
        return false;
    if (rowLength / 3 < layout->width || rows.size() < static_cast<size_t>(layout->height)) {
        *error = kInvalidInputData;
        return false;
    }
    for (int i = 0; i < layout->height; ++i)
        ConvertRow(*layout, dib.data(), dib.data() + layout->RowOffset(i), rows[size_t(i)]);
    return true;
}

std::uint32_t Expand555(std::uint16_t pixel) {
    return (std::uint32_t{Expand5((pixel >> 10) & 31)} << 16) |
           (std::uint32_t{Expand5((pixel >> 5) & 31)} << 8) | Expand5(pixel & 31);
}
