// Taking appended pictures off again: the page is left with the streams it
// had before the append, also in a later session, and its resources lose
// what nothing on it draws any more - without a change to resources that
// other pages share or inherit.
#include "ContentTest.h"

#include <optional>
#include <set>

#include <qpdf/QPDF.hh>

#include "pdfhost/pdf/ContentStreams.h"
#include "pdfhost/pdf/PageTree.h"
#include "tests/support/SaveDepth.h"

namespace pdfhost::pdf {
namespace {

using test::PdfOptions;
using test::TestPage;

constexpr ASFixed kHalf = kASFixedOne / 2;

QPDFObjectHandle PageObject(PDDoc doc, int index) {
    return Document::FromHandle(doc).Pdf().getAllPages().at(static_cast<std::size_t>(index));
}

// The page's /Contents as object identities; nothing when it has none.
std::optional<std::vector<QPDFObjGen>> StreamsOf(PDDoc doc, int index) {
    QPDFObjectHandle contents = PageObject(doc, index).getKey("/Contents");
    if (contents.isNull())
        return std::nullopt;
    std::vector<QPDFObjGen> ids;
    if (contents.isStream())
        ids.push_back(contents.getObjGen());
    else
        for (auto& s : contents.aitems())
            ids.push_back(s.getObjGen());
    return ids;
}

std::string DecodedContent(PDDoc doc, int index) {
    std::string out;
    for (const QPDFObjectHandle& s : ContentStreams::Of(PageObject(doc, index)))
        out += *ContentStreams::Decode(s) + "\n";
    return out;
}

std::set<std::string> ResourceKeys(PDDoc doc, int index) {
    return test::ResourceNames(PageObject(doc, index));
}

PDDoc SaveAndReopen(PDDoc doc, const std::string& path) {
    DocumentSaver::Save(Document::FromHandle(doc), path, false, SaveKind::Incremental);
    Documents::Close(doc);
    return Documents::Open(path);
}

struct RemovalCase {
    const char* name;
    std::vector<std::string> contents;
    // The append wraps the page's streams; a page whose content restores
    // more states than it saves is rewritten instead, in one wrap.
    bool wrapped = true;
};

void PrintTo(const RemovalCase& c, std::ostream* os) {
    *os << c.name;
}

class RemovalCycleTest : public ContentTest, public ::testing::WithParamInterface<RemovalCase> {};

// Stamp and undo three times, the middle time across a save and a new
// session: each undo leaves the page's own streams, as the same objects.
TEST_P(RemovalCycleTest, UndoLeavesThePagesOwnStreams) {
    PDDoc doc = Make("in.pdf", {Page(GetParam().contents)});
    const auto original = StreamsOf(doc, 0);
    const int depth = testsupport::MaxSaveDepth(DecodedContent(doc, 0));
    const auto resources = ResourceKeys(doc, 0);
    const ASInt32 before = Count(doc, 0);
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix, kHalf);
            run.Append(0);
        }
        if (cycle == 1)
            doc = SaveAndReopen(doc, dir_.File("cycle.pdf"));
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix, kHalf);
            run.RemoveLast(0);
        }
        EXPECT_EQ(Count(doc, 0), before);
        EXPECT_EQ(ResourceKeys(doc, 0), resources);
        if (GetParam().wrapped)
            EXPECT_EQ(StreamsOf(doc, 0), original);
        else
            EXPECT_LE(testsupport::MaxSaveDepth(DecodedContent(doc, 0)), depth + 1);
    }
    Save(doc, "out.pdf");
}

