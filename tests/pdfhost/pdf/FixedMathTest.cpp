#include <gtest/gtest.h>

#include "TestSupport.h"
#include "pdfhost/pdf/FixedMath.h"

namespace pdfhost::pdf {
namespace {

using test::Err;
using test::Ok;
using test::Tables;

bool Same(const ASFixedMatrix& a, const ASFixedMatrix& b) {
    return a.a == b.a && a.b == b.b && a.c == b.c && a.d == b.d && a.h == b.h && a.v == b.v;
}

std::string Show(const ASFixedMatrix& m) {
    return "[" + std::to_string(m.a) + " " + std::to_string(m.b) + " " + std::to_string(m.c) + " " +
           std::to_string(m.d) + " " + std::to_string(m.h) + " " + std::to_string(m.v) + "]";
}

constexpr ASFixed F(int i) {
    return ASInt32ToFixed(i);
}

struct ConcatCase {
    const char* what;
    ASFixedMatrix m1, m2, expected;
};

// ASFixedMatrixConcat(result, m1, m2) applies m2 first, then m1.
TEST(FixedMatrixConcatTest, ExactValues) {
    const ASFixedMatrix identity{F(1), 0, 0, F(1), 0, 0};
    const ASFixedMatrix r90{52, 65536, -65535, 52, 0, 0};
    const ConcatCase cases[] = {
        {"identity", identity, ASFixedMatrix{F(2), F(3), F(4), F(5), F(6), F(7)},
         ASFixedMatrix{F(2), F(3), F(4), F(5), F(6), F(7)}},
        // The stamp's placement: [W 0 0 H X Y] turned by the table's 90 degrees.
        {"scale then rotate", r90, ASFixedMatrix{F(100), 0, 0, F(50), F(20), F(10)},
         ASFixedMatrix{5200, F(100), -3276750, 2600, 52 * 20 - 65535 * 10, F(20) + 52 * 10}},
        {"translate then scale", ASFixedMatrix{F(2), 0, 0, F(3), F(1), F(1)},
         ASFixedMatrix{F(1), 0, 0, F(1), F(10), F(20)},
         ASFixedMatrix{F(2), 0, 0, F(3), F(21), F(61)}},
        {"halves round away from zero", ASFixedMatrix{1, 0, 0, 1, 0, 0},
         ASFixedMatrix{32768, 0, 0, -32768, 0, 0}, ASFixedMatrix{1, 0, 0, -1, 0, 0}},
        {"overflow saturates", ASFixedMatrix{F(30000), 0, 0, F(30000), 0, 0},
         ASFixedMatrix{F(30000), 0, 0, -F(30000), 0, 0},
         ASFixedMatrix{0x7FFFFFFF, 0, 0, ASFixed(0x80000000u), 0, 0}},
    };
    for (const ConcatCase& c : cases) {
        ASFixedMatrix result{};
        Ok(Tables().acroSupport.ASFixedMatrixConcat, &result, &c.m1, &c.m2);
        EXPECT_TRUE(Same(result, c.expected)) << c.what << ": " << Show(result);
    }
}

TEST(FixedMatrixConcatTest, ResultMayBeAnOperand) {
    const ASFixedMatrix r90{52, 65536, -65535, 52, 0, 0};
    ASFixedMatrix m{F(100), 0, 0, F(50), F(20), F(10)};
    const ASFixedMatrix expected = Concat(r90, m);
    Ok(Tables().acroSupport.ASFixedMatrixConcat, &m, &r90, &m);
    EXPECT_TRUE(Same(m, expected)) << Show(m);
}

TEST(FixedMatrixConcatTest, NullArgumentsRaise) {
    ASFixedMatrix m{};
    EXPECT_EQ(Err(Tables().acroSupport.ASFixedMatrixConcat, &m, nullptr, &m), kErrBadParameter);
    EXPECT_EQ(Err(Tables().acroSupport.ASFixedMatrixConcat, nullptr, &m, &m), kErrBadParameter);
}

TEST(FixedFormatTest, ReadsBackAsTheSameFixed) {
    const std::pair<ASFixed, const char*> cases[] = {
        {0, "0"},       {F(1), "1"},      {-F(612), "-612"}, {32768, "0.5"},
        {1, "0.00002"}, {-1, "-0.00002"}, {655, "0.00999"},  {F(3) + 16384, "3.25"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(Format(value), text);
    for (ASFixed v = -200000; v <= 200000; v += 7)
        ASSERT_EQ(ToFixed(std::stod(Format(v))), v) << Format(v);
}

} // namespace
} // namespace pdfhost::pdf
