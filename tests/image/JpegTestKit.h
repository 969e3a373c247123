// libjpeg on the test side: encode pictures in the variants the loader must
// read, decode what the writer wrote, and list a file's marker segments.
// Library errors end in a failed result, never in exit().
#pragma once

#include <QImage>
#include <cstdint>
#include <optional>
#include <vector>

namespace jpegkit {

enum class Variant { Baseline, Progressive, Grayscale, Restarts };

// Encodes an RGB32 picture at quality 90.
std::vector<std::uint8_t> Encode(const QImage& picture, Variant variant);

struct Decoded {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<std::uint8_t> samples; // top row first, components per pixel
};
std::optional<Decoded> Decode(const std::vector<std::uint8_t>& file);

struct Segment {
    std::uint8_t marker = 0;
    std::vector<std::uint8_t> payload; // without the length field
};
// Segments from SOI to EOI; entropy-coded data is skipped.
std::vector<Segment> Segments(const std::vector<std::uint8_t>& file);

} // namespace jpegkit
