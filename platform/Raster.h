// Pixel operations on device bitmaps.
//
// Contract: every operation reads its source without changing it and returns
// a new bitmap that the caller owns, or nullptr when no bitmap can be made.
// No operation makes a bitmap of more than kMaxBitmapBytes: a request past it
// fails like an allocation failure instead of exhausting memory.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/DeviceBitmap.h"

namespace platform {

class Raster {
  public:
    // 512 MiB of 32-bit pixels, e.g. 16384 x 8192. Large enough for any
    // camera picture, small enough that the JPEG writer's further copies of
    // the bitmap still fit in memory.
    static constexpr std::int64_t kMaxBitmapBytes = std::int64_t{512} << 20;

    // True when a width x height device bitmap may be made (both positive and
    // within kMaxBitmapBytes).
    static bool FitsBitmapLimit(std::int64_t width, std::int64_t height);

    // Stretches the whole source onto a width x height bitmap by copying
    // pixels, without smoothing and without keeping the aspect ratio: each
    // target pixel takes the source pixel under its centre. Returns nullptr
    // when the source is null or the target does not fit the limit (a width
    // or height of 0 included).
    static std::unique_ptr<DeviceBitmap> Stretch(const DeviceBitmap& source, int width, int height);
};

} // namespace platform
