// Feeds arbitrary bytes to the JPEG frame probe and to the marker walk it
// stands on.
//
// Beyond "no crash, nothing read outside the bytes" it checks the walk's
// contract: every segment's payload lies inside the bytes, after the
// previous one, right behind its marker and a length field that counts it;
// no segment is a stand-alone marker; the walk ends within as many steps as
// there are bytes and then keeps giving the same answer. And the probe
// agrees with the walk: it reports exactly the first frame segment met
// before any scan, and only a frame it reports can be embedded directly.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "image/JpegHeader.h"
#include "platform/JpegSegments.h"

namespace {

using platform::JpegSegments;

bool IsStartOfFrame(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The first frame segment before any scan, as the walk sees it.
std::optional<std::span<const std::uint8_t>> FirstFrame(std::span<const std::uint8_t> bytes,
                                                        int& marker) {
    JpegSegments segments(bytes);
    const std::uint8_t* lastEnd = bytes.data();
    std::optional<std::span<const std::uint8_t>> frame;
    bool scanSeen = false;
    JpegSegments::Step step;
    std::size_t steps = 0;
    while ((step = segments.Next()) == JpegSegments::Step::Segment) {
        if (++steps > bytes.size())
            std::abort(); // every segment takes at least 4 bytes
        const std::span<const std::uint8_t> payload = segments.Payload();
        const std::uint8_t* begin = payload.data();
        if (begin < lastEnd + 4 || begin + payload.size() > bytes.data() + bytes.size() ||
            begin[-4] != 0xFF || begin[-3] != segments.Marker() ||
            ((std::size_t{begin[-2]} << 8) | begin[-1]) != payload.size() + 2 ||
            JpegSegments::IsStandalone(segments.Marker()) || segments.Marker() == 0x00 ||
            segments.Marker() == JpegSegments::kEndOfImage)
            std::abort();
        lastEnd = begin + payload.size();
        if (segments.Marker() == JpegSegments::kStartOfScan)
            scanSeen = true;
        if (!scanSeen && !frame && IsStartOfFrame(segments.Marker())) {
            frame = payload;
            marker = segments.Marker();
        }
    }
    for (int again = 0; again < 2; ++again)
        if (segments.Next() != step || !segments.Payload().empty())
            std::abort();
    return frame;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<JpegFrameInfo> info = JpegHeader::ProbeBytes(data, size);
    int marker = 0;
    const auto frame = FirstFrame(bytes, marker);
    if (!info) {
        // Refused: no frame before a scan, or one too short for its components.
        if (frame && frame->size() >= 6 && frame->size() >= 6 + 3 * std::size_t{(*frame)[5]})
            std::abort();
        return 0;
    }
    if (!frame || info->sofMarker != marker || info->precision != (*frame)[0] ||
        info->height != (((*frame)[1] << 8) | (*frame)[2]) ||
        info->width != (((*frame)[3] << 8) | (*frame)[4]) || info->components != (*frame)[5])
        std::abort();
    if (JpegHeader::SuitableForDirectEmbedding(*info, info->width, info->height) &&
        (info->components != 3 || info->precision != 8 || info->width <= 0 || info->height <= 0))
        std::abort();
    if (JpegHeader::SuitableForDirectEmbedding(*info, info->width + 1, info->height))
        std::abort();
    return 0;
}
