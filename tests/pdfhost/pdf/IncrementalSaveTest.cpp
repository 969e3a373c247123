// Incremental saves: the original bytes stay a prefix of the output, the
// appended section is of the file's own kind, the output holds exactly the
// session's objects, and files that cannot be updated are rewritten.
#include <cctype>
#include <filesystem>
#include <set>
#include <unistd.h>

#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "TestSupport.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/pdf/IncrementalBase.h"
#include "pdfhost/pdf/IncrementalWriter.h"
#include "pdfhost/pdf/OpenFile.h"
#include "platform/FileDraft.h"
#include "tests/support/CorpusManifest.h"

namespace pdfhost::pdf {
namespace {

using test::Atom;
using test::Ok;
using test::PdfOptions;
using test::Tables;
using test::TestPage;

const ASFixedMatrix kMatrix{ASInt32ToFixed(100), 0, 0, ASInt32ToFixed(80), ASInt32ToFixed(300),
                            ASInt32ToFixed(400)};

IncrementalBase::Kind KindOf(const std::string& path) {
    std::string why;
    const auto base = IncrementalBase::Read(*OpenFile::Open(path), &why);
    EXPECT_TRUE(base) << path << ": " << why;
    return base ? base->kind : IncrementalBase::Kind::Table;
}

bool StartsWith(const std::string& bytes, const std::string& prefix) {
    return bytes.compare(0, prefix.size(), prefix) == 0;
}

// A copy of `in` whose objects sit in object streams, so its
// cross-reference section is a stream.
void WithObjectStreams(const std::string& in, const std::string& out) {
    QPDF pdf;
    pdf.processFile(in.c_str());
    QPDFWriter writer(pdf, out.c_str());
    writer.setStaticID(true);
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
}

std::string Without(QPDFObjectHandle dict, const char* key) {
    QPDFObjectHandle copy = dict.shallowCopy();
    copy.removeKey(key);
    return copy.unparseResolved();
}

// What a reader of the saved file finds is what the session holds: every
// object of the output, old (kept from the original bytes) or appended,
// equals the session's object of that number. An object the session
// changed without the change reaching the output shows up here. (The
// catalog may have gained a /Version.)
void ExpectHoldsTheSession(Document& doc, const std::string& path) {
    QPDF out;
    out.setSuppressWarnings(true);
    out.processFile(path.c_str());
    for (QPDFObjectHandle o : out.getAllObjects()) {
        const QPDFObjGen og = o.getObjGen();
        QPDFObjectHandle mine = doc.Pdf().getObject(og);
        if (o.isStream()) {
            QPDFObjectHandle type = o.getDict().getKey("/Type");
            if (type.isNameAndEquals("/XRef") || type.isNameAndEquals("/ObjStm"))
                continue;
            ASSERT_TRUE(mine.isStream()) << og.unparse(' ');
            EXPECT_EQ(Without(o.getDict(), "/Length"), Without(mine.getDict(), "/Length"))
                << og.unparse(' ');
            EXPECT_EQ(o.getRawStreamData()->getSize(), mine.getRawStreamData()->getSize())
                << og.unparse(' ');
        } else if (og == out.getRoot().getObjGen()) {
            EXPECT_EQ(Without(o, "/Version"), Without(mine, "/Version"));
        } else {
            EXPECT_EQ(o.unparseResolved(), mine.unparseResolved()) << og.unparse(' ');
        }
    }
    EXPECT_FALSE(out.anyWarnings()) << path;
}

class IncrementalSaveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        jpeg_ = dir_.File("green.jpg");
        test::WriteFile(jpeg_, test::MakeJpeg(16, 16, 0, 200, 0));
    }
    void TearDown() override { Documents::CloseAll(); }

