#include "pdfhost/pdf/FixedMath.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace pdfhost::pdf {
namespace {

ASFixed Clamp(std::int64_t v) {
    if (v > std::numeric_limits<ASFixed>::max())
        return std::numeric_limits<ASFixed>::max();
    if (v < std::numeric_limits<ASFixed>::min())
        return std::numeric_limits<ASFixed>::min();
    return static_cast<ASFixed>(v);
}

// A sum of 32.32 products back to 16.16, rounding halves away from zero.
std::int64_t Round16(std::int64_t v) {
    return v >= 0 ? (v + 0x8000) >> 16 : -((-v + 0x8000) >> 16);
}

std::int64_t Mul2(ASFixed a, ASFixed b, ASFixed c, ASFixed d) {
    return Round16(std::int64_t{a} * b + std::int64_t{c} * d);
}

} // namespace

ASFixed ToFixed(double value) {
    if (std::isnan(value))
        return 0;
    const double scaled = std::round(value * 65536.0);
    if (scaled >= 2147483647.0)
        return std::numeric_limits<ASFixed>::max();
    if (scaled <= -2147483648.0)
        return std::numeric_limits<ASFixed>::min();
    return static_cast<ASFixed>(scaled);
}

double FromFixed(ASFixed value) {
    return value / 65536.0;
}

ASFixedMatrix Concat(const ASFixedMatrix& m1, const ASFixedMatrix& m2) {
    ASFixedMatrix r;
    r.a = Clamp(Mul2(m2.a, m1.a, m2.b, m1.c));
    r.b = Clamp(Mul2(m2.a, m1.b, m2.b, m1.d));
    r.c = Clamp(Mul2(m2.c, m1.a, m2.d, m1.c));
    r.d = Clamp(Mul2(m2.c, m1.b, m2.d, m1.d));
    r.h = Clamp(Mul2(m2.h, m1.a, m2.v, m1.c) + m1.h);
    r.v = Clamp(Mul2(m2.h, m1.b, m2.v, m1.d) + m1.v);
    return r;
}

std::string Format(ASFixed value) {
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(value))
                 : static_cast<std::uint64_t>(value);
    const std::uint64_t scaled = (magnitude * 100000 + 32768) / 65536; // 5 fraction digits
    std::string out = std::to_string(scaled / 100000);
    std::uint64_t fraction = scaled % 100000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 5 - digits.size(), '0');
        while (digits.back() == '0')
            digits.pop_back();
        out += "." + digits;
    }
    if (negative && out != "0")
        out.insert(0, "-");
    return out;
}

std::string Format(const ASFixedMatrix& m) {
    return Format(m.a) + " " + Format(m.b) + " " + Format(m.c) + " " + Format(m.d) + " " +
           Format(m.h) + " " + Format(m.v);
}

} // namespace pdfhost::pdf
