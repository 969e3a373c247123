// Reads the frame header of a JPEG file without decoding it.
//
// Contract: Probe(path) reads the file through platform::WholeFile and
// ProbeBytes walks its marker segments (platform::JpegSegments) up to the
// first start-of-frame, reporting its kind, precision, size and number of
// components. Any file that cannot be read or is not a well-formed JPEG up to
// that point (wrong signature, truncated segment, a marker before the frame
// that runs past the end, a scan before any frame) yields nullopt; nothing
// past the bytes is read.
//
// SuitableForDirectEmbedding says whether the bytes can go into a PDF as a
// "DCTDecode" image declared "DeviceRGB" with 8 bits per component and the
// given size, unchanged: an 8-bit Huffman-coded (baseline, extended or
// progressive) frame with three components and exactly that size. Grayscale,
// CMYK, 12-bit, arithmetic-coded or lossless frames are not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct JpegFrameInfo {
    int sofMarker = 0; // 0xC0..0xCF, without 0xC4, 0xC8, 0xCC
    int precision = 0;
    int width = 0;
    int height = 0;
    int components = 0;
};

class JpegHeader {
  public:
    static std::optional<JpegFrameInfo> Probe(const std::string& path);
    static std::optional<JpegFrameInfo> ProbeBytes(const std::uint8_t* data, std::size_t size);
    static bool SuitableForDirectEmbedding(const JpegFrameInfo& info, int width, int height);
};
