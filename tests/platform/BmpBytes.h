// Builders for the bytes of small BMP files, for tests that need a file
// exactly as written rather than one an encoder chose.
#pragma once

#include <cstdint>
#include <vector>

namespace testing_support {

using Bytes = std::vector<std::uint8_t>;

// `value` as `bytes` little-endian bytes; past the fourth byte, zeros.
inline Bytes Le(std::uint32_t value, int bytes) {
    Bytes out;
    for (int i = 0; i < bytes; ++i)
        out.push_back(i < 4 ? static_cast<std::uint8_t>(value >> (8 * i)) : 0);
    return out;
}

// File header and a 40-byte info header, every size and offset consistent;
// `extra` goes between the headers and the pixels (colour table, masks).
inline Bytes Bmp(int width, int height, int bitCount, std::uint32_t compression, const Bytes& extra,
                 const Bytes& pixels) {
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(extra.size());
    Bytes b{'B', 'M'};
    for (const Bytes& part :
         {Le(offset + std::uint32_t(pixels.size()), 4), Le(0, 4), Le(offset, 4), Le(40, 4),
          Le(std::uint32_t(width), 4), Le(std::uint32_t(height), 4), Le(1, 2),
          Le(std::uint32_t(bitCount), 2), Le(compression, 4), Le(0, 20), extra, pixels})
        b.insert(b.end(), part.begin(), part.end());
    return b;
}

} // namespace testing_support
