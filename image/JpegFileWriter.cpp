#include "image/JpegFileWriter.h"

#include "image/WriteJpegFile.h"
#include "platform/Messages.h"

void JpegFileWriter::SaveBitmapAsJpeg(const std::string& path,
                                      const platform::DeviceBitmap& bitmap) const {
    const std::optional<platform::DibBlock> dib = BitmapToDib(bitmap, platform::BI_RGB);
    if (!dib)
        return;
    std::string error;
    if (!WriteJpegFile(*dib, kQuality, path, &error))
        platform::Messages::AppMessageBox(error);
}

std::optional<platform::DibBlock> JpegFileWriter::BitmapToDib(const platform::DeviceBitmap& bitmap,
                                                              std::uint32_t compression) {
    if (compression != platform::BI_RGB || bitmap.isNull())
        return std::nullopt;
    const QImage image = bitmap.image().format() == QImage::Format_RGB32
                             ? bitmap.image()
                             : bitmap.image().convertToFormat(QImage::Format_RGB32);

    using platform::DibHeader;
    DibHeader header;
    header.biWidth = image.width();
    header.biHeight = image.height();
    header.biBitCount = static_cast<std::uint16_t>(bitmap.bitsPerPixel());
    const std::size_t stride = static_cast<std::size_t>(header.Stride());
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(header.biHeight);
    header.biSizeImage = static_cast<std::uint32_t>(pixelBytes);

    platform::DibBlock dib(DibHeader::kSize + pixelBytes);
    header.Write(dib.data());
    for (int row = 0; row < image.height(); ++row) {
        // Stored rows run bottom-up.
        const auto* in =
            reinterpret_cast<const QRgb*>(image.constScanLine(image.height() - 1 - row));
        std::uint8_t* out = dib.data() + DibHeader::kSize + stride * static_cast<std::size_t>(row);
        for (int x = 0; x < image.width(); ++x) {
            out[4 * x] = static_cast<std::uint8_t>(qBlue(in[x]));
            out[4 * x + 1] = static_cast<std::uint8_t>(qGreen(in[x]));
            out[4 * x + 2] = static_cast<std::uint8_t>(qRed(in[x]));
            out[4 * x + 3] = 0;
        }
    }
    return dib;
}
