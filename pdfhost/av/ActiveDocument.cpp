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

std::function<PDDoc()>& pending() {
    static std::function<PDDoc()> open;
    return open;
}

// Finishes a pending opening; moved out first, so that a function that asks
// about the active document itself finds nothing pending.
void Resolve() {
    if (!pending())
        return;
    std::function<PDDoc()> open = std::move(pending());
    pending() = nullptr;
    ActiveDocument::Set(open());
}

} // namespace

void ActiveDocument::Set(PDDoc doc) {
    Clear();
    if (!doc)
        return;
    current() = std::make_unique<DocumentView>(doc);
}

void ActiveDocument::SetPending(std::function<PDDoc()> open) {
    Clear();
    pending() = std::move(open);
}

void ActiveDocument::Clear() {
    pending() = nullptr;
    current().reset();
}

AVDoc ActiveDocument::View() {
    Resolve();
    return current() ? current()->handle.As<AVDoc>() : nullptr;
}

PDDoc ActiveDocument::Doc() {
    Resolve();
    return current() ? current()->doc : nullptr;
}

} // namespace pdfhost::av
