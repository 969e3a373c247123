#include "StampRun.h"

#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

#include "EngineTables.h"
#include "pdfhost/core/HostError.h"

namespace testsupport {
namespace {

using pdfhost::HostTableSet;

const HostTableSet& Tables() {
    return EngineTables();
}

} // namespace

void StampRun::Fail(const std::string& failure) const {
    if (!report_)
        throw std::runtime_error(failure);
    report_(failure);
}

// Calls a table entry that must succeed.
template <typename R, typename... P, typename... A>
R StampRun::Ok(R (*fn)(ASErrorCode*, P...), A&&... args) const {
    ASErrorCode err = 0;
    if constexpr (std::is_void_v<R>) {
        fn(&err, std::forward<A>(args)...);
        if (err)
            Fail("a host call of the stamp run failed: " + pdfhost::ErrorTexts::For(err));
    } else {
        R r = fn(&err, std::forward<A>(args)...);
        if (err)
            Fail("a host call of the stamp run failed: " + pdfhost::ErrorTexts::For(err));
        return r;
    }
}

StampRun::StampRun(PDDoc doc, const std::string& jpegPath, int width, int height,
                   const ASFixedMatrix& matrix, ASFixed opacity, Reporter report)
    : report_(std::move(report)), doc_(doc) {
    const HostTableSet& t = Tables();
    ASFileSys fs = Ok(t.acroSupport.ASGetDefaultFileSys);
    ASPathName path =
        Ok(t.acroSupport.ASFileSysCreatePathName, fs, Atom("Cstring"), jpegPath.c_str(), nullptr);
    const ASInt32 opened = Ok(t.acroSupport.ASFileSysOpenFile, fs, path, ASFILE_READ, &file_);
    Ok(t.acroSupport.ASFileSysReleasePath, fs, path);
    if (opened != 0)
        Fail("the stamp run cannot open " + jpegPath);
    stream_ = Ok(t.acroSupport.ASFileStmRdOpen, file_, 0u);

    colorSpace_ = Ok(t.pdfEditWrite.PDEColorSpaceCreateFromName, Atom("DeviceRGB"));
    PDEImageAttrs attrs{};
    attrs.flags = kPDEImageExternal;
    attrs.width = width;
    attrs.height = height;
    attrs.bitsPerComponent = 8;
    PDEFilterArray filters{};
    filters.numFilters = 1;
    filters.spec[0].name = Atom("DCTDecode");
    const ASInt32 length = Ok(t.acroSupport.ASFileGetEOF, file_);
    image_ = Ok(t.pdfEditWrite.PDEImageCreate, &attrs, static_cast<ASUns32>(sizeof attrs), &matrix,
                kPDEImageEncodedData, colorSpace_, nullptr, &filters, stream_, nullptr,
                static_cast<ASUns32>(length));
    if (opacity >= 0) {
        CosDoc cos = Ok(t.pdModel.PDDocGetCosDoc, doc_);
        PDEExtGState ext = Ok(t.pdfEditWrite.PDEExtGStateCreateNew, cos);
        Ok(t.pdfEditWrite.PDEExtGStateSetOpacityFill, ext, opacity);
        PDEGraphicState gs{};
        gs.wasSetFlags = kPDEExtGStateWasSet;
        gs.extGState = ext;
        Ok(t.pdfEditWrite.PDEElementSetGState, image_, &gs, static_cast<ASUns32>(sizeof gs));
        Ok(t.pdfEditWrite.PDERelease, ext);
    }

    PDEFontAttrs fa{};
    fa.name = Atom("Arial");
    fa.type = Atom("TrueType1");
    PDSysFont sys = Ok(t.pdSysFont.PDFindSysFont, &fa, static_cast<ASUns32>(sizeof fa), 1u);
    if (!sys)
        Fail("the stamp run finds no system font for its text element");
    font_ = Ok(t.pdfEditWrite.PDEFontCreateFromSysFont, sys, 1u);
    textSpace_ = Ok(t.pdfEditWrite.PDEColorSpaceCreate, Atom("DeviceRGB"), nullptr);
}

StampRun::~StampRun() {
    const HostTableSet& t = Tables();
    ASErrorCode err = 0;
    auto check = [&] {
        if (err && report_)
            report_("a release of the stamp run failed: " + pdfhost::ErrorTexts::For(err));
        err = 0;
    };
    for (PDEObject o : {image_, colorSpace_, font_, textSpace_})
        if (o) {
            t.pdfEditWrite.PDERelease(&err, o);
            check();
        }
    if (stream_) {
        t.acroSupport.ASStmClose(&err, stream_);
        check();
    }
    if (file_) {
        t.acroSupport.ASFileClose(&err, file_);
        check();
    }
}

void StampRun::AddEmptyText(int pageIndex) {
    const HostTableSet& t = Tables();
    PDEText text = Ok(t.pdfEditWrite.PDETextCreate);
    PDEGraphicState gs{};
    gs.fillColorSpec.space = textSpace_;
    gs.strokeColorSpec.space = textSpace_;
    gs.lineWidth = kASFixedOne;
    gs.miterLimit = 10 * kASFixedOne;
    gs.flatness = kASFixedOne;
    ASFixedMatrix tm{0x7777, 0x1234, 0, 0x4321, 0x1111, 0x2222}; // only c is meaningful
    Ok(t.pdfEditWrite.PDETextAdd, text, kPDETextRun, 0, reinterpret_cast<const ASUns8*>(""), 0,
       font_, &gs, static_cast<ASUns32>(sizeof gs), nullptr, 0u, &tm, nullptr);
    PDPage page = Ok(t.pdModel.PDDocAcquirePage, doc_, pageIndex);
    PDEContent content = Ok(t.pagePDEContent.PDPageAcquirePDEContent, page, nullptr);
    Ok(t.pdfEditWrite.PDEContentAddElem, content, kPDEAfterLast, text);
    Ok(t.pagePDEContent.PDPageSetPDEContent, page, nullptr);
    Ok(t.pdfEditWrite.PDERelease, text);
    Ok(t.pdModel.PDPageNotifyContentsDidChangeEx, page, ASBool{1});
    Ok(t.pagePDEContent.PDPageReleasePDEContent, page, nullptr);
    Ok(t.pdModel.PDPageRelease, page);
}

void StampRun::Append(int pageIndex) {
    const HostTableSet& t = Tables();
    AddEmptyText(pageIndex);
    PDPage page = Ok(t.pdModel.PDDocAcquirePage, doc_, pageIndex);
    PDEContent content = Ok(t.pagePDEContent.PDPageAcquirePDEContent, page, nullptr);
    Ok(t.pdfEditWrite.PDEContentAddElem, content, kPDEAfterLast, image_);
    Ok(t.pagePDEContent.PDPageSetPDEContent, page, nullptr);
    Ok(t.pdModel.PDPageNotifyContentsDidChangeEx, page, ASBool{1});
    Ok(t.pagePDEContent.PDPageReleasePDEContent, page, nullptr);
    Ok(t.pdModel.PDPageRelease, page);
}

bool StampRun::TryAppend(int pageIndex) {
    const HostTableSet& t = Tables();
    ASErrorCode err = 0;
    bool ok = true;
    auto step = [&] {
        ok = ok && err == 0;
        err = 0;
    };
    PDPage page = t.pdModel.PDDocAcquirePage(&err, doc_, pageIndex);
    step();
    if (!page)
        return false;
    PDEContent content = t.pagePDEContent.PDPageAcquirePDEContent(&err, page, nullptr);
    step();
    t.pdfEditWrite.PDEContentAddElem(&err, content, kPDEAfterLast, image_);
    step();
    t.pagePDEContent.PDPageSetPDEContent(&err, page, nullptr);
    step();
    t.pagePDEContent.PDPageReleasePDEContent(&err, page, nullptr);
    step();
    t.pdModel.PDPageRelease(&err, page);
    step();
    return ok;
}

void StampRun::RemoveLast(int pageIndex) {
    const HostTableSet& t = Tables();
    AddEmptyText(pageIndex);
    PDPage page = Ok(t.pdModel.PDDocAcquirePage, doc_, pageIndex);
    PDEContent content = Ok(t.pagePDEContent.PDPageAcquirePDEContent, page, nullptr);
    const ASInt32 n = Ok(t.pdfEditRead.PDEContentGetNumElems, content);
    Ok(t.pdfEditWrite.PDEContentRemoveElem, content, n - 1);
    Ok(t.pagePDEContent.PDPageSetPDEContent, page, nullptr);
    Ok(t.pagePDEContent.PDPageReleasePDEContent, page, nullptr);
    Ok(t.pdModel.PDPageRelease, page);
}

} // namespace testsupport
