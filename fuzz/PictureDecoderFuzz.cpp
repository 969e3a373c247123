// Feeds arbitrary bytes to the picture loader, as a picture file read into
// memory.
//
// Beyond "no crash, no out-of-bounds access, no allocation past the bitmap
// limit" it checks what the stamp run relies on after a load: a picture
// loads only from bytes whose first bytes name BMP, JPEG or GIF; a loaded
// picture has a positive size within the bitmap limit, a device-format
// bitmap of that size and GetSize {0, 0, width, height}; a failed load
// leaves the picture empty with an all-zero size.
#include <QGuiApplication>
#include <QLoggingCategory>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "image/LoadedPicture.h"
#include "platform/PictureDecoder.h"
#include "platform/Raster.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The JPEG and GIF readers are Qt plug-ins, found through the
    // application object; the offscreen platform needs no display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static const auto app = std::make_unique<QGuiApplication>(*argc, *argv);
    // Every damaged file would print the readers' complaints.
    QLoggingCategory::setFilterRules("qt.gui.imageio*=false");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    LoadedPicture picture;
    const int loaded = picture.LoadBytes(bytes);
    const PictureRect rect = picture.GetSize();
    if (loaded != (picture.IsLoaded() ? 1 : 0) || rect.left != 0 || rect.top != 0)
        std::abort();
    if (!loaded) {
        if (rect.right != 0 || rect.bottom != 0 || picture.Bitmap())
            std::abort();
        return 0;
    }
    const platform::DeviceBitmap* bitmap = picture.Bitmap();
    if (platform::PictureDecoder::Sniff(bytes) == platform::PictureFormat::Unknown || !bitmap ||
        rect.right <= 0 || rect.bottom <= 0 ||
        !platform::Raster::FitsBitmapLimit(rect.right, rect.bottom) ||
        bitmap->width() != rect.right || bitmap->height() != rect.bottom ||
        bitmap->image().format() != QImage::Format_RGB32)
        std::abort();
    return 0;
}
