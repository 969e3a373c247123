// The line of text drawn onto the stamp picture.
//
// Contract: DrawTextOnBitmap(source) returns a new bitmap of the source's
// size: a pixel-for-pixel copy with one line drawn at (nHorizPos, nVertPos),
// the top-left corner of its first character cell. The line is the text
// template expanded by the expander, called exactly once per call, and cut
// to at most kMaxLineBytes bytes at a UTF-8 character boundary. It is drawn
// in crTextColor with `font` (nullptr: the platform's default font), on a
// white box over its character cells unless nTransparent is set. The source
// is neither changed nor kept; the caller owns the result. nullptr only when
// the copy cannot be made (a null source). The settings, font and expander
// are borrowed and must outlive the overlay.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/DeviceBitmap.h"
#include "platform/RasterFont.h"
#include "settings/TextOnImageSettings.h"

class TextOverlay {
  public:
    static constexpr std::size_t kLineBufferSize = 512;
    static constexpr std::size_t kMaxLineBytes = kLineBufferSize - 1;

    using Expander = std::function<std::string(std::string)>;

    TextOverlay(const TextOnImageSettings& settings, const platform::RasterFont* font,
                Expander expand)
        : settings_(settings), font_(font), expand_(std::move(expand)) {}

    std::unique_ptr<platform::DeviceBitmap>
    DrawTextOnBitmap(const platform::DeviceBitmap& source) const;

    // The first kMaxLineBytes bytes of `line`, less a character cut in two.
    static std::string CutToLine(const std::string& line);

  private:
    const TextOnImageSettings& settings_;
    const platform::RasterFont* font_;
    Expander expand_;
};
