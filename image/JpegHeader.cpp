#include "image/JpegHeader.h"

#include "platform/JpegSegments.h"
#include "platform/WholeFile.h"

namespace {

bool IsStartOfFrame(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

int Be16(const std::uint8_t* p) {
    return (p[0] << 8) | p[1];
}

} // namespace

std::optional<JpegFrameInfo> JpegHeader::ProbeBytes(const std::uint8_t* data, std::size_t size) {
    platform::JpegSegments segments({data, size});
    while (segments.Next() == platform::JpegSegments::Step::Segment) {
        const int marker = segments.Marker();
        if (marker == platform::JpegSegments::kStartOfScan) // a scan before any frame
            return std::nullopt;
        if (!IsStartOfFrame(marker))
            continue;
        const std::span<const std::uint8_t> frame = segments.Payload();
        if (frame.size() < 6)
            return std::nullopt;
        JpegFrameInfo info;
        info.sofMarker = marker;
        info.precision = frame[0];
        info.height = Be16(frame.data() + 1);
        info.width = Be16(frame.data() + 3);
        info.components = frame[5];
        if (frame.size() < 6 + 3 * static_cast<std::size_t>(info.components))
            return std::nullopt;
        return info;
    }
    return std::nullopt;
}

std::optional<JpegFrameInfo> JpegHeader::Probe(const std::string& path) {
    const auto bytes = platform::WholeFile::Read(path);
    if (!bytes)
        return std::nullopt;
    return ProbeBytes(bytes->data(), bytes->size());
}

bool JpegHeader::SuitableForDirectEmbedding(const JpegFrameInfo& info, int width, int height) {
    const bool huffman8Bit =
        info.sofMarker == 0xC0 || info.sofMarker == 0xC1 || info.sofMarker == 0xC2;
    return huffman8Bit && info.precision == 8 && info.components == 3 && info.width == width &&
           info.height == height && width > 0 && height > 0;
}
