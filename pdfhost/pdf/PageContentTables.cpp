// PDSysFont and PagePDEContent: system fonts and a page's content.
#include "pdfhost/core/Atoms.h"
#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostEntry.h"
#include "pdfhost/pdf/Page.h"
#include "pdfhost/pdf/PageContent.h"
#include "pdfhost/pdf/PdfTables.h"
#include "pdfhost/pdf/SystemFonts.h"

namespace pdfhost::pdf {
namespace {

PDSysFont FindSysFont(const PDEFontAttrs* attrs, ASUns32 size, ASUns32 flags) {
    if (!attrs || size != sizeof(PDEFontAttrs))
        Raise(kErrBadRecordSize, "The font attributes record must be " +
                                     std::to_string(sizeof(PDEFontAttrs)) + " bytes.");
    const std::string& name = Atoms::Name(attrs->name);
    const std::string type = Atoms::Exists(attrs->type) ? Atoms::Name(attrs->type) : "";
    const SystemFont* font = SystemFonts::Find(name, type, flags & kPDSysFontMatchFontType);
    return font ? font->Handle() : nullptr;
}

// The extension is checked when given; the host's own callers pass none.
Page& PageFor(PDPage page, ASExtension extension) {
    Page& p = Page::FromHandle(page);
    if (extension)
        HandleRegistry::Require(extension, HandleKind::Extension);
    return p;
}

PageContent& AcquiredContent(Page& page) {
    if (!page.Content())
        Raise(kErrContentNotAcquired,
              "The content of page " + std::to_string(page.Index() + 1) + " was not acquired.");
    return *page.Content();
}

PDEContent AcquirePDEContent(PDPage page, ASExtension extension) {
    return PageFor(page, extension).AcquireContent().Handle();
}

ASBool SetPDEContent(PDPage page, ASExtension extension) {
    AcquiredContent(PageFor(page, extension)).WriteBack();
    return true;
}

ASInt32 ReleasePDEContent(PDPage page, ASExtension extension) {
    AcquiredContent(PageFor(page, extension)).Release();
    return 0;
}

} // namespace

void InstallPDSysFontTable(HostTableSet& set) {
    set.pdSysFont.PDFindSysFont = HOST_ENTRY(PDFindSysFont, FindSysFont);
}

void InstallPagePDEContentTable(HostTableSet& set) {
    PagePDEContentHFT& t = set.pagePDEContent;
    t.PDPageAcquirePDEContent = HOST_ENTRY(PDPageAcquirePDEContent, AcquirePDEContent);
    t.PDPageSetPDEContent = HOST_ENTRY(PDPageSetPDEContent, SetPDEContent);
    t.PDPageReleasePDEContent = HOST_ENTRY(PDPageReleasePDEContent, ReleasePDEContent);
}

void InstallPdfTables(HostTableSet& set) {
    InstallFileOps(set);
    InstallCosTable(set);
    InstallPDModelTable(set);
    InstallPDFEditTables(set);
    InstallPDSysFontTable(set);
    InstallPagePDEContentTable(set);
}

} // namespace pdfhost::pdf
