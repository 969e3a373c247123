// A device bitmap: the raster every image step works on.
//
// Contract: wraps a QImage in a 32-bit RGB format (QImage::Format_RGB32, the
// screen-compatible format). Bitmaps cross between image steps as
// std::unique_ptr<DeviceBitmap>: each step returns a new bitmap that its
// caller owns and leaves its input untouched. A null DeviceBitmap (no pixels)
// is valid and has width and height 0.
#pragma once

#include <QImage>

namespace platform {

class DeviceBitmap {
  public:
    DeviceBitmap() = default;
    // Converts any image to the device format; a null image stays null.
    explicit DeviceBitmap(const QImage& image)
        : image_(image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32)) {}

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    bool isNull() const { return image_.isNull(); }
    // Colour planes times bits per pixel, as a bitmap header reports it.
    int bitsPerPixel() const { return image_.isNull() ? 0 : 32; }

    const QImage& image() const { return image_; }
    QImage& image() { return image_; }

  private:
    QImage image_;
};

} // namespace platform
