// Writes a device bitmap as the JPEG file that the stamp embeds.
//
// Contract: SaveBitmapAsJpeg(path, bitmap) turns the bitmap into a packed DIB
// (BitmapToDib) and writes it with WriteJpegFile at quality 100. It reports
// nothing to its caller: a write failure is shown in the application message
// box with WriteJpegFile's error text, and a bitmap that cannot become a DIB
// (a null bitmap) stops it silently before any file is touched.
//
// BitmapToDib(bitmap, compression) gives the DIB block of a device bitmap:
// a 40-byte header (biBitCount 32, positive height, biSizeImage filled in),
// no colour table, then the rows bottom-up as blue, green, red and a zero
// byte per pixel. It yields nullopt for a null bitmap and for any compression
// but BI_RGB (BI_BITFIELDS included). The writer holds no state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/DeviceBitmap.h"
#include "platform/DibHeader.h"

class JpegFileWriter {
  public:
    static constexpr int kQuality = 100;

    void SaveBitmapAsJpeg(const std::string& path, const platform::DeviceBitmap& bitmap) const;

    static std::optional<platform::DibBlock> BitmapToDib(const platform::DeviceBitmap& bitmap,
                                                         std::uint32_t compression);
};
