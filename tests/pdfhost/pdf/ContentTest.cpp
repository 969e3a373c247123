#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "TestSupport.h"
#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"

namespace pdfhost::pdf {
namespace {

using test::Atom;
using test::Err;
using test::Ok;
using test::PdfOptions;
using test::Tables;
using test::TestPage;

constexpr std::uint8_t kGreen[3] = {0, 200, 0};
// The picture: 100 x 80 at (300, 400) in default user space.
const ASFixedMatrix kMatrix{ASInt32ToFixed(100), 0, 0, ASInt32ToFixed(80), ASInt32ToFixed(300),
                            ASInt32ToFixed(400)};
const test::Box kImageRect{300, 400, 400, 480};

class ContentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        jpeg_ = dir_.File("green.jpg");
        test::WriteFile(jpeg_, test::MakeJpeg(16, 16, kGreen[0], kGreen[1], kGreen[2]));
    }
    void TearDown() override { Documents::CloseAll(); }

    PDDoc Make(const std::string& name, const std::vector<TestPage>& pages,
               const PdfOptions& options = {}) {
        test::MakePdf(dir_.File(name), pages, options);
        return Documents::Open(dir_.File(name));
    }
    std::string Save(PDDoc doc, const std::string& name) {
        DocumentSaver::Save(Document::FromHandle(doc), dir_.File(name), false);
        EXPECT_EQ(test::QpdfCheck(dir_.File(name)), 0) << name;
        return dir_.File(name);
    }
    ASInt32 Count(PDDoc doc, int page) {
        PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, doc, page);
        PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
        const ASInt32 n = Ok(Tables().pdfEditRead.PDEContentGetNumElems, c);
        Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
        Ok(Tables().pdModel.PDPageRelease, p);
        return n;
    }
    // The picture covers its rectangle and nothing else changed.
    void ExpectStamped(const std::string& before, const std::string& after, int page,
                       const test::Box& crop, int rotate) {
        const test::Raster a = test::Render(before, page);
        const test::Raster b = test::Render(after, page);
        const test::PixelRect rect = test::ToPixels(kImageRect, crop, rotate, 72);
        EXPECT_EQ(test::DiffOutside(a, b, rect, 2), 0) << after << " page " << page;
        EXPECT_EQ(test::CountUnlike(b, rect, 2, kGreen, 12), 0) << after << " page " << page;
    }

    testsupport::TempFolder dir_;
    std::string jpeg_;
};

struct SpaceCase {
    const char* name;
    TestPage page;
    // What the page should look like before the picture, when not the page
    // itself: pdftoppm abandons a stream at a Q with nothing to restore,
    // where other viewers go on, and such a Q is left out when the page is
    // rewritten.
    std::optional<std::vector<std::string>> reference = std::nullopt;
};

void PrintTo(const SpaceCase& c, std::ostream* os) {
    *os << c.name;
}

TestPage Page(std::vector<std::string> contents) {
    TestPage p;
    p.contents = std::move(contents);
    return p;
}

class DefaultUserSpaceTest : public ContentTest, public ::testing::WithParamInterface<SpaceCase> {};

// Whatever state the page leaves, the picture lands where its matrix says,
// the page draws as before, and taking the picture off again restores the
// page exactly.
TEST_P(DefaultUserSpaceTest, PictureLandsWhereTheMatrixPutsIt) {
    const TestPage& wanted = GetParam().page;
    PDDoc doc = Make("in.pdf", {wanted});
    const ASInt32 before = Count(doc, 0);
    {
        test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
        run.Append(0);
    }
    EXPECT_EQ(Count(doc, 0), before + 1);
    const std::string stamped = Save(doc, "stamped.pdf");
    Documents::Close(doc);

    std::string reference = dir_.File("in.pdf");
    if (GetParam().reference) {
        TestPage ref = wanted;
        ref.contents = *GetParam().reference;
        reference = dir_.File("reference.pdf");
        test::MakePdf(reference, {ref});
    }
    const test::Box crop = wanted.cropBox.value_or(*wanted.mediaBox);
    ExpectStamped(reference, stamped, 1, crop, wanted.rotate.value_or(0));

    PDDoc again = Documents::Open(stamped);
    {
        test::StampRun run(again, jpeg_, 16, 16, kMatrix);
        run.RemoveLast(0);
    }
    EXPECT_EQ(Count(again, 0), before);
    const std::string undone = Save(again, "undone.pdf");
    EXPECT_EQ(test::DiffOutside(test::Render(reference, 1), test::Render(undone, 1),
                                test::PixelRect{0, 0, 0, 0}, 0),
              0);
}

TestPage Rotated(int rotate) {
    TestPage p = Page({"1 0 0 rg 20 20 100 300 re f"});
    p.rotate = rotate;
    return p;
}

