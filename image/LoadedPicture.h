// A picture file decoded into a device bitmap.
//
// Contract: Load(path) reads the whole file and decodes it by its content
// (BMP, JPEG or GIF; a GIF gives its first frame); it returns 1 on success and
// 0 otherwise, showing no message; LoadBytes does the same for bytes already
// in memory. Every other format (PNG, ICO, ...), an
// empty, truncated or corrupt file, or one whose header claims dimensions too
// large to allocate, fails. After a failed Load, or Release, the object is
// empty. GetSize gives {0, 0, width, height}, all 0 when empty. Each Load
// replaces the previous picture.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/DeviceBitmap.h"

struct PictureRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class LoadedPicture {
  public:
    LoadedPicture() = default;
    ~LoadedPicture() { Release(); }
    LoadedPicture(const LoadedPicture&) = delete;
    LoadedPicture& operator=(const LoadedPicture&) = delete;

    int Load(const std::string& path);
    int LoadBytes(std::span<const std::uint8_t> bytes);
    PictureRect GetSize() const;
    int Release();

    bool IsLoaded() const { return bitmap_ != nullptr; }
    // The decoded bitmap, or nullptr when empty. Owned by this object.
    const platform::DeviceBitmap* Bitmap() const { return bitmap_.get(); }

  private:
    std::unique_ptr<platform::DeviceBitmap> bitmap_;
};
