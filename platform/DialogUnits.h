// Dialog units to pixels, from the dialog font, as the home platform does.
//
// Contract: the base units are the font's average character width (the
// width of "A".."Z" "a".."z" divided by 52, rounded) and its cell height in
// pixels (ascent and descent, each rounded up). One horizontal dialog unit is a quarter of the
// width, one vertical unit an eighth of the height, each rounded to the nearest pixel the way the
// home platform's MulDiv rounds. DialogFont() maps a template's font to one installed here at a
// fixed pixel size (the point size at 96 dots per inch), so a dialog has the same size on every
// display and in offscreen runs: "MS Sans Serif" and "MS Shell Dlg" become kSansFace at 5/4 pixel
// per point (8 points: 10 pixels, base units 6 x 13 as on the home platform).
#pragma once

#include <QFont>
#include <QRect>
#include <string>

#include "platform/DialogTemplate.h"

namespace platform {

class DialogUnits {
  public:
    static constexpr const char* kSansFace = "Liberation Sans";

    static QFont DialogFont(const std::string& face, int points);

    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight) : baseWidth_(baseWidth), baseHeight_(baseHeight) {}

    int BaseWidth() const { return baseWidth_; }
    int BaseHeight() const { return baseHeight_; }
    int X(int units) const;
    int Y(int units) const;
    QRect ToPixels(const DialogRect& rect) const;

  private:
    int baseWidth_ = 0;
    int baseHeight_ = 0;
};

} // namespace platform
