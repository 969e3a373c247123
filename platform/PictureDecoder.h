// Decodes a picture file's bytes into a device bitmap.
//
// Contract: the format is decided by the first bytes, never by a file name:
// "BM" is a BMP, FF D8 FF a JPEG, "GIF87a" or "GIF89a" a GIF. Everything else
// (PNG, icons, metafiles, TIFF, ...) fails, as does a file that ends early or
// is malformed (see PictureCompleteness), one the reader cannot decode, and
// one whose header claims more pixels than Raster::kMaxBitmapBytes allows, in
// which case nothing of that size is allocated. A GIF gives its first frame
// on its logical screen; pixels it leaves transparent keep the colour the
// file gives them. Pixels that a run-length BMP skips are colour index 0
// (BmpRunLength). A BMP's rows start at its pixel offset also when its
// header implies a longer colour table than lies before them: the table is
// the entries that do, and an index past them is black. Failure is nullptr,
// never an exception.
//
// JPEG and GIF are read by Qt's image-format plug-ins, which must be
// installed; BMP is read by Qt itself.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/DeviceBitmap.h"

namespace platform {

enum class PictureFormat { Unknown, Bmp, Jpeg, Gif };

class PictureDecoder {
  public:
    static PictureFormat Sniff(std::span<const std::uint8_t> bytes);
    static std::unique_ptr<DeviceBitmap> Decode(std::span<const std::uint8_t> bytes);
};

} // namespace platform
