// An open PDF document: the qpdf document behind a PDDoc handle.
//
// Contract: made by Documents::Open from a file read by a DocumentSource
// (see there for the errors of reading), on the thread that then owns it.
// qpdf reads the file through the descriptor the source opened, so a save
// that replaces the file (by rename) cannot change the open document, and
// the file is not copied into memory. Reading keeps qpdf's warnings.
// Pages are acquired by index from 0 (kErrBadPageIndex outside) and shared: acquiring a page twice
// gives the same PDPage with two references. Destroying the document
// invalidates every handle that belongs to it: its pages and their contents,
// its Cos objects, its file.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>

#include "pdfhost/core/RegisteredHandle.h"
#include "pdfhost/pdf/BalancePrefetcher.h"
#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/CosPool.h"
#include "pdfhost/pdf/DocumentSource.h"
#include "pdfhost/pdf/IncrementalChanges.h"
#include "pdfhost/pdf/ResourceNamer.h"
#include "sdk/ASTypes.h"

namespace pdfhost::pdf {

class Page;
class OpenFile;

class Document : public std::enable_shared_from_this<Document> {
  public:
    static std::shared_ptr<Document> Open(const std::string& path, std::uint64_t serial);
    Document(DocumentSource source, std::uint64_t serial);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    PDDoc Handle() const { return handle_.As<PDDoc>(); }
    static Document& FromHandle(PDDoc doc);
    CosDoc CosHandle() const { return cosHandle_.As<CosDoc>(); }
    static Document& FromCosHandle(CosDoc doc);

    QPDF& Pdf() { return *pdf_; }
    const std::string& Path() const;
    const OpenFile& FileData() const { return *fileData_; }
    std::uint64_t Serial() const { return serial_; }
    const std::vector<std::string>& Warnings() const { return warnings_; }

    int PageCount() const { return static_cast<int>(pages_.size()); }
    // The page dictionary at index (0 <= index < PageCount()), without
    // acquiring the page.
    QPDFObjectHandle PageObject(int index) const {
        return pages_.at(static_cast<std::size_t>(index));
    }
    const std::vector<QPDFObjectHandle>& Pages() const { return pages_; }
    Page& AcquirePage(int index);
    void ReleasePage(Page& page);

    // The permission bits: all for an unencrypted document, else the
    // encryption dictionary's /P as a signed 32-bit mask.
    ASInt32 Permissions();
    // A document-information entry as UTF-8, empty when absent.
    std::string Info(const std::string& key);

    CosPool& Cos() { return cos_; }
    // The objects of the file this session changed.
    IncrementalChanges& Changes() { return changes_; }
    const IncrementalChanges& Changes() const { return changes_; }
    ResourceNamer& Names() { return names_; }
    ASFile File() const { return file_; }

    // One "q" stream that every page wrapped in this session shares.
    QPDFObjectHandle SaveStream();
    // The stream this session appended with exactly these bytes, made on
    // first use: pages given the same new content share one stream, so a
    // save writes it once. Such streams are never changed afterwards.
    QPDFObjectHandle AppendedStream(const std::string& bytes);
    // Content streams this session appended that end with every graphics
    // state restored, so more can follow them without another wrap.
    bool EndsInDefaultState(QPDFObjectHandle stream) const;
    void MarkEndsInDefaultState(QPDFObjectHandle stream);
    // The q/Q balance of a content stream measured earlier in this session.
    std::optional<ContentBalance> KnownBalance(QPDFObjectHandle stream) const;
    void RememberBalance(QPDFObjectHandle stream, const ContentBalance& balance);
    BalancePrefetcher& Prefetcher() { return *prefetcher_; }
    BalanceMap& Balances() { return balances_; }
    // Transparency (a fill opacity) was added: the file must be PDF 1.4.
    void NoteTransparency() { transparency_ = true; }
    bool UsesTransparency() const { return transparency_; }

    using ChangeListener = std::function<void(Document&, int pageIndex, bool invalidateViews)>;
    static void SetChangeListener(ChangeListener listener);
    void NotifyContentsChanged(int pageIndex, bool invalidateViews);
    int ContentChanges() const { return contentChanges_; }

  private:
    std::unique_ptr<QPDF> pdf_;
    std::shared_ptr<OpenFile> fileData_;
    std::uint64_t serial_;
    RegisteredHandle handle_{this, HandleKind::PDDoc};
    RegisteredHandle cosHandle_{this, HandleKind::CosDoc};
    std::vector<std::string> warnings_;
    std::vector<QPDFObjectHandle> pages_;
    std::map<int, std::shared_ptr<Page>> acquired_;
    IncrementalChanges changes_;
    CosPool cos_;
    ResourceNamer names_;
    ASFile file_ = nullptr;
    QPDFObjectHandle saveStream_;
    std::map<std::string, QPDFObjectHandle> appendedStreams_;
    std::set<QPDFObjGen> defaultEnding_;
    BalanceMap balances_;
    std::unique_ptr<BalancePrefetcher> prefetcher_;
    bool transparency_ = false;
    int contentChanges_ = 0;
};

} // namespace pdfhost::pdf
