// The host objects of one stamp run, and the operations that turn the
// prepared JPEG into page content.
//
// Contract:
// - RunObjects owns every host object the run makes (text font and its
//   graphic state's colour space, image colour space, image element, JPEG
//   path, file and stream) and releases whatever it still holds when it is
//   destroyed, so a run that ends early leaks nothing in the host.
// - CreateImageElement and UpdatePageImage record a host failure in the
//   run's step error code instead of raising; failures outside their own
//   protected blocks (acquiring a page or its content) raise and reach the
//   run's protected block. The opacity step records nothing: when the host
//   cannot make or set the graphics state, the picture stays opaque and the
//   run goes on.
// - The JPEG data goes into the document unchanged; the image element carries
//   a mark in its XObject so that undo recognises, from the document alone,
//   an image that a stamp run placed (StampMarker).
#pragma once

#include <string>

#include "sdk/HostCalls.h"
#include "stamp/ImageMatrix.h"

struct ImageSpec {
    std::string jpegPath;
    ASInt32 pixelWidth = 0;  // IMAGEWIDTH
    ASInt32 pixelHeight = 0; // IMAGEHEIGHT
    PlacementInputs placement;
};

class RunObjects {
  public:
    RunObjects() = default;
    ~RunObjects() { ReleaseAll(); }
    RunObjects(const RunObjects&) = delete;
    RunObjects& operator=(const RunObjects&) = delete;

    // Releases the image element, the colour spaces and the text font; closes
    // the stream and the file and releases the path, each only if obtained.
    void ReleaseAll() noexcept;

    PDEFont textFont = nullptr;
    PDEColorSpace textColorSpace = nullptr;
    PDEGraphicState textGState{};
    PDEColorSpace imageColorSpace = nullptr;
    PDEImage image = nullptr;
    ASFileSys fileSys = nullptr;
    ASPathName path = nullptr;
    ASFile file = nullptr;
    ASStm stream = nullptr;
};

// The host's text for an error code, as the run shows it (256-byte buffer).
std::string HostErrorText(ASErrorCode code);

// The step error code shared by the protected steps of one run (0 = none).
ASErrorCode& StepErrorCode();

// Finds the "Arial" TrueType system font and makes the run's text font.
// Raises when there is no such font or it cannot be made.
void CreateTextFont(RunObjects& run);
// Black, line width 1, miter limit 10, flatness 1, in DeviceRGB.
void CreateTextGraphicState(RunObjects& run);

void CreateImageElement(PDDoc doc, const ImageSpec& spec, RunObjects& run);

// OPACITY percent to the host's fixed-point opacity: OPACITY x 0.01 x 65536
// + 0.5, truncated toward zero (100 gives 65536, 50 gives 32768, 1 gives 655);
// values far outside 0..100 saturate instead of overflowing.
ASFixed OpacityToFixed(ASInt32 opacityPercent);
void ApplyOpacity(PDEImage image, PDDoc doc, ASInt32 opacityPercent);

void AddEmptyTextElement(PDDoc doc, ASInt32 pageIndex, const RunObjects& run);

// Apply mode appends the run's image; undo mode removes the page's last
// element when it is an image a stamp run placed, and leaves any other page
// alone. The content is written back and released in every case.
ASInt32 UpdatePageImage(ASInt32 pageIndex, PDEImage image, bool applyMode);
