// The engine's side of the element calls: every argument of image creation
// checked, and handle lifetimes (a run releases all it took, stale and lent
// handles raise instead of freeing).
#include "ContentTest.h"

#include <functional>

#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::pdf {
namespace {

using test::Atom;
using test::Err;
using test::Ok;
using test::Tables;

struct ImageArgsCase {
    const char* what;
    std::function<void(PDEImageAttrs&, PDEFilterArray&, std::string&, PDEColorSpace&, ASUns32&)>
        change;
    ASErrorCode expected;
};

TEST_F(ContentTest, ImageCreateChecksEveryArgument) {
    const PDFEditWriteHFT& w = Tables().pdfEditWrite;
    PDEColorSpace rgb = Ok(w.PDEColorSpaceCreateFromName, Atom("DeviceRGB"));
    PDEText notASpace = Ok(w.PDETextCreate);
    const std::string jpeg = test::MakeJpeg(4, 4, 1, 2, 3);
    const ImageArgsCase cases[] = {
        {"valid", [](auto&, auto&, auto&, auto&, auto&) {}, 0},
        {"record size", [](auto&, auto&, auto&, auto&, ASUns32& size) { size = 12; },
         kErrBadRecordSize},
        {"zero width", [](PDEImageAttrs& a, auto&, auto&, auto&, auto&) { a.width = 0; },
         kErrBadParameter},
        {"7 bits", [](PDEImageAttrs& a, auto&, auto&, auto&, auto&) { a.bitsPerComponent = 7; },
         kErrBadParameter},
        {"no colour space", [](auto&, auto&, auto&, PDEColorSpace& cs, auto&) { cs = nullptr; },
         kErrBadHandle},
        {"text as colour space",
         [&](auto&, auto&, auto&, PDEColorSpace& cs, auto&) { cs = notASpace; },
         kErrWrongObjectKind},
        {"unknown filter",
         [](auto&, PDEFilterArray& f, auto&, auto&, auto&) { f.spec[0].name = Atom("GIFDecode"); },
         kErrBadParameter},
        {"too many filters",
         [](auto&, PDEFilterArray& f, auto&, auto&, auto&) { f.numFilters = 9; }, kErrBadParameter},
        {"short data", [](auto&, auto&, std::string& d, auto&, auto&) { d.resize(d.size() / 2); },
         kErrBadImageData},
        {"not a JPEG", [](auto&, auto&, std::string& d, auto&, auto&) { d.assign(d.size(), 'x'); },
         kErrBadImageData},
    };
    for (const ImageArgsCase& c : cases) {
        PDEImageAttrs attrs{kPDEImageExternal, 4, 4, 8, {}, 0};
        PDEFilterArray filters{1, {{nullptr, nullptr, Atom("DCTDecode"), 0}}};
        std::string data = jpeg;
        PDEColorSpace cs = rgb;
        ASUns32 size = sizeof attrs;
        c.change(attrs, filters, data, cs, size);
        test::WriteFile(dir_.File("data.jpg"), data);
        ASFileSys fs = Ok(Tables().acroSupport.ASGetDefaultFileSys);
        ASPathName path = Ok(Tables().acroSupport.ASFileSysCreatePathName, fs, Atom("Cstring"),
                             dir_.File("data.jpg").c_str(), nullptr);
        ASFile file = nullptr;
        Ok(Tables().acroSupport.ASFileSysOpenFile, fs, path, ASFILE_READ, &file);
        Ok(Tables().acroSupport.ASFileSysReleasePath, fs, path);
        ASStm stm = Ok(Tables().acroSupport.ASFileStmRdOpen, file, 0u);
        ASErrorCode err = 0;
        PDEImage image =
            w.PDEImageCreate(&err, &attrs, size, nullptr, kPDEImageEncodedData, cs, nullptr,
                             &filters, stm, nullptr, static_cast<ASUns32>(jpeg.size()));
        EXPECT_EQ(err, c.expected) << c.what << ": " << ErrorTexts::For(err);
        EXPECT_EQ(image == nullptr, c.expected != 0) << c.what;
        if (image)
            Ok(w.PDERelease, image);
        Ok(Tables().acroSupport.ASStmClose, stm);
        Ok(Tables().acroSupport.ASFileClose, file);
    }
    Ok(w.PDERelease, rgb);
    Ok(w.PDERelease, notASpace);
}

TEST_F(ContentTest, ARunReleasesEverythingAndStaleHandlesRaise) {
    PDDoc doc = Make("in.pdf", {Page({"0 0 1 rg 0 0 50 50 re f"}), Page({})});
    const std::size_t objects = HandleRegistry::Live(HandleKind::PDEObject);
    int first_unregistered = 0;
    PDEImage image = nullptr;
    {
        test::StampRun run(doc, jpeg_, 16, 16, kMatrix, 40000);
        run.Append(0);
        run.Append(1);
        run.RemoveLast(1);
        image = run.Image();
    }
    EXPECT_EQ(HandleRegistry::Live(HandleKind::PDEObject), objects);
    EXPECT_EQ(HandleRegistry::Live(HandleKind::PDPage), 0u);
    EXPECT_EQ(HandleRegistry::Live(HandleKind::Stream), 0u);
    EXPECT_EQ(HandleRegistry::Live(HandleKind::PathName), 0u);

    const PDFEditWriteHFT& w = Tables().pdfEditWrite;
    EXPECT_EQ(Err(w.PDERelease, image), kErrBadHandle);
    EXPECT_EQ(Err(Tables().pdfEditRead.PDEObjectGetType, image), kErrBadHandle);
    PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
    EXPECT_EQ(Err(Tables().pagePDEContent.PDPageSetPDEContent, p, nullptr), kErrContentNotAcquired);
    EXPECT_EQ(Err(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr),
              kErrContentNotAcquired);
    PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
    EXPECT_EQ(Err(w.PDERelease, c), kErrWrongObjectKind);
    EXPECT_EQ(Err(w.PDEContentAddElem, c, kPDEAfterLast, c), kErrWrongObjectKind);
    EXPECT_EQ(Err(Tables().pagePDEContent.PDPageAcquirePDEContent, p,
                  reinterpret_cast<ASExtension>(&first_unregistered)),
              kErrBadHandle);
    // An element read from one page cannot go onto another.
    PDEElement first = Ok(Tables().pdfEditRead.PDEContentGetElem, c, 0);
    PDPage other = Ok(Tables().pdModel.PDDocAcquirePage, doc, 1);
    PDEContent oc = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, other, nullptr);
    EXPECT_EQ(Err(w.PDEContentAddElem, oc, kPDEAfterLast, first), kErrBadParameter);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, other, nullptr);
    Ok(Tables().pdModel.PDPageRelease, other);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
    Ok(Tables().pdModel.PDPageRelease, p);
    EXPECT_EQ(HandleRegistry::Live(HandleKind::PDEObject), objects);
}

