#include "platform/Raster.h"

#include <vector>

namespace platform {
namespace {

// For each target column (or row), the source column under its centre:
// floor((2 * t + 1) * sourceLength / (2 * targetLength)), always inside
// [0, sourceLength).
std::vector<int> CentreSamples(int sourceLength, int targetLength) {
    std::vector<int> samples(static_cast<size_t>(targetLength));
    const std::int64_t denominator = 2 * std::int64_t{targetLength};
    for (int t = 0; t < targetLength; ++t)
        samples[static_cast<size_t>(t)] =
            static_cast<int>((2 * std::int64_t{t} + 1) * sourceLength / denominator);
    return samples;
}

} // namespace

bool Raster::FitsBitmapLimit(std::int64_t width, std::int64_t height) {
    if (width <= 0 || height <= 0)
        return false;
    // Divided, not multiplied: a header may claim two sizes near 2^31 (or
    // beyond, for callers that add), whose product overflows.
    return width <= kMaxBitmapBytes / 4 / height;
}

std::unique_ptr<DeviceBitmap> Raster::Stretch(const DeviceBitmap& source, int width, int height) {
    if (source.isNull() || !FitsBitmapLimit(width, height))
        return nullptr;

    const QImage& from = source.image().format() == QImage::Format_RGB32
                             ? source.image()
                             : source.image().convertToFormat(QImage::Format_RGB32);
    QImage to(width, height, QImage::Format_RGB32);
    if (to.isNull())
        return nullptr;

    const std::vector<int> columns = CentreSamples(from.width(), width);
    const std::vector<int> rows = CentreSamples(from.height(), height);
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(rows[size_t(y)]));
        auto* out = reinterpret_cast<QRgb*>(to.scanLine(y));
        for (int x = 0; x < width; ++x)
            out[x] = in[columns[size_t(x)]];
    }
    return std::make_unique<DeviceBitmap>(to);
}

} // namespace platform
