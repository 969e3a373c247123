// libjpeg on the test side: encode pictures in the variants readers must
// take, decode what a writer wrote, and list a file's marker segments.
//
// Contract: EncodeJpeg gives the bytes of an 8-bit JPEG of the picture
// (three components, or one with `grey`), empty when libjpeg fails;
// WriteJpeg writes them to a file (throws std::runtime_error when it
// cannot). DecodeJpeg gives nullopt for anything libjpeg rejects, so
// "decodes" is a real validity check. Library errors never end in exit().
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "Pixels.h"

namespace testsupport {

struct JpegOptions {
    int quality = 90;
    bool grey = false;        // one component, converted by libjpeg
    bool progressive = false; // else baseline
    int restartRows = 0;      // a restart marker every this many MCU rows
};

Bytes EncodeJpeg(int width, int height, const PixelFunction& pixel,
                 const JpegOptions& options = {});
void WriteJpeg(const std::filesystem::path& path, int width, int height, const PixelFunction& pixel,
               const JpegOptions& options = {});

struct DecodedJpeg {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<std::uint8_t> samples; // rows top first, `components` per pixel
    Rgb At(int x, int y) const;
};

std::optional<DecodedJpeg> DecodeJpeg(const std::uint8_t* data, std::size_t size);
std::optional<DecodedJpeg> DecodeJpeg(const Bytes& file);
std::optional<DecodedJpeg> DecodeJpeg(const std::string& file);

struct JpegSegment {
    std::uint8_t marker = 0;
    std::vector<std::uint8_t> payload; // without the length field
};
// Segments from SOI to EOI; entropy-coded data is skipped.
std::vector<JpegSegment> JpegSegments(const Bytes& file);

} // namespace testsupport
