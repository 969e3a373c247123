#include "ui/ProportionalSize.h"

#include <cmath>
#include <limits>

namespace {

int32_t Truncated(double x) {
    if (std::isnan(x))
        return 0;
    if (x >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (x <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(std::trunc(x));
}

} // namespace

std::optional<int32_t> ProportionalPartner(int32_t v, int32_t a, int32_t b) {
    if (a == 0)
        return std::nullopt;
    if (a == v)
        return b;
    // v == 0 makes the ratio infinite, and b / inf is 0: a zero width gives
    // a zero height, which is what the proportion says.
    const double r = a > v ? static_cast<double>(a) / v : static_cast<double>(v) / a;
    if (r == 0.0)
        return b;
    return Truncated(a > v ? b / r : r * b);
}