    std::string Stamp(const std::string& in, const std::vector<int>& pages, ASFixed opacity,
                      const std::string& incremental, const std::string& rewritten) {
        PDDoc doc = Documents::Open(in);
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix, opacity);
            for (int p : pages)
                run.Append(p);
        }
        std::string fallback;
        EXPECT_EQ(DocumentSaver::Save(Document::FromHandle(doc), incremental, false,
                                      SaveKind::Incremental, &fallback),
                  SaveKind::Incremental)
            << fallback;
        DocumentSaver::Save(Document::FromHandle(doc), rewritten, false);
        ExpectHoldsTheSession(Document::FromHandle(doc), incremental);
        Documents::Close(doc);
        return incremental;
    }
    void ExpectRendersAlike(const std::string& a, const std::string& b, int pages) {
        const auto ra = testsupport::RenderPages(a, 1, pages, 36, testsupport::PageBox::Crop);
        const auto rb = testsupport::RenderPages(b, 1, pages, 36, testsupport::PageBox::Crop);
        ASSERT_EQ(ra.size(), static_cast<std::size_t>(pages)) << a;
        ASSERT_EQ(rb.size(), static_cast<std::size_t>(pages)) << b;
        for (int p = 0; p < pages; ++p)
            EXPECT_EQ(test::DiffOutside(ra[p], rb[p], test::PixelRect{0, 0, 0, 0}, 0), 0)
                << a << " and " << b << " differ on page " << p + 1;
    }

    testsupport::TempFolder dir_;
    std::string jpeg_;
};

TEST_F(IncrementalSaveTest, AppendsTheChangesInTheFilesOwnKindAfterItsUnchangedBytes) {
    constexpr int kPages = 40;
    struct Case {
        const char* name;
        bool shared;    // one indirect resource dictionary for every page
        bool inherited; // pages take their resources from the /Pages node
        bool objectStreams;
        ASFixed opacity;
    } cases[] = {
        {"own resources, table", false, false, false, -1},
        {"shared resources, table, opacity", true, false, false, 0x8000},
        {"inherited resources, table", false, true, false, -1},
        {"own resources, stream", false, false, true, 0x8000},
        {"shared resources, stream", true, false, true, -1},
    };
    const std::size_t jpegBytes = test::ReadFile(jpeg_).size();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Every page stamped but the first, which must stay as it was; enough
        // pages for the per-page cost to show past the picture's.
        std::vector<TestPage> pages(kPages);
        std::vector<int> stamped;
        for (int i = 1; i < kPages; ++i)
            stamped.push_back(i);
        for (TestPage& p : pages)
            p.ownResources = !c.inherited;
        std::string in = dir_.File("in.pdf");
        PdfOptions options;
        options.sharedResources = c.shared;
        test::MakePdf(in, pages, options);
        if (c.objectStreams) {
            WithObjectStreams(in, dir_.File("packed.pdf"));
            in = dir_.File("packed.pdf");
        }
        const std::string original = test::ReadFile(in);
        const std::string inc = dir_.File("inc.pdf"), full = dir_.File("full.pdf");
        Stamp(in, stamped, c.opacity, inc, full);

        const std::string out = test::ReadFile(inc);
        EXPECT_TRUE(StartsWith(out, original));
        EXPECT_EQ(test::ReadFile(in), original);
        EXPECT_EQ(test::QpdfCheck(inc), 0);
        EXPECT_EQ(KindOf(inc),
                  c.objectStreams ? IncrementalBase::Kind::Stream : IncrementalBase::Kind::Table);
        EXPECT_LE(out.size() - original.size(), jpegBytes + 300 * stamped.size());
        ExpectRendersAlike(inc, full, kPages);

        QPDF before, after;
        before.processFile(in.c_str());
        after.processFile(inc.c_str());
        QPDFObjectHandle trailer = after.getTrailer();
        const auto base = IncrementalBase::Read(*OpenFile::Open(in), nullptr);
        ASSERT_TRUE(base);
        EXPECT_EQ(trailer.getKey("/Prev").getIntValue(), static_cast<long long>(base->lastSection));
        EXPECT_EQ(trailer.getKey("/ID").unparse(), before.getTrailer().getKey("/ID").unparse());
        EXPECT_EQ(trailer.getKey("/Root").unparse(), before.getTrailer().getKey("/Root").unparse());
        // The pages got the same new content, stored once.
        std::set<QPDFObjGen> appended;
        for (int i : stamped) {
            QPDFObjectHandle page = after.getAllPages()[static_cast<std::size_t>(i)];
            QPDFObjectHandle contents = page.getKey("/Contents");
            appended.insert(contents.getArrayItem(contents.getArrayNItems() - 1).getObjGen());
        }
        EXPECT_EQ(appended.size(), 1u);
        // Every object number in use is below /Size.
        int highest = 0;
        for (const auto& [og, entry] : after.getXRefTable())
            highest = std::max(highest, og.getObj());
        EXPECT_EQ(trailer.getKey("/Size").getIntValue(), highest + 1);
        // The generated files say 1.3 (object streams made them 1.5); an
        // opacity needs 1.4.
        EXPECT_EQ(after.getRoot().getKey("/Version").isNameAndEquals("/1.4"),
                  c.opacity >= 0 && !c.objectStreams);
    }
}

