#include "platform/PictureDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/BmpInfo.h"
#include "platform/BmpRunLength.h"
#include "platform/PictureCompleteness.h"
#include "platform/Raster.h"

namespace platform {
namespace {

using Bytes = std::span<const std::uint8_t>;

// The BMP reader does not go back to the pixel offset when the colour table it
// assumes runs past it, and leaves the rest of a row that then comes up short
// as whatever its allocation held. Zeros after the file make every such read
// whole: it overshoots by at most one full colour table (256 x 4 bytes) plus
// the colour masks.
constexpr qsizetype kBmpReadSlack = 4096;

constexpr std::size_t kClrUsedAt = BmpInfo::kFileHeaderSize + 32;

// A copy of the file whose colour table count is what fits before the pixels,
// when the header implies (biClrUsed 0: all 2^n entries) or states more.
// Otherwise the reader would take the first pixel bytes for colours and start
// every row late. Indices past the table then draw black. Old core headers
// have no count to correct; a table with no room at all is left as it is.
std::optional<std::vector<std::uint8_t>> FitColourTable(Bytes bytes, const BmpInfo& info) {
    const DibHeader& h = info.header;
    if (h.biSize < DibHeader::kSize || h.biBitCount == 0 || h.biBitCount > 8)
        return std::nullopt;
    const std::uint64_t tableAt = BmpInfo::kFileHeaderSize + std::uint64_t{h.biSize};
    if (info.pixelOffset <= tableAt)
        return std::nullopt;
    const std::uint64_t room = (info.pixelOffset - tableAt) / 4;
    const std::uint64_t stated = h.biClrUsed != 0 ? h.biClrUsed : std::uint64_t{1} << h.biBitCount;
    if (room == 0 || stated <= room)
        return std::nullopt;
    std::vector<std::uint8_t> fitted(bytes.begin(), bytes.end());
    for (int i = 0; i < 4; ++i)
        fitted[kClrUsedAt + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(room >> (8 * i));
    return fitted;
}

bool StartsWith(Bytes bytes, std::string_view magic) {
    return bytes.size() >= magic.size() &&
           std::equal(magic.begin(), magic.end(), bytes.begin(),
                      [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
}

bool Complete(PictureFormat format, Bytes bytes) {
    switch (format) {
    case PictureFormat::Bmp:
        return PictureCompleteness::Bmp(bytes);
    case PictureFormat::Jpeg:
        return PictureCompleteness::Jpeg(bytes);
    case PictureFormat::Gif:
        return PictureCompleteness::Gif(bytes);
    case PictureFormat::Unknown:
        break;
    }
    return false;
}

QByteArray ReaderFormat(PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp:
        return "bmp";
    case PictureFormat::Jpeg:
        return "jpeg";
    case PictureFormat::Gif:
        return "gif";
    case PictureFormat::Unknown:
        break;
    }
    return {};
}

// The reader's allocation limit is process-wide; it is raised to our own
// bound for one decode only and put back afterwards. Its default would refuse
// ordinary camera pictures.
class ScopedAllocationLimit {
  public:
    explicit ScopedAllocationLimit(int megabytes) : previous_(QImageReader::allocationLimit()) {
        QImageReader::setAllocationLimit(megabytes);
    }
    ~ScopedAllocationLimit() { QImageReader::setAllocationLimit(previous_); }
    ScopedAllocationLimit(const ScopedAllocationLimit&) = delete;
    ScopedAllocationLimit& operator=(const ScopedAllocationLimit&) = delete;

  private:
    int previous_;
};

} // namespace

PictureFormat PictureDecoder::Sniff(Bytes bytes) {
    if (StartsWith(bytes, "BM"))
        return PictureFormat::Bmp;
    if (StartsWith(bytes, "\xFF\xD8\xFF"))
        return PictureFormat::Jpeg;
    if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a"))
        return PictureFormat::Gif;
    return PictureFormat::Unknown;
}

std::unique_ptr<DeviceBitmap> PictureDecoder::Decode(Bytes bytes) {
    const PictureFormat format = Sniff(bytes);
    std::optional<std::vector<std::uint8_t>> expanded, fitted;
    if (format == PictureFormat::Bmp) {
        if (const auto info = BmpInfo::Read(bytes); info && info->RunLength()) {
            expanded = BmpRunLength::Expand(bytes, *info);
            if (!expanded)
                return nullptr;
            bytes = *expanded;
        }
        if (const auto info = BmpInfo::Read(bytes); info && (fitted = FitColourTable(bytes, *info)))
            bytes = *fitted;
    }
    if (format == PictureFormat::Unknown || !Complete(format, bytes))
        return nullptr;

    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    if (format == PictureFormat::Bmp)
        data.append(QByteArray(kBmpReadSlack, '\0'));
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly))
        return nullptr;
    QImageReader reader(&buffer, ReaderFormat(format));
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);

    // Refuse an enormous claim before the reader allocates anything for it.
    const QSize claimed = reader.size();
    if (claimed.isValid() && !Raster::FitsBitmapLimit(claimed.width(), claimed.height()))
        return nullptr;

    QImage image;
    {
        ScopedAllocationLimit limit(static_cast<int>(Raster::kMaxBitmapBytes >> 20));
        image = reader.read();
    }
    if (image.isNull() || !Raster::FitsBitmapLimit(image.width(), image.height()))
        return nullptr;
    auto bitmap = std::make_unique<DeviceBitmap>(image);
    if (bitmap->isNull())
        return nullptr;
    return bitmap;
}

} // namespace platform
