// The partner of an edited picture size that keeps the picture's natural
// proportions.
//
// Contract: v is the value just edited, a the natural size on the same axis
// and b the natural size on the other axis. The ratio between a and v is
// formed first, in double precision, then applied to b and truncated toward
// zero, so a result that is whole in exact arithmetic can come out one lower
// (640 x 480, width 333: 480 / 1.92192... = 249.75 -> 249). Equal values give
// b. A result beyond the 32-bit range is held at its bound.
//
// With a natural size of 0 on the edited axis (no picture loaded yet, or
// one that reported no size) there is no proportion to keep: the result is
// nullopt and the partner keeps whatever the user has in it, instead of
// jumping to 0 or to a huge number on every keystroke.
#pragma once

#include <cstdint>
#include <optional>

std::optional<int32_t> ProportionalPartner(int32_t v, int32_t a, int32_t b);
