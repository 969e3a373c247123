// Feeds a DIB block with an arbitrary header and pixels, an arbitrary row
// length and number of output rows to DibToRgbRows.
//
// Input: 2 bytes of row length (little-endian, folded into -8..4095, so
// lengths below 1 come up), 1 byte of row count (up to 63), then the block.
// The bounds keep one run cheap: wider or taller pictures only fail on the
// rows they are given. Every output row is its
// own allocation of exactly the row length, so a write past a row is an
// out-of-bounds access. Beyond that it checks the contract: a failure writes
// nothing and says one of the two reasons; a success writes only the first
// 3 x width bytes of the first height rows, and the height and width it
// covered fit the rows it was given.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "image/DibLayout.h"
#include "image/DibToRgbRows.h"

namespace {

constexpr std::uint8_t kUntouched = 0xA5;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    std::uint16_t folded;
    std::memcpy(&folded, data, 2);
    const int rowLength = folded % 4104 - 8;
    const std::size_t rowCount = data[2] % 64;
    const std::span<const std::uint8_t> dib(data + 3, size - 3);

    const std::size_t allocated = rowLength > 0 ? static_cast<std::size_t>(rowLength) : 0;
    std::vector<std::unique_ptr<std::uint8_t[]>> storage;
    std::vector<std::uint8_t*> rows;
    for (std::size_t i = 0; i < rowCount; ++i) {
        storage.push_back(std::make_unique<std::uint8_t[]>(allocated));
        std::memset(storage.back().get(), kUntouched, allocated);
        rows.push_back(storage.back().get());
    }

    std::string error;
    const bool converted = DibToRgbRows(dib, rowLength, rows, &error);
    std::string ignored;
    const auto layout = DibLayout::Read(dib, &ignored);
    const std::size_t height = converted ? static_cast<std::size_t>(layout->height) : 0;
    const std::size_t written = converted ? 3 * static_cast<std::size_t>(layout->width) : 0;
    if (converted ? (!layout || height > rowCount || written > allocated)
                  : (error != kInvalidInputData && error != kInvalidBitCount))
        std::abort();
    for (std::size_t i = 0; i < rowCount; ++i) {
        const std::uint8_t* row = rows[i];
        const std::size_t from = i < height ? written : 0;
        if (std::any_of(row + from, row + allocated,
                        [](std::uint8_t b) { return b != kUntouched; }))
            std::abort();
    }
    // Without an error holder nothing is converted.
    if (DibToRgbRows(dib, rowLength, rows, nullptr))
        std::abort();
    return 0;
}
