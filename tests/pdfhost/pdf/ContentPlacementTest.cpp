// Where appended elements are drawn and what becomes of the page's own
// streams and resources: default user space whatever the page leaves
// behind (also when the page must be rewritten with saves still open),
// streams kept as the same objects, one image and one name for pages that
// share resources, elements inserted and removed anywhere.
#include "ContentTest.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <optional>
#include <set>

namespace pdfhost::pdf {
namespace {

using test::Err;
using test::Ok;
using test::PdfOptions;
using test::Tables;
using test::TestPage;

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
        // Only a rewrite can leave the stray Q out, and the saves opened
        // after it must then be closed before the picture.
        SpaceCase{"StrayRestoreThenSavesLeftOpen",
                  Page({"Q q 2 0 0 2 0 0 cm 0.8 0.2 0.2 rg 20 20 50 50 re f q 0.5 0 0 0.5 0 0 cm "
                        "0 0 1 rg 200 200 20 20 re f"}),
                  std::vector<std::string>{"q 2 0 0 2 0 0 cm 0.8 0.2 0.2 rg 20 20 50 50 re f q 0.5 "
                                           "0 0 0.5 0 0 cm 0 0 1 rg 200 200 20 20 re f"}},
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

TEST_F(ContentTest, InsertingMidwayClosesTheSavesThePageLeftOpen) {
    // Both rectangles draw under the save and the scale before the first;
    // the picture between them must draw in default user space, and the
    // second rectangle must still be scaled.
    PDDoc doc = Make("in.pdf", {Page({"q 0.5 0 0 0.5 0 0 cm 0 0 1 rg 0 0 200 200 re f "
                                      "1 0 0 rg 400 1000 100 100 re f"})});
    test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
    PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
    PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
    ASSERT_EQ(Ok(Tables().pdfEditRead.PDEContentGetNumElems, c), 2);
    Ok(Tables().pdfEditWrite.PDEContentAddElem, c, 0, run.Image());
    Ok(Tables().pagePDEContent.PDPageSetPDEContent, p, nullptr);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
    Ok(Tables().pdModel.PDPageRelease, p);
    EXPECT_EQ(Count(doc, 0), 3);
    ExpectStamped(dir_.File("in.pdf"), Save(doc, "inserted.pdf"), 1, test::Box{0, 0, 612, 792}, 0);
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
