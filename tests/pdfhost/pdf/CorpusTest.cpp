// Every PDF of the shared corpus, as MANIFEST.tsv describes it: documents
// to stamp are stamped, saved, checked and rendered, then unstamped; the
// others must refuse changes, ask for a password, or at least not crash.
#include <set>

#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>

#include "TestSupport.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"
#include "tests/support/CorpusManifest.h"

namespace pdfhost::pdf {
namespace {

using test::Ok;
using test::Tables;

const std::string kCorpus = TALVANE_CORPUS_DIR;
constexpr int kDpi = 36;
constexpr int kJpegSize = 16;
constexpr std::uint8_t kGreen[3] = {0, 200, 0};

using Expect = testsupport::CorpusEntry::Expect;

struct CorpusFile {
    std::string path; // relative to the corpus
    Expect expect = Expect::Unknown;
    std::string expectWord;
    int pages = -1; // from facts "pages=N", -1 when not given
    bool absent = false;
};

void PrintTo(const CorpusFile& f, std::ostream* os) {
    *os << f.path;
}

// Runs before any test, so unknown expectations are left to the test.
std::vector<CorpusFile> LoadManifest() {
    std::vector<CorpusFile> files;
    const testsupport::CorpusManifest manifest(kCorpus);
    for (const testsupport::CorpusEntry& e : manifest.All()) {
        if (e.path.rfind("pdf/", 0) != 0)
            continue;
        CorpusFile f{e.path, e.expect, e.expectWord, -1, false};
        if (const auto at = e.facts.find("pages="); at != std::string::npos)
            f.pages = std::stoi(e.facts.substr(at + 6));
        files.push_back(f);
    }
    if (files.empty())
        files.push_back(CorpusFile{"(corpus absent)", Expect::Unknown, "", -1, true});
    return files;
}

std::string TestName(const CorpusFile& f) {
    std::string name;
    for (char c : f.path)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

struct PageView {
    test::Box crop;
    int rotate;
};

PageView View(PDDoc doc, int index) {
    PDPage page = Ok(Tables().pdModel.PDDocAcquirePage, doc, index);
    ASFixedRect r{};
    Ok(Tables().pdModel.PDPageGetCropBox, page, &r);
    const int rotate = Ok(Tables().pdModel.PDPageGetRotate, page);
    Ok(Tables().pdModel.PDPageRelease, page);
    return PageView{
        test::Box{r.left / 65536.0, r.bottom / 65536.0, r.right / 65536.0, r.top / 65536.0},
        rotate};
}

class CorpusTest : public ::testing::TestWithParam<CorpusFile> {
  protected:
    void SetUp() override {
        if (GetParam().absent)
            GTEST_SKIP() << "the corpus is not at " << kCorpus;
        jpegBytes_ = test::MakeJpeg(kJpegSize, kJpegSize, kGreen[0], kGreen[1], kGreen[2]);
        jpeg_ = dir_.File("stamp.jpg");
        test::WriteFile(jpeg_, jpegBytes_);
        input_ = kCorpus + "/" + GetParam().path;
    }
    void TearDown() override { Documents::CloseAll(); }

    void Stamp();
    void Refuse();
    void Password();
    void NoCrash();

    // The image objects of a saved file holding exactly our JPEG bytes.
    int CountStampImages(const std::string& file) {
        QPDF pdf;
        pdf.processFile(file.c_str());
        int count = 0;
        for (QPDFObjectHandle o : pdf.getAllObjects()) {
            if (!o.isStream() || !o.getDict().getKey("/Subtype").isNameAndEquals("/Image"))
                continue;
            const auto raw = o.getRawStreamData();
            if (std::string(reinterpret_cast<const char*>(raw->getBuffer()), raw->getSize()) !=
                jpegBytes_)
                continue;
            QPDFObjectHandle d = o.getDict();
            EXPECT_TRUE(d.getKey("/Filter").isNameAndEquals("/DCTDecode"));
            EXPECT_TRUE(d.getKey("/ColorSpace").isNameAndEquals("/DeviceRGB"));
            EXPECT_EQ(d.getKey("/BitsPerComponent").getIntValue(), 8);
            EXPECT_EQ(d.getKey("/Width").getIntValue(), kJpegSize);
            EXPECT_EQ(d.getKey("/Height").getIntValue(), kJpegSize);
            ++count;
        }
        return count;
    }

    testsupport::TempFolder dir_;
    std::string jpeg_;
    std::string jpegBytes_;
    std::string input_;
};

void CorpusTest::Stamp() {
    PDDoc doc = Documents::Open(input_);
    const int pages = Ok(Tables().pdModel.PDDocGetNumPages, doc);
    EXPECT_EQ(pages, GetParam().pages);
    EXPECT_NE(Ok(Tables().pdModel.PDDocGetPermissions, doc) & pdPermEdit, 0);
    ASSERT_GT(pages, 0);

    // One matrix for every page, from the first page's crop box.
    const PageView first = View(doc, 0);
    const double w = first.crop.urx - first.crop.llx, h = first.crop.ury - first.crop.lly;
    const int side = static_cast<int>(std::min(w, h) * 0.25);
    const int x = static_cast<int>(first.crop.llx + w * 0.3);
    const int y = static_cast<int>(first.crop.lly + h * 0.3);
    const ASFixedMatrix matrix{ASInt32ToFixed(side), 0, 0, ASInt32ToFixed(side), ASInt32ToFixed(x),
                               ASInt32ToFixed(y)};
    const test::Box placed{double(x), double(y), double(x + side), double(y + side)};
    std::set<int> chosen{0, pages / 2, pages - 1};
    {
        test::StampRun run(doc, jpeg_, kJpegSize, kJpegSize, matrix);
        for (int page : chosen)
            run.Append(page);
    }
    const std::string stamped = dir_.File("stamped.pdf");
    DocumentSaver::Save(Document::FromHandle(doc), stamped, false);
    std::vector<PageView> views;
    for (int page : chosen)
        views.push_back(View(doc, page));
    Documents::Close(doc);

    EXPECT_EQ(test::QpdfCheck(stamped), 0);
    EXPECT_EQ(CountStampImages(stamped), 1);
    int i = 0;
    for (int page : chosen) {
        const PageView& v = views[static_cast<std::size_t>(i++)];
        const test::Raster before = test::Render(input_, page + 1, kDpi);
        const test::Raster after = test::Render(stamped, page + 1, kDpi);
        const test::PixelRect r = test::ToPixels(placed, v.crop, v.rotate, kDpi);
        EXPECT_EQ(test::DiffOutside(before, after, r, 2), 0) << "page " << page + 1;
        EXPECT_EQ(test::CountUnlike(after, r, 2, kGreen, 16), 0) << "page " << page + 1;
    }

    PDDoc again = Documents::Open(stamped);
    {
        test::StampRun run(again, jpeg_, kJpegSize, kJpegSize, matrix);
        for (int page : chosen)
            run.RemoveLast(page);
    }
    const std::string undone = dir_.File("undone.pdf");
    DocumentSaver::Save(Document::FromHandle(again), undone, false);
    EXPECT_EQ(test::QpdfCheck(undone), 0);
    QPDF original, result;
    original.processFile(input_.c_str());
    result.processFile(undone.c_str());
    for (int page : chosen)
        EXPECT_EQ(test::ResourceNames(result.getAllPages().at(static_cast<std::size_t>(page))),
                  test::ResourceNames(original.getAllPages().at(static_cast<std::size_t>(page))))
            << "page " << page + 1 << " after removing the stamp";
    for (int page : chosen)
        EXPECT_EQ(test::DiffOutside(test::Render(input_, page + 1, kDpi),
                                    test::Render(undone, page + 1, kDpi),
                                    test::PixelRect{0, 0, 0, 0}, 0),
                  0)
            << "page " << page + 1 << " after removing the stamp";
}

void CorpusTest::Refuse() {
    PDDoc doc = Documents::Open(input_);
    EXPECT_EQ(Ok(Tables().pdModel.PDDocGetNumPages, doc), GetParam().pages);
    EXPECT_EQ(Ok(Tables().pdModel.PDDocGetPermissions, doc) & pdPermEdit, 0);
}

void CorpusTest::Password() {
    try {
        Documents::Open(input_);
        ADD_FAILURE() << "opened without its password";
    } catch (const HostError& e) {
        EXPECT_EQ(e.code(), kErrDocNeedsPassword) << e.what();
        EXPECT_NE(std::string(e.what()).find("password"), std::string::npos) << e.what();
    }
}

// Opening may fail; whatever opens is walked, stamped and saved, and any
// failure on the way must be a host error, not a crash.
void CorpusTest::NoCrash() {
    PDDoc doc = nullptr;
    try {
        doc = Documents::Open(input_);
    } catch (const HostError&) {
        return;
    }
    ASErrorCode err = 0;
    const int pages = Tables().pdModel.PDDocGetNumPages(&err, doc);
    if (GetParam().pages >= 0) {
        EXPECT_EQ(pages, GetParam().pages);
    }
    for (int i = 0; i < std::min(pages, 50); ++i) {
        PDPage page = Tables().pdModel.PDDocAcquirePage(&err, doc, i);
        ASFixedRect box{};
        Tables().pdModel.PDPageGetCropBox(&err, page, &box);
        Tables().pdModel.PDPageGetRotate(&err, page);
        PDEContent content = Tables().pagePDEContent.PDPageAcquirePDEContent(&err, page, nullptr);
        const ASInt32 n = Tables().pdfEditRead.PDEContentGetNumElems(&err, content);
        for (ASInt32 k = 0; k < std::min(n, 200); ++k)
            Tables().pdfEditRead.PDEObjectGetType(
                &err, Tables().pdfEditRead.PDEContentGetElem(&err, content, k));
        Tables().pagePDEContent.PDPageReleasePDEContent(&err, page, nullptr);
        Tables().pdModel.PDPageRelease(&err, page);
    }
    if (pages > 0) {
        test::StampRun run(doc, jpeg_, kJpegSize, kJpegSize,
                           ASFixedMatrix{ASInt32ToFixed(50), 0, 0, ASInt32ToFixed(50), 0, 0});
        run.TryAppend(0);
    }
    try {
        DocumentSaver::Save(Document::FromHandle(doc), dir_.File("out.pdf"), false);
    } catch (const HostError&) {
    }
}

TEST_P(CorpusTest, BehavesAsTheManifestSays) {
    switch (GetParam().expect) {
    case Expect::Stamp:
        Stamp();
        break;
    case Expect::Refuse:
        Refuse();
        break;
    case Expect::Password:
        Password();
        break;
    case Expect::NoCrash:
        NoCrash();
        break;
    default:
        ADD_FAILURE() << "the manifest expects \"" << GetParam().expectWord
                      << "\", which no document test knows";
    }
}

INSTANTIATE_TEST_SUITE_P(Manifest, CorpusTest, ::testing::ValuesIn(LoadManifest()),
                         [](const auto& info) { return TestName(info.param); });

} // namespace
} // namespace pdfhost::pdf
