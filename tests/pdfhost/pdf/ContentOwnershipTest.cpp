// What a page holds that is not the page's alone stays as it is: content
// streams and /Contents arrays other pages use too are never changed,
// whether the page is appended to or rewritten, and resource names that an
// earlier session wrote are never taken over by a later one.
#include "ContentTest.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <map>

namespace pdfhost::pdf {
namespace {

using test::Ok;
using test::Tables;

// The bytes of a stream as stored, and the items of an array by identity.
std::string Stored(QPDFObjectHandle stream) {
    const std::shared_ptr<Buffer> data = stream.getRawStreamData();
    return std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
}
std::vector<QPDFObjGen> Items(QPDFObjectHandle array) {
    std::vector<QPDFObjGen> items;
    for (auto& item : array.aitems())
        items.push_back(item.getObjGen());
    return items;
}

// Puts the element before everything page `page` draws and writes the page
// back, which rewrites the page.
void InsertFirst(PDDoc doc, int page, PDEElement element) {
    PDPage p = Ok(Tables().pdModel.PDDocAcquirePage, doc, page);
    PDEContent c = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, p, nullptr);
    Ok(Tables().pdfEditWrite.PDEContentAddElem, c, kPDEBeforeFirst, element);
    Ok(Tables().pagePDEContent.PDPageSetPDEContent, p, nullptr);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, p, nullptr);
    Ok(Tables().pdModel.PDPageRelease, p);
}

