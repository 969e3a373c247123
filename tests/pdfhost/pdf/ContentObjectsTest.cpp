// What the placed objects carry into the saved document: keys put on the
// image's Cos dictionary, opacity, and text drawn with a system font.
#include "ContentTest.h"

#include <qpdf/QPDF.hh>

namespace pdfhost::pdf {
namespace {

using test::Atom;
using test::Err;
using test::Ok;
using test::Tables;

TEST_F(ContentTest, AKeyOnTheImageSurvivesSavingAndReading) {
    PDDoc doc = Make("in.pdf", {Page({"0 0 1 rg 0 0 50 50 re f"}), Page({})});
    CosDoc cosDoc = Ok(Tables().pdModel.PDDocGetCosDoc, doc);
    const CosHFT& cos = Tables().cos;
    {
        test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
        CosObj dict = Ok(Tables().pdfEditRead.PDEImageGetCosObj, run.Image());
        EXPECT_EQ(Ok(cos.CosObjGetType, dict), CosDict);
        Ok(cos.CosDictPut, dict, Atom("PHTestMark"),
           Ok(cos.CosNewName, cosDoc, ASBool{0}, Atom("Before")));
        run.Append(0);
        // Put after the image is placed: it still reaches the document.
        Ok(cos.CosDictPut, dict, Atom("PHLate"),
           Ok(cos.CosNewName, cosDoc, ASBool{0}, Atom("After")));
        run.Append(1);
    }
    const std::string out = Save(doc, "marked.pdf");
    Documents::Close(doc);

    PDDoc again = Documents::Open(out);
    for (int page : {0, 1}) {
        PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, again, page);
        PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
        const ASInt32 n = Ok(Tables().pdfEditRead.PDEContentGetNumElems, c);
        ASSERT_GE(n, 1);
        PDEElement last = Ok(Tables().pdfEditRead.PDEContentGetElem, c, n - 1);
        ASSERT_EQ(Ok(Tables().pdfEditRead.PDEObjectGetType, last), kPDEImage);
        CosObj dict = Ok(Tables().pdfEditRead.PDEImageGetCosObj, last);
        for (const auto& [key, value] :
             {std::pair{"PHTestMark", "Before"}, std::pair{"PHLate", "After"}}) {
            CosObj v = Ok(cos.CosDictGet, dict, Atom(key));
            ASSERT_EQ(Ok(cos.CosObjGetType, v), CosName) << key;
            EXPECT_EQ(Ok(cos.CosNameValue, v), Atom(value)) << key;
        }
        EXPECT_EQ(Ok(cos.CosDictGet, dict, Atom("NotThere")), nullptr);
        PDEImageAttrs attrs{};
        Ok(Tables().pdfEditRead.PDEImageGetAttrs, last, &attrs, ASUns32{sizeof attrs});
        EXPECT_EQ(attrs.width, 16);
        EXPECT_EQ(attrs.height, 16);
        EXPECT_EQ(attrs.bitsPerComponent, 8);
        Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
        Ok(Tables().pdModel.PDPageRelease, p);
    }
}

TEST_F(ContentTest, HalfOpacityBlackOverWhiteIsMidGrey) {
    test::WriteFile(jpeg_, test::MakeJpeg(16, 16, 0, 0, 0));
    PDDoc doc = Make("white.pdf", {Page({})});
    {
        test::StampRun run(doc, jpeg_, 16, 16, kMatrix, 32768);
        run.Append(0);
    }
    const std::string out = Save(doc, "grey.pdf");
    const test::Raster r = test::Render(out, 1);
    const test::PixelRect rect = test::ToPixels(kImageRect, test::Box{0, 0, 612, 792}, 0, 72);
    const std::uint8_t* p = r.Pixel((rect.x0 + rect.x1) / 2, (rect.y0 + rect.y1) / 2);
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(p[c], 128, 3);
    QPDF result;
    result.processFile(out.c_str());
    EXPECT_GE(result.getPDFVersion(), "1.4");
}

TEST_F(ContentTest, TextWithCharactersIsDrawn) {
    PDDoc doc = Make("in.pdf", {Page({})});
    const PDFEditWriteHFT& w = Tables().pdfEditWrite;
    PDEFontAttrs fa{};
    fa.name = Atom("Arial");
    fa.type = Atom("TrueType");
    PDSysFont sys = Ok(Tables().pdSysFont.PDFindSysFont, &fa, ASUns32{sizeof fa}, 0u);
    ASSERT_NE(sys, nullptr);
    PDEFont font = Ok(w.PDEFontCreateFromSysFont, sys, 0u);
    PDEColorSpace cs = Ok(w.PDEColorSpaceCreateFromName, Atom("DeviceRGB"));
    PDEGraphicState gs{};
    gs.fillColorSpec.space = cs;
    gs.fillColorSpec.value.color[0] = kASFixedOne; // red
    PDETextState ts{};
    ts.fontSize = ASInt32ToFixed(40);
    const ASFixedMatrix tm{kASFixedOne,        0, 0, kASFixedOne, ASInt32ToFixed(100),
                           ASInt32ToFixed(100)};
    PDEText text = Ok(w.PDETextCreate);
    const char chars[] = "Stamp (1)";
    Ok(w.PDETextAdd, text, kPDETextRun, 0, reinterpret_cast<const ASUns8*>(chars),
       ASInt32{sizeof chars - 1}, font, &gs, ASUns32{sizeof gs}, &ts, ASUns32{sizeof ts}, &tm,
       nullptr);
    EXPECT_EQ(Err(w.PDETextAdd, text, 0u, 0, nullptr, 0, font, &gs, ASUns32{sizeof gs}, nullptr, 0u,
                  &tm, nullptr),
              kErrBadParameter);
    EXPECT_EQ(Err(w.PDETextAdd, text, kPDETextRun, 5, nullptr, 0, font, &gs, ASUns32{sizeof gs},
                  nullptr, 0u, &tm, nullptr),
              kErrBadParameter);
    EXPECT_EQ(Err(w.PDETextAdd, text, kPDETextRun, 0, nullptr, 0, cs, &gs, ASUns32{sizeof gs},
                  nullptr, 0u, &tm, nullptr),
              kErrWrongObjectKind);
    EXPECT_EQ(Err(w.PDETextAdd, text, kPDETextRun, 0, nullptr, 0, font, &gs, ASUns32{3}, nullptr,
                  0u, &tm, nullptr),
              kErrBadRecordSize);

    PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
    PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
    Ok(w.PDEContentAddElem, c, kPDEAfterLast, text);
    Ok(Tables().pagePDEContent.PDPageSetPDEContent, p, nullptr);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
    Ok(Tables().pdModel.PDPageRelease, p);
    for (PDEObject o : {text, font, cs})
        Ok(w.PDERelease, o);
    const test::Raster r = test::Render(Save(doc, "text.pdf"), 1);
    const std::uint8_t red[3] = {255, 0, 0};
    const test::PixelRect line{100, 792 - 140, 300, 792 - 100};
    const int area = (line.x1 - line.x0) * (line.y1 - line.y0);
    EXPECT_LT(test::CountUnlike(r, line, 0, red, 60), area - 100); // some red glyphs
}

} // namespace
} // namespace pdfhost::pdf
