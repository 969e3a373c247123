// Placement of the stamp: the linear part from the force-portrait turning
// and the origin corner from the table of edges and rotations, as raw
// ASFixed values, concatenated by the host's own matrix code.
#include <gtest/gtest.h>

#include "pdfhost/pdf/FixedMath.h"
#include "stamp/ImageMatrix.h"

namespace {

void HostConcat(ASFixedMatrix* result, const ASFixedMatrix* m1, const ASFixedMatrix* m2) {
    *result = pdfhost::pdf::Concat(*m1, *m2);
}

constexpr ASInt32 W = 100, H = 50, X = 20, Y = 10;
constexpr ASFixed F(ASInt32 v) {
    return ASInt32ToFixed(v);
}
constexpr ASFixed kRight = F(612), kTop = F(792);

FirstPageGeometry Page(ASInt32 rotate) {
    FirstPageGeometry g;
    g.rotate = rotate;
    g.box = ASFixedRect{0, kTop, kRight, 0};
    return g;
}

PlacementInputs Inputs(bool calcRight, bool calcTop, bool forcePortrait) {
    PlacementInputs in;
    in.widthPdf = W;
    in.heightPdf = H;
    in.horizontal = X;
    in.vertical = Y;
    in.calcRight = calcRight;
    in.calcTop = calcTop;
    in.forcePortrait = forcePortrait;
    return in;
}

TEST(ImageMatrixTest, RotationTableCarriesTheSkewOfTheWrittenAngles) {
    struct Row {
        ASInt32 r;
        ASFixed a, b, c, d;
    };
    for (const Row& row : {Row{90, 52, 65536, -65535, 52}, Row{180, -65535, 104, -103, -65535},
                           Row{270, -156, -65535, 65536, -156}}) {
        const ASFixedMatrix m = RotationMatrix(row.r);
        EXPECT_EQ(m.a, row.a) << row.r;
        EXPECT_EQ(m.b, row.b) << row.r;
        EXPECT_EQ(m.c, row.c) << row.r;
        EXPECT_EQ(m.d, row.d) << row.r;
        EXPECT_EQ(m.h, 0);
        EXPECT_EQ(m.v, 0);
    }
}

// Every rotation x CALCRIGHT x CALCTOP x FORCEPORTRAIT. The expected corner
// comes from the table of resulting positions; "as turned" is the origin
// (X, Y) carried through the rotation when the picture is turned.
TEST(ImageMatrixTest, EveryRotationAndSwitchCombination) {
    for (ASInt32 r : {0, 90, 180, 270}) {
        for (int bits = 0; bits < 8; ++bits) {
            const bool right = bits & 1, top = bits & 2, force = bits & 4;
            SCOPED_TRACE(testing::Message() << "r=" << r << " CALCRIGHT=" << right
                                            << " CALCTOP=" << top << " FORCEPORTRAIT=" << force);
            const bool turned = force && r != 0;
            const ASFixedMatrix R = RotationMatrix(r);
            // diag(W, H) followed by R, and (X, Y) carried through R.
            const ASFixedMatrix linear =
                turned ? ASFixedMatrix{W * R.a, W * R.b,           H * R.c,
                                       H * R.d, X * R.a + Y * R.c, X * R.b + Y * R.d}
                       : ASFixedMatrix{F(W), 0, 0, F(H), F(X), F(Y)};
            const ASFixed ht = linear.h, vt = linear.v;

            ASFixed h = 0, v = 0;
            if (!right && !top) {
                h = ht, v = vt;
                if (force && r == 90)
                    h = kRight - F(Y), v = F(X);
                if (force && r == 180)
                    h = kRight - F(X), v = kTop - F(Y);
                if (force && r == 270)
                    h = F(Y), v = kTop - F(X);
            } else if (right && !top) {
                const ASFixed table[4][2] = {{kRight - F(X), vt},
                                             {kRight - F(Y), kTop - F(X)},
                                             {kRight - F(X), vt},
                                             {F(Y), F(X)}};
                h = table[r / 90][0], v = table[r / 90][1];
            } else if (!right && top) {
                const ASFixed table[4][2] = {{ht, kTop - F(Y)},
                                             {F(Y), F(X)},
                                             {ht, kTop - F(Y)},
                                             {kRight - F(Y), kTop - F(X)}};
                h = table[r / 90][0], v = table[r / 90][1];
            } else {
                const ASFixed table[4][2] = {{kRight - F(X), kTop - F(Y)},
                                             {F(Y), kTop - F(X)},
                                             {kRight - F(X), kTop - F(Y)},
                                             {kRight - F(Y), F(X)}};
                h = table[r / 90][0], v = table[r / 90][1];
            }

            const ASFixedMatrix m = PlaceImage(Inputs(right, top, force), Page(r), &HostConcat);
            EXPECT_EQ(m.a, linear.a);
            EXPECT_EQ(m.b, linear.b);
            EXPECT_EQ(m.c, linear.c);
            EXPECT_EQ(m.d, linear.d);
            EXPECT_EQ(m.h, h);
            EXPECT_EQ(m.v, v);
        }
    }
}

TEST(ImageMatrixTest, WorkedExamples) {
    // Unrotated letter page, no switches.
    ASFixedMatrix m = PlaceImage(Inputs(false, false, false), Page(0), &HostConcat);
    EXPECT_EQ(m.a, F(100));
    EXPECT_EQ(m.d, F(50));
    EXPECT_EQ(m.h, F(20));
    EXPECT_EQ(m.v, F(10));

    // Both edges switched, X 120, Y 60: the corner at (492, 732).
    PlacementInputs in = Inputs(true, true, false);
    in.horizontal = 120;
    in.vertical = 60;
    m = PlaceImage(in, Page(0), &HostConcat);
    EXPECT_EQ(m.h, F(492));
    EXPECT_EQ(m.v, F(732));

    // "Top Right" preset without switches: the corner at (420, 720).
    in = Inputs(false, false, true);
    in.horizontal = 420;
    in.vertical = 720;
    m = PlaceImage(in, Page(0), &HostConcat);
    EXPECT_EQ(m.h, F(420));
    EXPECT_EQ(m.v, F(720));

    // Integers beyond 16 bits wrap like a 32-bit shift instead of failing.
    in = Inputs(false, false, false);
    in.horizontal = 32768;
    m = PlaceImage(in, Page(0), &HostConcat);
    EXPECT_EQ(m.h, INT32_MIN);
}

} // namespace
