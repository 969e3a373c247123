#include "image/TextOverlay.h"

#include "platform/RasterText.h"

std::string TextOverlay::CutToLine(const std::string& line) {
    if (line.size() <= kMaxLineBytes)
        return line;
    std::size_t n = kMaxLineBytes;
    // Back off continuation bytes to the lead byte of the character the
    // limit falls into, and leave that character out.
    while (n > 0 && (static_cast<unsigned char>(line[n]) & 0xC0) == 0x80)
        --n;
    return line.substr(0, n);
}

std::unique_ptr<platform::DeviceBitmap>
TextOverlay::DrawTextOnBitmap(const platform::DeviceBitmap& source) const {
    if (source.isNull())
        return nullptr;
    auto result = std::make_unique<platform::DeviceBitmap>(source.image().copy());
    const std::string line = CutToLine(expand_(settings_.szText));
    platform::RasterText::DrawLine(*result, font_ ? *font_ : platform::RasterFont::SystemFont(),
                                   settings_.nHorizPos, settings_.nVertPos, line,
                                   settings_.crTextColor, settings_.nTransparent == 0);
    return result;
}