// A page may name objects the file does not have: they read as null, and
// qpdf numbers new objects after the highest number it met. An update carries
// those nulls and the new objects under their numbers, unless the numbers
// would pass the limit readers must accept: then the file is rewritten,
// every object numbered afresh, since an update no reader can open would
// lose the document.
TEST_F(IncrementalSaveTest, ReferencesToObjectsTheFileLacksKeepTheOutputReadable) {
    struct Case {
        const char* what;
        int missing; // the number a page names that no object has
        SaveKind saved;
    } cases[] = {
        {"near the last object", 12, SaveKind::Incremental},
        {"far beyond, below the limit", 8000000, SaveKind::Incremental},
        {"past the limit", 99999999, SaveKind::Rewrite},
    };
    const std::string content = "BT /F1 12 Tf 72 720 Td (Hi) Tj ET";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::string> objects = {
            "<< /Type /Catalog /Pages 2 0 R >>",
            "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R /Missing " +
                std::to_string(c.missing) + " 0 R >>",
            "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
                "\nendstream",
        };
        std::string pdf = "%PDF-1.4\n", xref = "xref\n0 5\n0000000000 65535 f \n";
        for (std::size_t i = 0; i < objects.size(); ++i) {
            const std::string at = std::to_string(pdf.size());
            xref += std::string(10 - at.size(), '0') + at + " 00000 n \n";
            pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
        }
        const std::size_t xrefAt = pdf.size();
        pdf += xref + "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + std::to_string(xrefAt) +
               "\n%%EOF\n";
        const std::string in = dir_.File("lacking.pdf");
        test::WriteFile(in, pdf);

        PDDoc doc = Documents::Open(in);
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix, 0x8000);
            run.Append(0);
        }
        const std::string out = dir_.File("out.pdf"), full = dir_.File("full.pdf");
        std::string why;
        EXPECT_EQ(
            DocumentSaver::Save(Document::FromHandle(doc), out, false, SaveKind::Incremental, &why),
            c.saved);
        EXPECT_EQ(why.find("numbered past 8388607") != std::string::npos,
                  c.saved == SaveKind::Rewrite)
            << why;
        DocumentSaver::Save(Document::FromHandle(doc), full, false);
        Documents::Close(doc);

        EXPECT_EQ(test::QpdfCheck(out), 0);
        EXPECT_EQ(StartsWith(test::ReadFile(out), pdf), c.saved == SaveKind::Incremental);
        ExpectRendersAlike(out, full, 1);
        QPDF after;
        after.processFile(out.c_str());
        int highest = 0;
        for (const auto& [og, entry] : after.getXRefTable())
            highest = std::max(highest, og.getObj());
        EXPECT_LE(highest, IncrementalWriter::kMaxObjectNumber);
        if (c.saved == SaveKind::Incremental) {
            EXPECT_GT(highest, c.missing); // the new objects, after the missing one
        }
    }
}

