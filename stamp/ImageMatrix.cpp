#include "stamp/ImageMatrix.h"

#include <cmath>

#include "stamp/HostObjectGuards.h"

namespace {

// t x 65536 + 0.5, truncated toward zero, from a single-precision angle.
ASFixed ToFixedTruncated(double t) {
    return static_cast<ASFixed>(t * 65536.0 + 0.5);
}

ASFixedMatrix TurnBy(float angle) {
    const ASFixed a = ToFixedTruncated(std::cos(static_cast<double>(angle)));
    const ASFixed b = ToFixedTruncated(std::sin(static_cast<double>(angle)));
    const ASFixed c = ToFixedTruncated(std::sin(-static_cast<double>(angle)));
    return ASFixedMatrix{a, b, c, a, 0, 0};
}

bool IsTurned(ASInt32 r) {
    return r == 90 || r == 180 || r == 270;
}

} // namespace

ASFixedMatrix RotationMatrix(ASInt32 rotate) {
    switch (rotate) {
    case 90:
        return TurnBy(1.57f);
    case 180:
        return TurnBy(3.14f);
    case 270:
        return TurnBy(4.71f);
    default:
        return ASFixedMatrix{kASFixedOne, 0, 0, kASFixedOne, 0, 0};
    }
}

ASFixedMatrix PlaceImage(const PlacementInputs& in, const FirstPageGeometry& page,
                         MatrixConcatProc concat) {
    const ASFixed X = ASInt32ToFixed(in.horizontal);
    const ASFixed Y = ASInt32ToFixed(in.vertical);
    const ASFixed right = page.box.right;
    const ASFixed top = page.box.top;
    const ASInt32 r = static_cast<ASInt16>(page.rotate & 0xFFFF);

    ASFixedMatrix m{ASInt32ToFixed(in.widthPdf), 0, 0, ASInt32ToFixed(in.heightPdf), X, Y};

    if (in.forcePortrait && IsTurned(r)) {
        const ASFixedMatrix turn = RotationMatrix(r);
        const ASFixedMatrix before = m;
        concat(&m, &turn, &before);
    }

    // Offsets from the right or top edge follow the rows of the rotated
    // page; the linear part is never touched here.
    if (in.calcRight) {
        m.h = right - X;
        if (r == 90) {
            m.v = top - X;
            m.h = right - Y;
        } else if (r == 270) {
            m.v = X;
            m.h = Y;
        }
    }
    if (in.calcTop) {
        m.v = top - Y;
        if (r == 90) {
            m.v = X;
            m.h = Y;
            if (in.calcRight)
                m.v = top - X;
        } else if (r == 270) {
            m.v = top - X;
            m.h = right - Y;
            if (in.calcRight)
                m.v = X;
        }
    }
    if (in.forcePortrait && !in.calcRight && !in.calcTop) {
        if (r == 90) {
            m.h = right - Y;
            m.v = X;
        } else if (r == 180) {
            m.h = right - X;
            m.v = top - Y;
        } else if (r == 270) {
            m.h = Y;
            m.v = top - X;
        }
    }
    return m;
}

namespace {

void HostConcat(ASFixedMatrix* result, const ASFixedMatrix* m1, const ASFixedMatrix* m2) {
    ASFixedMatrixConcat(result, m1, m2);
}

} // namespace

ASFixedMatrix ComputeImageMatrix(PDDoc doc, const PlacementInputs& in) {
    FirstPageGeometry geometry;
    {
        // The first page is held for the two reads only.
        PageGuard page(doc, 0);
        geometry.rotate = PDPageGetRotate(page.get());
        PDPageGetCropBox(page.get(), &geometry.box);
    }
    return PlaceImage(in, geometry, &HostConcat);
}