TEST_F(ContentTest, ContentOtherPagesShareIsNeverChanged) {
    // Pages 1 and 2 draw one stream; pages 3 and 4 one indirect array. The
    // shared content leaves a save open, so an append has to wrap it.
    const std::string drawn = "q 0 0 1 rg 100 100 200 100 re f 1 0 0 rg 100 300 50 50 re f";
    PDDoc doc = Make("in.pdf", std::vector<test::TestPage>(4, Page({drawn})));
    QPDF& pdf = Document::FromHandle(doc).Pdf();
    std::vector<QPDFObjectHandle> pages = pdf.getAllPages();
    QPDFObjectHandle stream = pages[0].getKey("/Contents");
    pages[1].replaceKey("/Contents", stream);
    QPDFObjectHandle array =
        pdf.makeIndirectObject(QPDFObjectHandle::newArray({pages[2].getKey("/Contents")}));
    pages[2].replaceKey("/Contents", array);
    pages[3].replaceKey("/Contents", array);
    const std::string sharedPdf = Save(doc, "shared.pdf");

    struct Case {
        const char* what;
        bool rewrite; // the picture goes first, else it is appended
    } cases[] = {{"appended", false}, {"rewritten", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PDDoc edited = Documents::Open(sharedPdf);
        QPDF& q = Document::FromHandle(edited).Pdf();
        std::vector<QPDFObjectHandle> all = q.getAllPages();
        const QPDFObjectHandle sharedStream = all[0].getKey("/Contents");
        const QPDFObjectHandle sharedArray = all[2].getKey("/Contents");
        ASSERT_EQ(all[1].getKey("/Contents").getObjGen(), sharedStream.getObjGen());
        ASSERT_EQ(all[3].getKey("/Contents").getObjGen(), sharedArray.getObjGen());
        const std::string bytes = Stored(sharedStream);
        const std::vector<QPDFObjGen> items = Items(sharedArray);
        {
            test::StampRun run(edited, jpeg_, 16, 16, kMatrix);
            for (int page : {0, 2}) {
                if (c.rewrite)
                    InsertFirst(edited, page, run.Image());
                else
                    run.Append(page);
            }
        }
        EXPECT_EQ(Stored(sharedStream), bytes);
        EXPECT_EQ(Items(sharedArray), items);
        EXPECT_EQ(all[1].getKey("/Contents").getObjGen(), sharedStream.getObjGen());
        EXPECT_EQ(all[3].getKey("/Contents").getObjGen(), sharedArray.getObjGen());
        EXPECT_NE(all[0].getKey("/Contents").getObjGen(), sharedStream.getObjGen());
        EXPECT_NE(all[2].getKey("/Contents").getObjGen(), sharedArray.getObjGen());

        const std::string out = Save(edited, std::string("out-") + c.what + ".pdf");
        Documents::Close(edited);
        for (int page : {2, 4})
            EXPECT_EQ(test::DiffOutside(test::Render(sharedPdf, page), test::Render(out, page),
                                        test::PixelRect{0, 0, 0, 0}, 0),
                      0)
                << "page " << page;
        for (int page : {1, 3})
            ExpectStamped(sharedPdf, out, page, test::Box{0, 0, 612, 792}, 0);
    }
}

// The XObject and ExtGState names of a page's resources, each with what it
// names: a stream's stored bytes, or a dictionary as written. (A full save
// renumbers objects, so identities cannot be compared across files.)
std::map<std::string, std::string> Named(QPDFObjectHandle page, const std::string& category) {
    std::map<std::string, std::string> named;
    QPDFObjectHandle dict =
        QPDFPageObjectHelper(page).getAttribute("/Resources", false).getKey(category);
    if (dict.isDictionary())
        for (auto [key, value] : dict.ditems())
            named[key] = value.isStream() ? Stored(value) : value.unparseResolved();
    return named;
}

TEST_F(ContentTest, ALaterSessionNeverReusesTheNamesAnEarlierOneWrote) {
    // The first session stamps a fully opaque green picture, with its own
    // graphics state; the second a half transparent red one elsewhere. Had
    // the second taken /PHIm1 or /PHGs1 over, the first picture would turn
    // red or half transparent.
    const std::string red = dir_.File("red.jpg");
    test::WriteFile(red, test::MakeJpeg(16, 16, 255, 0, 0));
    const ASFixedMatrix lower{ASInt32ToFixed(100), 0, 0, ASInt32ToFixed(80), ASInt32ToFixed(100),
                              ASInt32ToFixed(100)};
    const test::Box lowerRect{100, 100, 200, 180};

    PDDoc doc = Make("in.pdf", {Page({"0 0 1 rg 400 600 100 100 re f"})});
    {
        test::StampRun run(doc, jpeg_, 16, 16, kMatrix, kASFixedOne);
        run.Append(0);
    }
    const std::string first = Save(doc, "first.pdf");
    Documents::Close(doc);

    PDDoc again = Documents::Open(first);
    {
        test::StampRun run(again, red, 16, 16, lower, kASFixedOne / 2);
        run.Append(0);
    }
    const std::string second = Save(again, "second.pdf");
    Documents::Close(again);

    QPDF before, after;
    before.processFile(first.c_str());
    after.processFile(second.c_str());
    for (const char* category : {"/XObject", "/ExtGState"}) {
        SCOPED_TRACE(category);
        const auto earlier = Named(before.getAllPages()[0], category);
        const auto later = Named(after.getAllPages()[0], category);
        ASSERT_EQ(earlier.size(), 1u);
        ASSERT_EQ(later.size(), 2u);
        // The earlier name still names the earlier object.
        const auto& [name, object] = *earlier.begin();
        ASSERT_EQ(later.count(name), 1u);
        EXPECT_EQ(later.at(name), object);
    }

    const test::Raster page = test::Render(second, 1);
    const test::Box crop{0, 0, 612, 792};
    EXPECT_EQ(test::CountUnlike(page, test::ToPixels(kImageRect, crop, 0, 72), 2, kGreen, 12), 0);
    const std::uint8_t halfRed[3] = {255, 128, 128};
    EXPECT_EQ(test::CountUnlike(page, test::ToPixels(lowerRect, crop, 0, 72), 2, halfRed, 12), 0);
}

} // namespace
} // namespace pdfhost::pdf
