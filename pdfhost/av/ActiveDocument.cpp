#include "pdfhost/av/ActiveDocument.h"

#include <memory>

#include "pdfhost/core/RegisteredHandle.h"

namespace pdfhost::av {
namespace {

// The view object behind an AVDoc handle: a fresh object, with a fresh
// handle, per Set, so a handle kept from an earlier document is refused, not
// confused with the current one.
struct DocumentView {
    explicit DocumentView(PDDoc d) : doc(d) {}
    PDDoc doc;
    RegisteredHandle handle{this, HandleKind::AVDoc};
};

std::unique_ptr<DocumentView>& current() {
    static std::unique_ptr<DocumentView> view;
    return view;
}

} // namespace

void ActiveDocument::Set(PDDoc doc) {
    Clear();
    if (!doc)
        return;
    current() = std::make_unique<DocumentView>(doc);
}

void ActiveDocument::Clear() {
    current().reset();
}

AVDoc ActiveDocument::View() {
    return current() ? current()->handle.As<AVDoc>() : nullptr;
}

PDDoc ActiveDocument::Doc() {
    return current() ? current()->doc : nullptr;
}

} // namespace pdfhost::av