// An update of an update: the stamp taken off again, incrementally, in a
// session of its own; then the same file stamped once more.
// The original bytes written ahead into a draft of the target give the very
// file a save that copies them itself gives; a draft holding anything else
// makes the save fail and leaves nothing behind.
TEST_F(IncrementalSaveTest, AnUpdateFinishesADraftOfTheOriginalBytes) {
    const std::string in = dir_.File("in.pdf");
    test::MakePdf(in, std::vector<TestPage>(3));
    PDDoc doc = Documents::Open(in);
    {
        test::StampRun run(doc, jpeg_, 16, 16, kMatrix, -1);
        run.Append(0);
        run.Append(2);
    }
    Document& d = Document::FromHandle(doc);
    const std::string copied = dir_.File("copied.pdf");
    ASSERT_EQ(DocumentSaver::Save(d, copied, false, SaveKind::Incremental), SaveKind::Incremental);

    const std::string drafted = dir_.File("drafted.pdf");
    {
        platform::FileDraft draft(
            drafted, {}, [&d](int fd) { IncrementalWriter::WriteOriginal(d.FileData(), fd); });
        ASSERT_EQ(draft.Ready(), std::optional<std::uint64_t>(d.FileData().Size()));
        EXPECT_EQ(DocumentSaver::Save(d, drafted, false, SaveKind::Incremental, nullptr, &draft),
                  SaveKind::Incremental);
    }
    EXPECT_EQ(test::ReadFile(drafted), test::ReadFile(copied));

    const std::string wrong = dir_.File("wrong.pdf");
    {
        platform::FileDraft draft(wrong, {},
                                  [](int fd) { ASSERT_EQ(::write(fd, "%PDF-junk", 9), 9); });
        try {
            DocumentSaver::Save(d, wrong, false, SaveKind::Incremental, nullptr, &draft);
            ADD_FAILURE() << "saved after a draft of other bytes";
        } catch (const HostError& e) {
            EXPECT_EQ(e.code(), kErrDocSaveFailed) << e.what();
        }
    }
    EXPECT_FALSE(std::filesystem::exists(wrong));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()),
                            std::filesystem::directory_iterator()),
              4)
        << "in.pdf, green.jpg, copied.pdf and drafted.pdf";
}

TEST_F(IncrementalSaveTest, UpdatesChainAndUndoWorksOnThem) {
    const std::string in = dir_.File("in.pdf");
    test::MakePdf(in, std::vector<TestPage>(3));
    const std::string stamped = Stamp(in, {0, 1}, -1, dir_.File("stamped.pdf"), dir_.File("f.pdf"));

    PDDoc doc = Documents::Open(stamped);
    {
        test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
        run.RemoveLast(0);
        run.RemoveLast(1);
    }
    const std::string undone = dir_.File("undone.pdf");
    EXPECT_EQ(DocumentSaver::Save(Document::FromHandle(doc), undone, false, SaveKind::Incremental),
              SaveKind::Incremental);
    ExpectHoldsTheSession(Document::FromHandle(doc), undone);
    Documents::Close(doc);
    EXPECT_TRUE(StartsWith(test::ReadFile(undone), test::ReadFile(stamped)));
    EXPECT_EQ(test::QpdfCheck(undone), 0);
    ExpectRendersAlike(in, undone, 3);

    const std::string again = Stamp(undone, {2}, -1, dir_.File("again.pdf"), dir_.File("g.pdf"));
    EXPECT_TRUE(StartsWith(test::ReadFile(again), test::ReadFile(undone)));
    EXPECT_EQ(test::QpdfCheck(again), 0);
    ExpectRendersAlike(again, dir_.File("g.pdf"), 3);
}

