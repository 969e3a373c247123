// PDModel: documents, pages, boxes, information.
#include "pdfhost/core/HostEntry.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/Page.h"
#include "pdfhost/pdf/PdfTables.h"
#include "pdfhost/pdf/PdfText.h"

namespace pdfhost::pdf {
namespace {

ASInt32 GetPermissions(PDDoc doc) {
    return Document::FromHandle(doc).Permissions();
}

ASInt32 GetNumPages(PDDoc doc) {
    return Document::FromHandle(doc).PageCount();
}

PDPage AcquirePage(PDDoc doc, ASInt32 index) {
    return Document::FromHandle(doc).AcquirePage(index).Handle();
}

void PageRelease(PDPage page) {
    Page& p = Page::FromHandle(page);
    p.Doc().ReleasePage(p);
}

ASInt32 PageGetRotate(PDPage page) {
    return Page::FromHandle(page).Rotate();
}

void PageGetMediaBox(PDPage page, ASFixedRect* box) {
    Page& p = Page::FromHandle(page);
    if (!box)
        Raise(kErrBadParameter, "No rectangle was given for the media box.");
    *box = p.MediaBox();
}

void PageGetCropBox(PDPage page, ASFixedRect* box) {
    Page& p = Page::FromHandle(page);
    if (!box)
        Raise(kErrBadParameter, "No rectangle was given for the crop box.");
    *box = p.CropBox();
}

CosDoc GetCosDoc(PDDoc doc) {
    return Document::FromHandle(doc).CosHandle();
}

void NotifyContentsDidChange(PDPage page, ASBool invalidateViews) {
    Page& p = Page::FromHandle(page);
    p.Doc().NotifyContentsChanged(p.Index(), invalidateViews != 0);
}

ASFile GetFile(PDDoc doc) {
    return Document::FromHandle(doc).File();
}

ASInt32 GetInfo(PDDoc doc, const char* key, char* buffer, ASInt32 size) {
    Document& d = Document::FromHandle(doc);
    if (!key)
        Raise(kErrBadParameter, "PDDocGetInfo needs a key.");
    if (!buffer || size < 1)
        Raise(kErrBadParameter, "PDDocGetInfo needs a buffer of at least one byte.");
    return static_cast<ASInt32>(CopyCut(d.Info(key), buffer, static_cast<std::size_t>(size)));
}

} // namespace

void InstallPDModelTable(HostTableSet& set) {
    PDModelHFT& t = set.pdModel;
    t.PDDocGetPermissions = HOST_ENTRY(PDDocGetPermissions, GetPermissions);
    t.PDDocGetNumPages = HOST_ENTRY(PDDocGetNumPages, GetNumPages);
    t.PDDocAcquirePage = HOST_ENTRY(PDDocAcquirePage, AcquirePage);
    t.PDPageRelease = HOST_ENTRY(PDPageRelease, PageRelease);
    t.PDPageGetRotate = HOST_ENTRY(PDPageGetRotate, PageGetRotate);
    t.PDPageGetMediaBox = HOST_ENTRY(PDPageGetMediaBox, PageGetMediaBox);
    t.PDPageGetCropBox = HOST_ENTRY(PDPageGetCropBox, PageGetCropBox);
    t.PDDocGetCosDoc = HOST_ENTRY(PDDocGetCosDoc, GetCosDoc);
    t.PDPageNotifyContentsDidChangeEx =
        HOST_ENTRY(PDPageNotifyContentsDidChangeEx, NotifyContentsDidChange);
    t.PDDocGetFile = HOST_ENTRY(PDDocGetFile, GetFile);
    t.PDDocGetInfo = HOST_ENTRY(PDDocGetInfo, GetInfo);
}

} // namespace pdfhost::pdf