TestPage Cropped() {
    TestPage p = Page({"0 0 1 rg 60 60 100 100 re f"});
    p.cropBox = test::Box{50, 50, 500, 600};
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, DefaultUserSpaceTest,
    ::testing::Values(
        SpaceCase{"MoreSavesThanRestores",
                  Page({"q 1 0 0 -1 0 792 cm 0.8 0.2 0.2 rg 50 50 100 100 re f"})},
        SpaceCase{"MoreRestoresThanSaves",
                  Page({"2 0 0 2 0 0 cm 0.8 0.2 0.2 rg 20 20 50 50 re f q Q Q"})},
        SpaceCase{"StrayRestoreMidway", Page({"Q 2 0 0 2 0 0 cm 0.8 0.2 0.2 rg 20 20 50 50 re f"}),
                  std::vector<std::string>{"2 0 0 2 0 0 cm 0.8 0.2 0.2 rg 20 20 50 50 re f"}},
        SpaceCase{"TopLevelTransform", Page({"0.5 0 0 0.5 10 10 cm 0 0 1 rg 0 0 200 200 re f"})},
        SpaceCase{"TopLevelClipAndColour",
                  Page({"0 0 100 100 re W n 1 0 0 rg 0 0 50 50 re f BT /F1 24 Tf 10 10 Td "
                        "(clipped) Tj ET"})},
        SpaceCase{"OperatorsSplitAcrossStreams",
                  Page({"q 3 0 0 3 0", "0 cm 0 0 1 rg 10 10 20 20 re", "f"})},
        SpaceCase{"NoContents", Page({})}, SpaceCase{"EmptyStream", Page({""})},
        SpaceCase{"Rotated90", Rotated(90)}, SpaceCase{"Rotated180", Rotated(180)},
        SpaceCase{"Rotated270", Rotated(270)}, SpaceCase{"CropBoxOffset", Cropped()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ContentTest, AppendingKeepsThePagesStreamsAndAnEmptyTextLeavesNothing) {
    PDDoc doc = Make("in.pdf", {Page({"q 1 0 0 rg", "0 0 10 10 re f"})});
    QPDF& pdf = Document::FromHandle(doc).Pdf();
    QPDFObjectHandle page = pdf.getAllPages()[0];
    std::vector<QPDFObjGen> original;
    for (auto& s : page.getKey("/Contents").aitems())
        original.push_back(s.getObjGen());
    const std::string contentsBefore = page.getKey("/Contents").unparse();

    test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
    // An empty text element alone changes nothing at all.
    {
        PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
        PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
        PDEText text = Ok(Tables().pdfEditWrite.PDETextCreate);
        Ok(Tables().pdfEditWrite.PDEContentAddElem, c, kPDEAfterLast, text);
        EXPECT_EQ(Ok(Tables().pdfEditRead.PDEContentGetNumElems, c), 2);
        Ok(Tables().pagePDEContent.PDPageSetPDEContent, p, nullptr);
        EXPECT_EQ(Ok(Tables().pdfEditRead.PDEContentGetNumElems, c), 1);
        Ok(Tables().pdfEditWrite.PDERelease, text);
        Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
        Ok(Tables().pdModel.PDPageRelease, p);
    }
    EXPECT_EQ(page.getKey("/Contents").unparse(), contentsBefore);

    run.Append(0);
    // The old streams are still there, as the same objects, between the
    // wrapping q and the new stream.
    QPDFObjectHandle contents = page.getKey("/Contents");
    ASSERT_TRUE(contents.isArray());
    ASSERT_EQ(contents.getArrayNItems(), 4);
    EXPECT_EQ(contents.getArrayItem(1).getObjGen(), original[0]);
    EXPECT_EQ(contents.getArrayItem(2).getObjGen(), original[1]);
    EXPECT_EQ(contents.getArrayItem(0).getStreamData()->getSize(), 2u); // "q\n"

    // A second picture in the same session needs no second wrap.
    run.Append(0);
    EXPECT_EQ(page.getKey("/Contents").getArrayNItems(), 5);
    EXPECT_EQ(Count(doc, 0), 3);
}

TEST_F(ContentTest, SharedAndInheritedResourcesGainOneNameAndOneImage) {
    for (const bool inherited : {false, true}) {
        std::vector<TestPage> pages(40, Page({"BT /F1 20 Tf 50 700 Td (text) Tj ET"}));
        for (TestPage& p : pages)
            p.ownResources = !inherited;
        PdfOptions options;
        options.sharedResources = true;
        const std::string name = inherited ? "inherited.pdf" : "shared.pdf";
        PDDoc doc = Make(name, pages, options);
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
            for (int i = 0; i < 40; ++i)
                run.Append(i);
        }
        const std::string out = Save(doc, "out-" + name);
        Documents::Close(doc);

        QPDF result;
        result.processFile(out.c_str());
        int images = 0;
        for (auto& o : result.getAllObjects())
            images += o.isStream() && o.getDict().getKey("/Subtype").isNameAndEquals("/Image");
        EXPECT_EQ(images, 1) << name;
        std::set<std::string> names;
        for (QPDFObjectHandle page : result.getAllPages()) {
            EXPECT_EQ(page.hasKey("/Resources"), !inherited) << name;
            QPDFObjectHandle xobjects =
                QPDFPageObjectHelper(page).getAttribute("/Resources", false).getKey("/XObject");
            for (const std::string& key : xobjects.getKeys())
                names.insert(key);
        }
        EXPECT_EQ(names.size(), 1u) << name;
        ExpectStamped(dir_.File(name), out, 40, test::Box{0, 0, 612, 792}, 0);
    }
}

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

TEST_F(ContentTest, ElementsCanBeRemovedAndInsertedAnywhere) {
    // The second rectangle relies on the scale set before the first.
    PDDoc doc = Make("in.pdf", {Page({"0.5 0 0 0.5 0 0 cm 0 0 1 rg 0 0 200 200 re f "
                                      "1 0 0 rg 400 1000 100 100 re f"})});
    const PDFEditWriteHFT& w = Tables().pdfEditWrite;
    test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
    PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
    PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
    ASSERT_EQ(Ok(Tables().pdfEditRead.PDEContentGetNumElems, c), 2);
    for (ASInt32 bad : {-2, 2, 100})
        EXPECT_EQ(Err(w.PDEContentAddElem, c, bad, run.Image()), kErrBadElemIndex) << bad;
    Ok(w.PDEContentAddElem, c, 0, run.Image());               // between the rectangles
    Ok(w.PDEContentAddElem, c, kPDEBeforeFirst, run.Image()); // and first
    EXPECT_EQ(Ok(Tables().pdfEditRead.PDEContentGetNumElems, c), 4);
    Ok(Tables().pagePDEContent.PDPageSetPDEContent, p, nullptr);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
    Ok(Tables().pdModel.PDPageRelease, p);
    ExpectStamped(dir_.File("in.pdf"), Save(doc, "inserted.pdf"), 1, test::Box{0, 0, 612, 792}, 0);

    // Taking every element off leaves a page that draws nothing.
    p = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
    c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
    for (ASInt32 bad : {-1, 4})
        EXPECT_EQ(Err(w.PDEContentRemoveElem, c, bad), kErrBadElemIndex) << bad;
    for (int i = 0; i < 4; ++i)
        Ok(w.PDEContentRemoveElem, c, 0);
    EXPECT_EQ(Err(w.PDEContentRemoveElem, c, 0), kErrEmptyContent);
    Ok(Tables().pagePDEContent.PDPageSetPDEContent, p, nullptr);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
    Ok(Tables().pdModel.PDPageRelease, p);
    const test::Raster blank = test::Render(Save(doc, "empty.pdf"), 1);
    const std::uint8_t white[3] = {255, 255, 255};
    EXPECT_EQ(
        test::CountUnlike(blank, test::PixelRect{0, 0, blank.width, blank.height}, 0, white, 0), 0);
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
    Ok(Tables().pdModel.PDPageRelease, p);
}

TEST_F(ContentTest, AnUndecodableStreamIsAppendedToButNeverRewritten) {
    PDDoc doc = Make("in.pdf", {Page({"0 0 1 rg 0 0 50 50 re f"})});
    QPDF& pdf = Document::FromHandle(doc).Pdf();
    QPDFObjectHandle page = pdf.getAllPages()[0];
    QPDFObjectHandle odd = pdf.newStream(std::string("garbage"));
    odd.getDict().replaceKey("/Filter", QPDFObjectHandle::newName("/NoSuchDecode"));
    QPDFObjectHandle contents = QPDFObjectHandle::newArray();
    contents.appendItem(page.getKey("/Contents"));
    contents.appendItem(odd);
    page.replaceKey("/Contents", contents);

    test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
    run.Append(0);
    EXPECT_EQ(Count(doc, 0), 2);
    PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
    PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
    Ok(Tables().pdfEditWrite.PDEContentRemoveElem, c, 1);
    EXPECT_EQ(Err(Tables().pagePDEContent.PDPageSetPDEContent, p, nullptr), kErrDocDamaged);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
    Ok(Tables().pdModel.PDPageRelease, p);
    EXPECT_TRUE(page.getKey("/Contents").isArray());
    EXPECT_EQ(page.getKey("/Contents").getArrayItem(2).getObjGen(), odd.getObjGen());
}

} // namespace
} // namespace pdfhost::pdf