// Changes made through Cos calls reach the update: a key put on an image
// of the file, and one put on a direct dictionary inside that image.
TEST_F(IncrementalSaveTest, CosPutsOnObjectsOfTheFileAreSaved) {
    const std::string in = dir_.File("in.pdf");
    {
        test::MakePdf(dir_.File("plain.pdf"), {TestPage{}});
        PDDoc doc = Documents::Open(dir_.File("plain.pdf"));
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
            run.Append(0);
        }
        DocumentSaver::Save(Document::FromHandle(doc), dir_.File("with-image.pdf"), false);
        Documents::Close(doc);
        QPDF pdf;
        pdf.processFile(dir_.File("with-image.pdf").c_str());
        for (QPDFObjectHandle o : pdf.getAllObjects())
            if (o.isStream() && o.getDict().getKey("/Subtype").isNameAndEquals("/Image"))
                o.getDict().replaceKey("/PHNested", QPDFObjectHandle::parse("<< /A /B >>"));
        QPDFWriter writer(pdf, in.c_str());
        writer.write();
    }
    PDDoc doc = Documents::Open(in);
    PDPage page = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
    PDEContent content = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, page, nullptr);
    const ASInt32 n = Ok(Tables().pdfEditRead.PDEContentGetNumElems, content);
    CosDoc cos = Ok(Tables().pdModel.PDDocGetCosDoc, doc);
    int images = 0;
    for (ASInt32 i = 0; i < n; ++i) {
        PDEElement e = Ok(Tables().pdfEditRead.PDEContentGetElem, content, i);
        if (Ok(Tables().pdfEditRead.PDEObjectGetType, reinterpret_cast<PDEObject>(e)) != kPDEImage)
            continue;
        ++images;
        CosObj image = Ok(Tables().pdfEditRead.PDEImageGetCosObj, reinterpret_cast<PDEImage>(e));
        Ok(Tables().cos.CosDictPut, image, Atom("PHMark"),
           Ok(Tables().cos.CosNewName, cos, false, Atom("Outer")));
        CosObj nested = Ok(Tables().cos.CosDictGet, image, Atom("PHNested"));
        Ok(Tables().cos.CosDictPut, nested, Atom("A"),
           Ok(Tables().cos.CosNewName, cos, false, Atom("Inner")));
    }
    EXPECT_EQ(images, 1);
    Ok(Tables().pagePDEContent.PDPageReleasePDEContent, page, nullptr);
    Ok(Tables().pdModel.PDPageRelease, page);
    const std::string out = dir_.File("out.pdf");
    EXPECT_EQ(DocumentSaver::Save(Document::FromHandle(doc), out, false, SaveKind::Incremental),
              SaveKind::Incremental);
    ExpectHoldsTheSession(Document::FromHandle(doc), out);
    Documents::Close(doc);

    QPDF saved;
    saved.processFile(out.c_str());
    int found = 0;
    for (QPDFObjectHandle o : saved.getAllObjects()) {
        if (!o.isStream() || !o.getDict().getKey("/Subtype").isNameAndEquals("/Image"))
            continue;
        ++found;
        EXPECT_TRUE(o.getDict().getKey("/PHMark").isNameAndEquals("/Outer"));
        EXPECT_TRUE(o.getDict().getKey("/PHNested").getKey("/A").isNameAndEquals("/Inner"));
    }
    EXPECT_EQ(found, 1);
    EXPECT_EQ(test::QpdfCheck(out), 0);
}

TEST_F(IncrementalSaveTest, FilesThatCannotBeUpdatedAreRewritten) {
    const std::string good = dir_.File("good.pdf");
    test::MakePdf(good, std::vector<TestPage>(2));
    const std::string bytes = test::ReadFile(good);
    auto variant = [&](const std::string& name, std::string content) {
        test::WriteFile(dir_.File(name), content);
        return dir_.File(name);
    };
    const std::size_t startxref = bytes.rfind("startxref\n") + 10;
    std::string badOffset = bytes;
    badOffset.replace(startxref, 1, badOffset[startxref] == '1' ? "2" : "1");
    std::string shortLength = bytes;
    {
        // The first content stream (page 1's) says it is shorter than it is.
        const std::size_t at = shortLength.find("/Length ");
        std::size_t end = at + 8;
        while (std::isdigit(static_cast<unsigned char>(shortLength[end])))
            ++end;
        shortLength.replace(at + 8, end - at - 8, std::string(end - at - 8, '1'));
    }
    PdfOptions encrypt;
    encrypt.encrypt = true;
    test::MakePdf(dir_.File("encrypted.pdf"), std::vector<TestPage>(2), encrypt);

    struct Case {
        const char* name;
        std::string path;
        const char* reason;
    } cases[] = {
        {"encrypted", dir_.File("encrypted.pdf"), "encrypted"},
        {"xref found by repair", variant("offset.pdf", badOffset), "repaired"},
        {"stream length repaired while stamping", variant("length.pdf", shortLength), "repaired"},
        {"bytes before the header", variant("junk.pdf", "garbage\n" + bytes),
         "the file does not start with its %PDF- header"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PDDoc doc = Documents::Open(c.path);
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix);
            run.Append(0);
        }
        std::string reason;
        const std::string out = dir_.File("out.pdf");
        EXPECT_EQ(DocumentSaver::Save(Document::FromHandle(doc), out, false, SaveKind::Incremental,
                                      &reason),
                  SaveKind::Rewrite);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        Documents::Close(doc);
        EXPECT_EQ(test::QpdfCheck(out), 0);
        EXPECT_FALSE(StartsWith(test::ReadFile(out), test::ReadFile(c.path)));
    }
}

