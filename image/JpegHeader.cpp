#include "image/JpegHeader.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace {

// A frame header lies within the first segments; real files put it well
// inside this many bytes even with large metadata blocks.
constexpr std::size_t kMaxScan = 4 * 1024 * 1024;

bool IsStartOfFrame(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

int Be16(const std::uint8_t* p) {
    return (p[0] << 8) | p[1];
}

} // namespace

std::optional<JpegFrameInfo> JpegHeader::ProbeBytes(const std::uint8_t* data, std::size_t size) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return std::nullopt;
    std::size_t pos = 2;
    while (pos + 4 <= size) {
        if (data[pos] != 0xFF)
            return std::nullopt;
        const int marker = data[pos + 1];
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // no length
            pos += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) // end of image or scan before any frame
            return std::nullopt;
        const std::size_t length = static_cast<std::size_t>(Be16(data + pos + 2));
        if (length < 2 || pos + 2 + length > size)
            return std::nullopt;
        if (IsStartOfFrame(marker)) {
            if (length < 8)
                return std::nullopt;
            const std::uint8_t* p = data + pos + 4;
            JpegFrameInfo info;
            info.sofMarker = marker;
            info.precision = p[0];
            info.height = Be16(p + 1);
            info.width = Be16(p + 3);
            info.components = p[5];
            if (length < 8 + 3 * static_cast<std::size_t>(info.components))
                return std::nullopt;
            return info;
        }
        pos += 2 + length;
    }
    return std::nullopt;
}

std::optional<JpegFrameInfo> JpegHeader::Probe(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const std::streamoff fileSize = in.tellg();
    if (fileSize <= 0)
        return std::nullopt;
    in.seekg(0);
    std::vector<std::uint8_t> bytes(
        std::min<std::size_t>(static_cast<std::size_t>(fileSize), kMaxScan));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return ProbeBytes(bytes.data(), bytes.size());
}

bool JpegHeader::SuitableForDirectEmbedding(const JpegFrameInfo& info, int width, int height) {
    const bool huffman8Bit =
        info.sofMarker == 0xC0 || info.sofMarker == 0xC1 || info.sofMarker == 0xC2;
    return huffman8Bit && info.precision == 8 && info.components == 3 && info.width == width &&
           info.height == height && width > 0 && height > 0;
}
