#include "Raster.h"

#include <cstdlib>

namespace testsupport {

Rgb Raster::At(int x, int y) const {
    const std::uint8_t* p = Pixel(x, y);
    return {p[0], p[1], p[2]};
}

Rgb Raster::Average(int x0, int y0, int x1, int y1) const {
    long sum[3] = {0, 0, 0};
    long count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Rgb c = At(x, y);
            sum[0] += c.r;
            sum[1] += c.g;
            sum[2] += c.b;
            ++count;
        }
    }
    if (count == 0)
        return {};
    return {static_cast<std::uint8_t>(sum[0] / count), static_cast<std::uint8_t>(sum[1] / count),
            static_cast<std::uint8_t>(sum[2] / count)};
}

int CountDifferent(const Raster& a, const Raster& b, int tolerance) {
    if (a.width != b.width || a.height != b.height)
        return a.width * a.height + b.width * b.height;
    int count = 0;
    for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
        for (int k = 0; k < 3; ++k) {
            if (std::abs(a.rgb[i + k] - b.rgb[i + k]) > tolerance) {
                ++count;
                break;
            }
        }
    }
    return count;
}

} // namespace testsupport
