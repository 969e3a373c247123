#include "pdfhost/pdf/Documents.h"

#include <map>

#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/FileSystem.h"
#include "pdfhost/pdf/PDEObjectBase.h"

namespace pdfhost::pdf {
namespace {

struct State {
    std::uint64_t nextSerial = 1;
    std::map<std::uint64_t, std::shared_ptr<Document>> open;
};

State& state() {
    // Closing a document releases files, handles and content objects, so
    // their stores are made first and outlive the documents at exit.
    static const bool prepared = [] {
        FileSystem::Prepare();
        PDEObjectBase::Prepare();
        return true;
    }();
    (void)prepared;
    static State s;
    return s;
}

} // namespace

PDDoc Documents::Open(const std::string& path) {
    auto doc = Document::Open(path, state().nextSerial++);
    const PDDoc handle = doc->Handle();
    state().open.emplace(doc->Serial(), std::move(doc));
    return handle;
}

PDDoc Documents::Adopt(DocumentSource source) {
    auto doc = std::make_shared<Document>(std::move(source), state().nextSerial++);
    const PDDoc handle = doc->Handle();
    state().open.emplace(doc->Serial(), std::move(doc));
    return handle;
}

void Documents::Close(PDDoc handle) {
    Document& doc = Document::FromHandle(handle);
    // Moved out first: closing releases objects that may look documents up.
    auto node = state().open.extract(doc.Serial());
}

void Documents::CloseAll() {
    while (!state().open.empty()) {
        auto node = state().open.extract(state().open.begin());
    }
}

std::shared_ptr<Document> Documents::Find(std::uint64_t serial) {
    auto it = state().open.find(serial);
    return it == state().open.end() ? nullptr : it->second;
}

std::size_t Documents::Count() {
    return state().open.size();
}

} // namespace pdfhost::pdf
