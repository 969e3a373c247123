// What one run of the stamping plug-in asks of the host, for tests and the
// benchmark: one image element made from a JPEG file (with an opacity when
// one is given), placed on a page after an empty text element, or a page's
// last element taken off again; everything released at the end.
//
// Contract: the document stays the caller's. A host call that reports an
// error (also finding no system font for the text element) goes to
// `report`, and the run goes on as far as it can, as a test's non-fatal
// check does; without a reporter the constructor, Append and RemoveLast
// throw std::runtime_error instead, and the destructor passes over
// release errors. TryAppend takes host errors as an answer.
#pragma once

#include <functional>
#include <string>

#include "sdk/PIRecords.h"

namespace testsupport {

class StampRun {
  public:
    using Reporter = std::function<void(const std::string& failure)>;

    // opacity < 0: no extended graphics state.
    StampRun(PDDoc doc, const std::string& jpegPath, int width, int height,
             const ASFixedMatrix& matrix, ASFixed opacity = -1, Reporter report = nullptr);
    ~StampRun();
    StampRun(const StampRun&) = delete;
    StampRun& operator=(const StampRun&) = delete;

    PDEImage Image() const { return image_; }
    void Append(int pageIndex);
    void RemoveLast(int pageIndex);
    // Appends the image alone, but takes host errors as an answer: false
    // when any step failed.
    bool TryAppend(int pageIndex);

  private:
    void AddEmptyText(int pageIndex);
    void Fail(const std::string& failure) const;
    template <typename R, typename... P, typename... A>
    R Ok(R (*fn)(ASErrorCode*, P...), A&&... args) const;

    Reporter report_;

    PDDoc doc_;
    ASFile file_ = nullptr;
    ASStm stream_ = nullptr;
    PDEColorSpace colorSpace_ = nullptr;
    PDEColorSpace textSpace_ = nullptr;
    PDEImage image_ = nullptr;
    PDEFont font_ = nullptr;
};

} // namespace testsupport
