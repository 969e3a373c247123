// A toolbar button's picture: the host's own copy of a BMP file's bytes.
//
// Contract: FromBmp() copies the bytes (the plug-in's buffer may go away at
// once) after checking that they are a BMP file whose headers fit inside
// them; anything else raises kErrBadParameter with a text saying what is
// wrong. Width and height come from the info header (height as a positive
// number also for top-down bitmaps).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pdfhost::av {

class ToolbarIcon {
  public:
    static ToolbarIcon FromBmp(const std::uint8_t* bytes, std::size_t length);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    // "21x22 4-bit"
    std::string Describe() const;

  private:
    std::vector<std::uint8_t> bytes_;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
};

} // namespace pdfhost::av