// The signature's /ByteRange covers the whole first revision; an update
// keeps those bytes and leaves the signature object where it was.
TEST_F(IncrementalSaveTest, ASignedFileKeepsItsSignedBytes) {
    const testsupport::CorpusManifest corpus(TALVANE_CORPUS_DIR);
    const std::string in = (corpus.Folder() / "pdf/structure/digitally-signed.pdf").string();
    if (!corpus.Present() || !std::filesystem::exists(in))
        GTEST_SKIP() << "no shared corpus";
    const std::string out =
        Stamp(in, {0}, 0x8000, dir_.File("signed-stamped.pdf"), dir_.File("full.pdf"));
    EXPECT_EQ(test::QpdfCheck(out), 0);
    const std::string original = test::ReadFile(in), saved = test::ReadFile(out);

    QPDF before, after;
    before.processFile(in.c_str());
    after.processFile(out.c_str());
    int signatures = 0;
    for (QPDFObjectHandle sig : before.getAllObjects()) {
        if (!sig.isDictionary() || !sig.getKey("/ByteRange").isArray())
            continue;
        ++signatures;
        std::vector<long long> range;
        for (auto& v : sig.getKey("/ByteRange").aitems())
            range.push_back(v.getIntValue());
        ASSERT_EQ(range.size(), 4u);
        for (int i = 0; i < 4; i += 2) {
            const auto at = static_cast<std::size_t>(range[i]);
            const auto n = static_cast<std::size_t>(range[i + 1]);
            ASSERT_LE(at + n, saved.size());
            EXPECT_EQ(saved.substr(at, n), original.substr(at, n)) << "range " << i / 2;
        }
        // The signature dictionary is still the one of the first revision.
        EXPECT_EQ(after.getXRefTable().at(sig.getObjGen()).getOffset(),
                  before.getXRefTable().at(sig.getObjGen()).getOffset());
        EXPECT_EQ(after.getObject(sig.getObjGen()).unparseResolved(), sig.unparseResolved());
    }
    EXPECT_EQ(signatures, 1);
    ExpectRendersAlike(out, dir_.File("full.pdf"), 1);
}

// Every corpus file a stamp run accepts: updated when it can be (then the
// update is checked like the generated ones), else rewritten.
TEST_F(IncrementalSaveTest, EveryStampableCorpusFileIsUpdatedOrRewritten) {
    const testsupport::CorpusManifest corpus(TALVANE_CORPUS_DIR);
    if (!corpus.Present())
        GTEST_SKIP() << "no shared corpus";
    int updated = 0;
    for (const testsupport::CorpusEntry& e : corpus.Entries("pdf/")) {
        if (e.expect != testsupport::CorpusEntry::Expect::Stamp)
            continue;
        SCOPED_TRACE(e.path);
        const std::string in = e.file.string();
        const std::string inc = dir_.File("inc.pdf"), full = dir_.File("full.pdf");
        PDDoc doc = Documents::Open(in);
        const int pages = Ok(Tables().pdModel.PDDocGetNumPages, doc);
        {
            test::StampRun run(doc, jpeg_, 16, 16, kMatrix, 0x8000);
            run.Append(0);
            if (pages > 1)
                run.Append(pages - 1);
        }
        std::string reason;
        const SaveKind kind = DocumentSaver::Save(Document::FromHandle(doc), inc, false,
                                                  SaveKind::Incremental, &reason);
        DocumentSaver::Save(Document::FromHandle(doc), full, false);
        if (kind == SaveKind::Incremental)
            ExpectHoldsTheSession(Document::FromHandle(doc), inc);
        const bool encrypted = Document::FromHandle(doc).Pdf().isEncrypted();
        Documents::Close(doc);
        EXPECT_EQ(test::QpdfCheck(inc), test::QpdfCheck(full));
        if (kind == SaveKind::Rewrite) {
            EXPECT_FALSE(reason.empty());
            continue;
        }
        EXPECT_FALSE(encrypted);
        ++updated;
        EXPECT_TRUE(StartsWith(test::ReadFile(inc), test::ReadFile(in)));
        EXPECT_EQ(KindOf(inc), KindOf(in));
        ExpectRendersAlike(inc, full, std::min(pages, 3));
    }
    // Most of the stamp entries are plain, undamaged files.
    EXPECT_GE(updated, 15);
}

} // namespace
} // namespace pdfhost::pdf
