// Stretches the prepared picture to the pixel size the user asked for.
//
// Contract: ScaleBitmap(source, width, height) returns a new bitmap of
// width x height pixels, where only the low 16 bits of each count (65536 + n
// acts as n). The whole source is stretched onto it by copying pixels,
// without smoothing and without keeping the aspect ratio. The source is
// neither changed nor freed; the caller owns the result.
//
// When no bitmap can be made the result is nullptr, never a crash: a width or
// height whose low 16 bits are 0, a null source, or a size past the raster's
// bitmap limit (see platform::Raster). Callers treat nullptr as "the picture
// could not be prepared".
#pragma once

#include <memory>

#include "platform/DeviceBitmap.h"

class BitmapScaler {
  public:
    std::unique_ptr<platform::DeviceBitmap> ScaleBitmap(const platform::DeviceBitmap& source,
                                                        long width, long height) const;
};
