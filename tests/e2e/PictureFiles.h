// Pictures for the runs: written from a pixel function, and JPEG data
// decoded back to check what a document holds.
//
// Contract: WriteJpeg writes a baseline JPEG (libjpeg, quality 95) with
// three components, or one when `grey` is set; WriteBmp writes a 24-bit
// bottom-up BMP. Both take (x, y) with y = 0 the top row. DecodeJpeg
// decodes JPEG bytes with libjpeg and returns nullopt for anything libjpeg
// rejects, so "decodes" is a real validity check.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c);
// Every channel within `tolerance` of the other colour's.
bool Near(const Rgb& a, const Rgb& b, int tolerance);

using PixelFunction = std::function<Rgb(int x, int y)>;

PixelFunction Solid(Rgb colour);
// The top half of a picture `height` rows high one colour, the rest another.
PixelFunction TopBottom(Rgb top, Rgb bottom, int height);

void WriteJpeg(const std::filesystem::path& path, int width, int height, const PixelFunction& pixel,
               bool grey = false);
void WriteBmp(const std::filesystem::path& path, int width, int height, const PixelFunction& pixel);

std::string ReadBytes(const std::filesystem::path& path);

struct DecodedJpeg {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<std::uint8_t> samples; // rows top first, `components` per pixel
    Rgb At(int x, int y) const;
};

std::optional<DecodedJpeg> DecodeJpeg(const std::string& bytes);

} // namespace e2e
