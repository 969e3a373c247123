// A font for drawing into device bitmaps, built from a LOGFONT-style
// description.
//
// Contract: height < 0 is the character (em) height in pixels, height > 0
// the cell height (ascent + descent), 0 the platform's default of 16 pixels
// of character height. weight 0 is normal, otherwise 1..1000 as on the home
// platform (400 normal, 700 bold). quality 3 draws without antialiasing.
// The face is looked up through fontconfig: a face that is not installed
// resolves to the family fontconfig substitutes for it (a metric-compatible
// one for the common Windows faces), and an empty face to the default sans
// family. Needs a Qt GUI application object to exist while it is built and
// used. Copyable; every copy draws the same.
#pragma once

#include <QFont>
#include <cstdint>
#include <string>

namespace platform {

struct FontDescription {
    int32_t height = 0;
    int32_t weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint8_t quality = 0;
    std::string faceName;
};

class RasterFont {
  public:
    static constexpr int kDefaultPixelHeight = 16;
    static constexpr uint8_t kNonAntialiasedQuality = 3;

    explicit RasterFont(const FontDescription& description);

    const QFont& Font() const { return font_; }
    bool Antialiased() const { return antialiased_; }
    // The family fontconfig resolved the face to.
    const std::string& ResolvedFamily() const { return family_; }

    // What the platform draws with when no font was built: the default face
    // at the default height.
    static const RasterFont& SystemFont();

  private:
    QFont font_;
    bool antialiased_ = true;
    std::string family_;
};

} // namespace platform
