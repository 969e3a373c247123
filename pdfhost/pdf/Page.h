// One page of an open document, behind a PDPage handle.
//
// Contract: pages are made and counted by their Document (AcquirePage /
// ReleasePage); a page's content, once acquired, holds a reference to the
// page. Rotate() is the inherited /Rotate normalised to 0, 90, 180 or 270 (a
// value that is not a multiple of 90 counts as 0). CropBox() is the inherited
// crop box clipped to the media box, MediaBox() the inherited media box
// (US Letter when there is none), both normalised so that left < right and
// bottom < top, as ASFixed values (coordinates beyond the ASFixed range are
// clamped).
#pragma once

#include <memory>

#include <qpdf/QPDFObjectHandle.hh>

#include "pdfhost/core/RegisteredHandle.h"
#include "sdk/ASTypes.h"

namespace pdfhost::pdf {

class Document;
class PageContent;

class Page : public std::enable_shared_from_this<Page> {
  public:
    Page(Document& doc, int index, QPDFObjectHandle object);
    ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    PDPage Handle() const { return handle_.As<PDPage>(); }
    static Page& FromHandle(PDPage page);

    Document& Doc() const { return doc_; }
    int Index() const { return index_; }
    QPDFObjectHandle Object() const { return object_; }

    void AddReference() { ++refs_; }
    // True when this was the last reference.
    bool DropReference() { return --refs_ == 0; }

    ASInt32 Rotate() const;
    ASFixedRect CropBox() const;
    ASFixedRect MediaBox() const;

    PageContent& AcquireContent();
    // The content, or null when it is not acquired.
    PageContent* Content() const { return content_; }
    void ContentGone() { content_ = nullptr; }

  private:
    Document& doc_;
    int index_;
    QPDFObjectHandle object_;
    int refs_ = 0;
    PageContent* content_ = nullptr;
    RegisteredHandle handle_{this, HandleKind::PDPage};
};

} // namespace pdfhost::pdf
