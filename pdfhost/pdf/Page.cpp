#include "pdfhost/pdf/Page.h"

#include <algorithm>
#include <cmath>

#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/pdf/FixedMath.h"
#include "pdfhost/pdf/PageContent.h"
#include "pdfhost/pdf/PageTree.h"

namespace pdfhost::pdf {
namespace {

struct Box {
    double llx, lly, urx, ury;
};

constexpr Box kLetter{0, 0, 612, 792};

bool ReadBox(QPDFObjectHandle v, Box& out) {
    if (!v.isArray() || v.getArrayNItems() != 4)
        return false;
    double n[4];
    for (int i = 0; i < 4; ++i) {
        QPDFObjectHandle item = v.getArrayItem(i);
        if (!item.isNumber())
            return false;
        n[i] = item.getNumericValue();
        if (!std::isfinite(n[i]))
            return false;
    }
    out =
        Box{std::min(n[0], n[2]), std::min(n[1], n[3]), std::max(n[0], n[2]), std::max(n[1], n[3])};
    return true;
}

ASFixedRect ToRect(const Box& b) {
    return ASFixedRect{ToFixed(b.llx), ToFixed(b.ury), ToFixed(b.urx), ToFixed(b.lly)};
}

Box EffectiveMediaBox(QPDFObjectHandle page) {
    Box b;
    return ReadBox(Inherited(page, "/MediaBox").value, b) ? b : kLetter;
}

} // namespace

Page::Page(Document& doc, int index, QPDFObjectHandle object)
    : doc_(doc), index_(index), object_(object) {}

Page::~Page() {
    if (content_)
        PDEObjectBase::Destroy(*content_);
}

Page& Page::FromHandle(PDPage page) {
    return *HandleRegistry::Check<Page>(page, HandleKind::PDPage);
}

ASInt32 Page::Rotate() const {
    QPDFObjectHandle r = Inherited(object_, "/Rotate").value;
    if (!r.isNumber())
        return 0;
    const double value = r.getNumericValue();
    if (!std::isfinite(value) || value != std::floor(value) || std::fabs(value) > 1e15)
        return 0;
    long long degrees = static_cast<long long>(value) % 360;
    if (degrees < 0)
        degrees += 360;
    return degrees % 90 == 0 ? static_cast<ASInt32>(degrees) : 0;
}

ASFixedRect Page::MediaBox() const {
    return ToRect(EffectiveMediaBox(object_));
}

ASFixedRect Page::CropBox() const {
    const Box media = EffectiveMediaBox(object_);
    Box crop;
    if (!ReadBox(Inherited(object_, "/CropBox").value, crop))
        return ToRect(media);
    const Box clipped{std::max(crop.llx, media.llx), std::max(crop.lly, media.lly),
                      std::min(crop.urx, media.urx), std::min(crop.ury, media.ury)};
    if (clipped.llx >= clipped.urx || clipped.lly >= clipped.ury)
        return ToRect(media);
    return ToRect(clipped);
}

PageContent& Page::AcquireContent() {
    if (content_) {
        content_->Acquire();
        return *content_;
    }
    content_ = PDEObjectBase::Make<PageContent>(weak_from_this()).Detach();
    AddReference();
    return *content_;
}

} // namespace pdfhost::pdf
