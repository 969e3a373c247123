#include "pdfhost/pdf/Document.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include <qpdf/QPDFExc.hh>

#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/FileSystem.h"
#include "pdfhost/pdf/OpenFile.h"
#include "pdfhost/pdf/Page.h"
#include "pdfhost/pdf/PdfText.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {
namespace {

Document::ChangeListener& listener() {
    static Document::ChangeListener l;
    return l;
}

} // namespace

std::shared_ptr<Document> Document::Open(const std::string& path, std::uint64_t serial) {
    DocumentSource source = DocumentSource::Open(path);
    source.ReadPages();
    return std::make_shared<Document>(std::move(source), serial);
}

Document::Document(DocumentSource source, std::uint64_t serial)
    : pdf_(std::move(source.pdf)), fileData_(std::move(source.file)), serial_(serial),
      pages_(std::move(source.pages)), cos_(pdf_.get(), nullptr, &changes_), names_(changes_),
      balances_(std::move(source.balances)), prefetcher_(std::move(source.prefetcher)) {
    if (!prefetcher_)
        prefetcher_ = std::make_unique<BalancePrefetcher>();
    for (const QPDFExc& w : pdf_->getWarnings())
        warnings_.push_back(w.what());
    file_ = FileSystem::AddDocumentFile(fileData_);
}

Document::~Document() {
    // Pages (and with them their contents) go before the qpdf document.
    acquired_.clear();
    FileSystem::RemoveDocumentFile(file_);
}

Document& Document::FromHandle(PDDoc doc) {
    return *HandleRegistry::Check<Document>(doc, HandleKind::PDDoc);
}

Document& Document::FromCosHandle(CosDoc doc) {
    return *HandleRegistry::Check<Document>(doc, HandleKind::CosDoc);
}

const std::string& Document::Path() const {
    return fileData_->Path();
}

Page& Document::AcquirePage(int index) {
    if (index < 0 || index >= PageCount())
        Raise(kErrBadPageIndex, "Page index " + std::to_string(index) +
                                    " is out of range: the document has " +
                                    std::to_string(PageCount()) + " pages (0 to " +
                                    std::to_string(PageCount() - 1) + ").");
    auto& slot = acquired_[index];
    if (!slot)
        slot = std::make_shared<Page>(*this, index, pages_[static_cast<std::size_t>(index)]);
    slot->AddReference();
    return *slot;
}

void Document::ReleasePage(Page& page) {
    if (page.DropReference())
        acquired_.erase(page.Index());
}

ASInt32 Document::Permissions() {
    if (!pdf_->isEncrypted())
        return pdPermAll;
    QPDFObjectHandle p = pdf_->getTrailer().getKey("/Encrypt").getKey("/P");
    if (!p.isInteger())
        return 0;
    // /P is a 32-bit mask; some files write it unsigned.
    return static_cast<ASInt32>(static_cast<std::uint32_t>(p.getIntValue()));
}

std::string Document::Info(const std::string& key) {
    QPDFObjectHandle info = pdf_->getTrailer().getKey("/Info");
    if (!info.isDictionary())
        return {};
    QPDFObjectHandle value = info.getKey(key.empty() || key[0] != '/' ? "/" + key : key);
    if (value.isString())
        return ToUtf8(value.getStringValue());
    if (value.isName())
        return value.getName().substr(1);
    return {};
}

QPDFObjectHandle Document::SaveStream() {
    if (!saveStream_.isInitialized())
        saveStream_ = pdf_->newStream(std::string("q\n"));
    return saveStream_;
}

QPDFObjectHandle Document::AppendedStream(const std::string& bytes) {
    auto it = appendedStreams_.find(bytes);
    if (it == appendedStreams_.end())
        it = appendedStreams_.emplace(bytes, pdf_->newStream(bytes)).first;
    return it->second;
}

bool Document::EndsInDefaultState(QPDFObjectHandle stream) const {
    return stream.isIndirect() && defaultEnding_.count(stream.getObjGen()) > 0;
}

void Document::MarkEndsInDefaultState(QPDFObjectHandle stream) {
    defaultEnding_.insert(stream.getObjGen());
}

std::optional<ContentBalance> Document::KnownBalance(QPDFObjectHandle stream) const {
    auto it = balances_.find(stream.getObjGen());
    if (!stream.isIndirect() || it == balances_.end())
        return std::nullopt;
    return it->second;
}

void Document::RememberBalance(QPDFObjectHandle stream, const ContentBalance& balance) {
    if (stream.isIndirect())
        balances_[stream.getObjGen()] = balance;
}

void Document::SetChangeListener(ChangeListener l) {
    listener() = std::move(l);
}

void Document::NotifyContentsChanged(int pageIndex, bool invalidateViews) {
    ++contentChanges_;
    if (listener())
        listener()(*this, pageIndex, invalidateViews);
}

} // namespace pdfhost::pdf
