#include "platform/DialogUnits.h"

#include <QFontMetrics>
#include <cmath>
#include <cstdint>

namespace platform {
namespace {

// The home platform's MulDiv: a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c) {
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

} // namespace

QFont DialogUnits::DialogFont(const std::string& face, int points) {
    QString family = QString::fromStdString(face);
    int pixels = MulDiv(points, 96, 72);
    if (face == "MS Sans Serif" || face == "MS Shell Dlg" || face == "MS Shell Dlg 2") {
        // The sans face runs wider than the home platform's bitmap face at the
        // same size; a quarter pixel per point less makes the texts the
        // templates were laid out for fit again (8 points: 10 pixels), and
        // keeps the home platform's base units of 6 x 13.
        family = kSansFace;
        pixels = MulDiv(points, 5, 4);
    }
    QFont font(family);
    font.setPixelSize(pixels);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseWidth_ = (alphabet / 26 + 1) / 2;
    // The cell height as the home platform measures it: ascent and descent
    // each rounded up to whole pixels.
    const QFontMetricsF exact(font);
    baseHeight_ = static_cast<int>(std::ceil(exact.ascent()) + std::ceil(exact.descent()));
}

int DialogUnits::X(int units) const {
    return MulDiv(units, baseWidth_, 4);
}

int DialogUnits::Y(int units) const {
    return MulDiv(units, baseHeight_, 8);
}

QRect DialogUnits::ToPixels(const DialogRect& r) const {
    return QRect(X(r.x), Y(r.y), X(r.width), Y(r.height));
}

} // namespace platform
