#include "platform/RasterFont.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <fontconfig/fontconfig.h>

namespace platform {
namespace {

// The family fontconfig would draw `face` with; its configuration maps the
// common Windows faces to their metric-compatible families.
std::string MatchFamily(const std::string& face) {
    FcInit();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(
        pattern, FC_FAMILY,
        reinterpret_cast<const FcChar8*>(face.empty() ? "sans-serif" : face.c_str()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string family;
    FcChar8* name = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
        family = reinterpret_cast<const char*>(name);
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return family.empty() ? face : family;
}

QFont::Weight QtWeight(int32_t weight) {
    if (weight <= 0)
        return QFont::Normal;
    // Qt's weights are the same 100..900 scale, rounded to its steps.
    const int step = std::clamp((weight + 50) / 100 * 100, 100, 900);
    return static_cast<QFont::Weight>(step);
}

} // namespace

RasterFont::RasterFont(const FontDescription& d) {
    family_ = MatchFamily(d.faceName);
    font_.setFamily(QString::fromStdString(family_));
    font_.setWeight(QtWeight(d.weight));
    font_.setItalic(d.italic);
    font_.setUnderline(d.underline);
    font_.setStrikeOut(d.strikeOut);
    antialiased_ = d.quality != kNonAntialiasedQuality;
    font_.setStyleStrategy(antialiased_ ? QFont::PreferDefault : QFont::NoAntialias);
    font_.setHintingPreference(QFont::PreferFullHinting);

    if (d.height < 0) {
        font_.setPixelSize(std::max(1, -d.height));
    } else if (d.height > 0) {
        // A cell height: find the character height whose ascent plus
        // descent is that many pixels.
        font_.setPixelSize(d.height);
        const qreal cell = QFontMetricsF(font_).ascent() + QFontMetricsF(font_).descent();
        if (cell > 0)
            font_.setPixelSize(
                std::max(1, static_cast<int>(std::lround(d.height * d.height / cell))));
    } else {
        font_.setPixelSize(kDefaultPixelHeight);
    }
}

const RasterFont& RasterFont::SystemFont() {
    static const RasterFont font{FontDescription{}};
    return font;
}

} // namespace platform
