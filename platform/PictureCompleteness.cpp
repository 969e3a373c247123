#include "platform/PictureCompleteness.h"

#include "platform/BmpInfo.h"
#include "platform/BmpRunLength.h"
#include "platform/JpegSegments.h"

namespace platform {
namespace {

using Bytes = std::span<const std::uint8_t>;

bool UncompressedRowsPresent(Bytes pixels, const BmpInfo& info) {
    switch (info.header.biBitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
    case 64:
        break;
    default:
        return true; // not a layout we measure; the decoder refuses it
    }
    return info.Rows() <= static_cast<std::int64_t>(pixels.size()) / info.Stride();
}

bool SkipSubBlocks(Bytes b, size_t& at) {
    for (;;) {
        if (at >= b.size())
            return false;
        const size_t length = b[at++];
        if (length == 0)
            return true;
        at += length;
    }
}

size_t ColourTableBytes(std::uint8_t flags) {
    return (flags & 0x80) ? 3 * (size_t{2} << (flags & 7)) : 0;
}

} // namespace

bool PictureCompleteness::Bmp(Bytes b) {
    const std::optional<BmpInfo> info = BmpInfo::Read(b);
    if (!info || info->Width() <= 0 || info->Height() == 0 || info->pixelOffset > b.size())
        return false;
    switch (info->header.biCompression) {
    case BI_RGB:
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        return UncompressedRowsPresent(b.subspan(info->pixelOffset), *info);
    case BI_RLE8:
    case BI_RLE4:
        return BmpRunLength::Complete(b, *info);
    default:
        return true;
    }
}

bool PictureCompleteness::Jpeg(Bytes b) {
    JpegSegments segments(b);
    bool sawScan = false;
    for (;;) {
        switch (segments.Next()) {
        case JpegSegments::Step::Segment:
            sawScan = sawScan || segments.Marker() == JpegSegments::kStartOfScan;
            break;
        case JpegSegments::Step::End:
            return sawScan;
        case JpegSegments::Step::Broken:
            return false;
        }
    }
}

bool PictureCompleteness::Gif(Bytes b) {
    constexpr size_t kScreenDescriptorEnd = 13;
    if (b.size() < kScreenDescriptorEnd)
        return false;
    size_t at = kScreenDescriptorEnd + ColourTableBytes(b[10]);
    for (;;) {
        if (at >= b.size())
            return false;
        const std::uint8_t block = b[at++];
        if (block == 0x21) { // extension: label, then data sub-blocks
            ++at;
            if (!SkipSubBlocks(b, at))
                return false;
        } else if (block == 0x2C) { // image descriptor, colour table, LZW data
            if (at + 9 > b.size())
                return false;
            at += 9 + ColourTableBytes(b[at + 8]);
            ++at; // minimum code size
            return SkipSubBlocks(b, at);
        } else {
            return false; // the trailer before any frame, or garbage
        }
    }
}

} // namespace platform
