// Colours and pixel functions that test pictures are made from.
//
// Contract: a PixelFunction gives the colour at (x, y), y = 0 the top row.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>

namespace testsupport {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c);
// Every channel within `tolerance` of the other colour's.
bool Near(const Rgb& a, const Rgb& b, int tolerance);

using PixelFunction = std::function<Rgb(int x, int y)>;

PixelFunction Solid(Rgb colour);
// The top half of a picture `height` rows high one colour, the rest another.
PixelFunction TopBottom(Rgb top, Rgb bottom, int height);

} // namespace testsupport