INSTANTIATE_TEST_SUITE_P(
    Pages, RemovalCycleTest,
    ::testing::Values(RemovalCase{"OneStream", {"0 0 1 rg 100 100 200 100 re f"}},
                      RemovalCase{"SavesLeftOpen",
                                  {"q q 1 0 0 -1 0 792 cm 0.8 0.2 0.2 rg 50 50 100 100 re f"}},
                      RemovalCase{"OperatorsSplitAcrossStreams",
                                  {"q 3 0 0 3 0", "0 cm 0 0 1 rg 10 10 20 20 re", "f"}},
                      RemovalCase{"NoContents", {}}, RemovalCase{"EmptyStream", {""}},
                      RemovalCase{"MoreRestoresThanSaves",
                                  {"2 0 0 2 0 0 cm 0.8 0.2 0.2 rg 20 20 50 50 re f q Q Q"},
                                  false}),
    [](const auto& info) { return std::string(info.param.name); });

// Only the last picture goes; the one before still draws the same image
// through the same graphics state, so both stay in the resources.
TEST_F(ContentTest, UndoKeepsWhatAnEarlierPictureStillDraws) {
    PDDoc doc = Make("in.pdf", {Page({"0 0 1 rg 100 100 200 100 re f"})});
    const auto original = StreamsOf(doc, 0);
    const auto resources = ResourceKeys(doc, 0);
    test::StampRun run(doc, jpeg_, 16, 16, kMatrix, kHalf);
    run.Append(0);
    const auto oneStamp = StreamsOf(doc, 0);
    const auto oneStampResources = ResourceKeys(doc, 0);
    ASSERT_EQ(oneStampResources.size(), 3u); // the font, the image, the state
    run.Append(0);

    run.RemoveLast(0);
    EXPECT_EQ(StreamsOf(doc, 0), oneStamp);
    EXPECT_EQ(ResourceKeys(doc, 0), oneStampResources);
    Save(doc, "one.pdf");

    run.RemoveLast(0);
    EXPECT_EQ(StreamsOf(doc, 0), original);
    EXPECT_EQ(ResourceKeys(doc, 0), resources);
}

// The picture's names went into a dictionary other pages use too; undo
// gives the page a copy of its own without them and leaves the others'.
TEST_F(ContentTest, UndoCopiesResourcesItSharesInsteadOfChangingThem) {
    enum class Layout { Own, Shared, Inherited };
    for (const Layout layout : {Layout::Own, Layout::Shared, Layout::Inherited}) {
        SCOPED_TRACE(static_cast<int>(layout));
        std::vector<TestPage> pages(2, Page({"BT /F1 20 Tf 50 700 Td (text) Tj ET"}));
        for (TestPage& p : pages)
            p.ownResources = layout != Layout::Inherited;
        PdfOptions options;
        options.sharedResources = layout == Layout::Shared;
        PDDoc doc = Make("in.pdf", pages, options);
        const auto resources = ResourceKeys(doc, 0);
        QPDFObjectHandle tree = Document::FromHandle(doc).Pdf().getRoot().getKey("/Pages");
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix, kHalf);
            run.Append(0);
        }
        QPDFObjectHandle otherBefore = Inherited(PageObject(doc, 1), "/Resources").value;
        const std::string otherUnparsed = otherBefore.unparseResolved();
        const std::string treeResources = tree.getKey("/Resources").unparseResolved();
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix, kHalf);
            run.RemoveLast(0);
        }
        EXPECT_EQ(ResourceKeys(doc, 0), resources);
        QPDFObjectHandle other = Inherited(PageObject(doc, 1), "/Resources").value;
        EXPECT_EQ(other.getObjGen(), otherBefore.getObjGen());
        EXPECT_EQ(other.unparseResolved(), otherUnparsed);
        EXPECT_EQ(tree.getKey("/Resources").unparseResolved(), treeResources);
        EXPECT_EQ(test::DiffOutside(test::Render(dir_.File("in.pdf"), 1),
                                    test::Render(Save(doc, "out.pdf"), 1),
                                    test::PixelRect{0, 0, 0, 0}, 0),
                  0);
        Documents::Close(doc);
    }
}

} // namespace
} // namespace pdfhost::pdf
