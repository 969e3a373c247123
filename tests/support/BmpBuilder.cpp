#include "BmpBuilder.h"

namespace testsupport {

Bytes Le(std::uint32_t value, int bytes) {
    Bytes out;
    for (int i = 0; i < bytes; ++i)
        out.push_back(i < 4 ? static_cast<std::uint8_t>(value >> (8 * i)) : 0);
    return out;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Bmp(int width, int height, int bitCount, std::uint32_t compression, const Bytes& extra,
          const Bytes& pixels) {
    const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(extra.size());
    return Bytes{'B', 'M'} + Le(offset + std::uint32_t(pixels.size()), 4) + Le(0, 4) +
           Le(offset, 4) + Le(40, 4) + Le(std::uint32_t(width), 4) + Le(std::uint32_t(height), 4) +
           Le(1, 2) + Le(std::uint32_t(bitCount), 2) + Le(compression, 4) + Le(0, 20) + extra +
           pixels;
}

Bytes CoreBmp(int width, int height, int bitCount, const Bytes& table, const Bytes& pixels) {
    const std::uint32_t offset = 14 + 12 + static_cast<std::uint32_t>(table.size());
    return Bytes{'B', 'M'} + Le(offset + std::uint32_t(pixels.size()), 4) + Le(0, 4) +
           Le(offset, 4) + Le(12, 4) + Le(std::uint32_t(width), 2) + Le(std::uint32_t(height), 2) +
           Le(1, 2) + Le(std::uint32_t(bitCount), 2) + table + pixels;
}

Bytes Bmp24(int width, int height, const PixelFunction& pixel) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    Bytes rows;
    for (int y = height - 1; y >= 0; --y) {
        Bytes row;
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            row.insert(row.end(), {c.b, c.g, c.r});
        }
        row.resize(stride, 0);
        rows = rows + row;
    }
    // The image size and 72 dpi resolutions are filled in, as encoders do.
    const std::uint32_t offset = 54;
    return Bytes{'B', 'M'} + Le(offset + std::uint32_t(rows.size()), 4) + Le(0, 4) + Le(offset, 4) +
           Le(40, 4) + Le(std::uint32_t(width), 4) + Le(std::uint32_t(height), 4) + Le(1, 2) +
           Le(24, 2) + Le(0, 4) + Le(std::uint32_t(rows.size()), 4) + Le(2835, 4) + Le(2835, 4) +
           Le(0, 8) + rows;
}

void WriteBmp(const std::filesystem::path& path, int width, int height,
              const PixelFunction& pixel) {
    WriteFile(path, Bmp24(width, height, pixel));
}

} // namespace testsupport
