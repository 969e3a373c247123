// Where the stamped picture lands: one image matrix per run.
//
// Contract: the matrix maps the image's unit square into the page's user
// space. It depends only on the placement settings and on the first page's
// rotation and crop box (its right and top, used as they are); later pages
// get the same matrix whatever their own rotation. Nothing is range-checked:
// zero or negative sizes and offsets outside the page go to the host as
// computed, and integers outside -32768..32767 wrap like a 32-bit shift.
#pragma once

#include "sdk/ASTypes.h"

struct PlacementInputs {
    ASInt32 widthPdf = 0;   // IMAGEWIDTHPDF
    ASInt32 heightPdf = 0;  // IMAGEHEIGHTPDF
    ASInt32 horizontal = 0; // HORIZONTAL
    ASInt32 vertical = 0;   // VERTICAL
    bool calcRight = false;
    bool calcTop = false;
    bool forcePortrait = false;
};

struct FirstPageGeometry {
    ASInt32 rotate = 0; // compared by its low 16 bits
    ASFixedRect box{};
};

// The host's matrix concatenation: result = m2 followed by m1.
using MatrixConcatProc = void (*)(ASFixedMatrix* result, const ASFixedMatrix* m1,
                                  const ASFixedMatrix* m2);

// The turning matrix for a page rotation of 90, 180 or 270 degrees, with the
// slight skew of angles written as 1.57, 3.14 and 4.71 radians; the identity
// for any other rotation.
ASFixedMatrix RotationMatrix(ASInt32 rotate);

// The placement itself, given the first page's geometry.
ASFixedMatrix PlaceImage(const PlacementInputs& in, const FirstPageGeometry& page,
                         MatrixConcatProc concat);

// Acquires the document's first page through the host, reads its rotation and
// crop box, releases it and returns the placement. Host errors propagate as
// raises.
ASFixedMatrix ComputeImageMatrix(PDDoc doc, const PlacementInputs& in);