// An element from PDEContentGetElem is lent, not given: releasing it raises
// instead of freeing what the content still holds; acquired, it outlives
// the content.
TEST_F(ContentTest, CallersReleaseOnlyWhatTheyWereGiven) {
    PDDoc doc = Make("in.pdf", {Page({"0 0 1 rg 0 0 50 50 re f 1 0 0 rg 60 60 10 10 re f"})});
    const PDFEditWriteHFT& w = Tables().pdfEditWrite;
    const PDFEditReadHFT& r = Tables().pdfEditRead;
    PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
    PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
    PDEElement lent = Ok(r.PDEContentGetElem, c, 0);
    EXPECT_EQ(Err(w.PDERelease, lent), kErrBadHandle);
    EXPECT_EQ(Ok(r.PDEObjectGetType, lent), kPDEPath);
    EXPECT_EQ(Ok(r.PDEContentGetNumElems, c), 2);

    PDEElement kept = Ok(r.PDEContentGetElem, c, 1);
    Ok(w.PDEAcquire, kept);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
    EXPECT_EQ(Err(r.PDEObjectGetType, lent), kErrBadHandle);
    EXPECT_EQ(Ok(r.PDEObjectGetType, kept), kPDEPath);
    Ok(w.PDERelease, kept);
    EXPECT_EQ(Err(r.PDEObjectGetType, kept), kErrBadHandle);

    // The content acquired again parses into new elements of the same sizes;
    // the released ones' handles reach none of them.
    PDEContent again = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
    EXPECT_EQ(Ok(r.PDEObjectGetType, Ok(r.PDEContentGetElem, again, 0)), kPDEPath);
    for (PDEObject stale : {c, lent, kept})
        EXPECT_EQ(Err(r.PDEObjectGetType, stale), kErrBadHandle);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
    Ok(Tables().pdModel.PDPageRelease, p);
}

} // namespace
} // namespace pdfhost::pdf
