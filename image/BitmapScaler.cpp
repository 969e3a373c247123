#include "image/BitmapScaler.h"

#include <cstdint>

#include "platform/Raster.h"

std::unique_ptr<platform::DeviceBitmap>
BitmapScaler::ScaleBitmap(const platform::DeviceBitmap& source, long width, long height) const {
    const auto low16 = [](long value) {
        return static_cast<int>(static_cast<std::uint16_t>(static_cast<unsigned long>(value)));
    };
    return platform::Raster::Stretch(source, low16(width), low16(height));
}
