#include "pdfhost/av/ActiveDocument.h"

#include <memory>

#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::av {
namespace {

// The view object behind an AVDoc handle: a fresh object per Set, so a
// handle kept from an earlier document is refused, not confused with the
// current one.
struct DocumentView {
    PDDoc doc = nullptr;
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
    current() = std::make_unique<DocumentView>(DocumentView{doc});
    HandleRegistry::Register(current().get(), HandleKind::AVDoc);
}

void ActiveDocument::Clear() {
    if (!current())
        return;
    HandleRegistry::Unregister(current().get());
    current().reset();
}

AVDoc ActiveDocument::View() {
    return reinterpret_cast<AVDoc>(current().get());
}

PDDoc ActiveDocument::Doc() {
    return current() ? current()->doc : nullptr;
}

} // namespace pdfhost::av
