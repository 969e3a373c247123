#include "Pixels.h"

#include <cstdlib>
#include <ostream>

namespace testsupport {

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "rgb(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

PixelFunction Solid(Rgb colour) {
    return [colour](int, int) { return colour; };
}

PixelFunction TopBottom(Rgb top, Rgb bottom, int height) {
    return [top, bottom, height](int, int y) { return y < height / 2 ? top : bottom; };
}

} // namespace testsupport
