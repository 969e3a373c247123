// Drives the tables the way the stamping plug-in does, for tests: one image
// element made from a JPEG file, placed on pages after an empty text
// element, or the last element taken off again; everything released at the
// end.
#pragma once

#include <string>

#include "sdk/PIRecords.h"

namespace pdfhost::pdf::test {

class StampRun {
  public:
    // opacity < 0: no extended graphics state.
    StampRun(PDDoc doc, const std::string& jpegPath, int width, int height,
             const ASFixedMatrix& matrix, ASFixed opacity = -1);
    ~StampRun();
    StampRun(const StampRun&) = delete;
    StampRun& operator=(const StampRun&) = delete;

    PDEImage Image() const { return image_; }
    void Append(int pageIndex);
    void RemoveLast(int pageIndex);
    // Appends the image as Append does, but takes host errors as an answer:
    // false when any step failed.
    bool TryAppend(int pageIndex);

  private:
    void AddEmptyText(int pageIndex);

    PDDoc doc_;
    ASFile file_ = nullptr;
    ASStm stream_ = nullptr;
    PDEColorSpace colorSpace_ = nullptr;
    PDEColorSpace textSpace_ = nullptr;
    PDEImage image_ = nullptr;
    PDEFont font_ = nullptr;
};

} // namespace pdfhost::pdf::test
