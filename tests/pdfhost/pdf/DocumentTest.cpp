#include <fstream>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"

namespace pdfhost::pdf {
namespace {

using test::Err;
using test::Ok;
using test::PdfOptions;
using test::Tables;
using test::TestPage;

class DocumentTest : public ::testing::Test {
  protected:
    PDDoc Open(const std::vector<TestPage>& pages, const PdfOptions& options = {}) {
        test::MakePdf(path_, pages, options);
        return Documents::Open(path_);
    }
    void TearDown() override { Documents::CloseAll(); }

    testsupport::TempFolder dir_;
    std::string path_ = dir_.File("in.pdf");
};

TEST_F(DocumentTest, RotationIsNormalisedAndInherited) {
    const std::pair<std::optional<int>, ASInt32> cases[] = {
        {0, 0},      {90, 90}, {-90, 270}, {540, 180},          {990, 270},
        {-450, 270}, {45, 0},  {360, 0},   {std::nullopt, 180}, // inherited from /Pages
    };
    std::vector<TestPage> pages;
    for (const auto& c : cases) {
        TestPage p;
        p.rotate = c.first;
        pages.push_back(p);
    }
    PdfOptions options;
    options.inheritedRotate = 180;
    PDDoc doc = Open(pages, options);
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        PDPage page = Ok(Tables().pdModel.PDDocAcquirePage, doc, i);
        EXPECT_EQ(Ok(Tables().pdModel.PDPageGetRotate, page), cases[i].second) << "page " << i;
        Ok(Tables().pdModel.PDPageRelease, page);
    }
}

TEST_F(DocumentTest, CropBoxIsInheritedAndClippedToTheMediaBox) {
    struct Case {
        TestPage page;
        ASFixedRect crop;
        ASFixedRect media;
    };
    auto boxes = [](std::optional<test::Box> media, std::optional<test::Box> crop) {
        TestPage p;
        p.mediaBox = media;
        p.cropBox = crop;
        return p;
    };
    const auto F = ASInt32ToFixed;
    const Case cases[] = {
        {boxes(test::Box{0, 0, 612, 792}, test::Box{50, 60, 400, 500}),
         {F(50), F(500), F(400), F(60)},
         {0, F(792), F(612), 0}},
        {boxes(test::Box{0, 0, 612, 792}, test::Box{400, 500, 50, 60}), // corners swapped
         {F(50), F(500), F(400), F(60)},
         {0, F(792), F(612), 0}},
        {boxes(test::Box{0, 0, 300, 300}, test::Box{-100, -100, 200, 400}), // clipped
         {0, F(300), F(200), 0},
         {0, F(300), F(300), 0}},
        {boxes(test::Box{-10, -20, 642, 832}, std::nullopt), // the inherited crop box
         {F(10), F(400), F(200), F(20)},
         {F(-10), F(832), F(642), F(-20)}},
        {boxes(std::nullopt, std::nullopt), // both inherited
         {F(10), F(400), F(200), F(20)},
         {0, F(500), F(500), 0}},
    };
    std::vector<TestPage> pages;
    for (const Case& c : cases)
        pages.push_back(c.page);
    PdfOptions options;
    options.inheritedMediaBox = test::Box{0, 0, 500, 500};
    options.inheritedCropBox = test::Box{10, 20, 200, 400};
    PDDoc doc = Open(pages, options);
    auto same = [](const ASFixedRect& a, const ASFixedRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    for (int i = 0; i < static_cast<int>(std::size(cases)); ++i) {
        PDPage page = Ok(Tables().pdModel.PDDocAcquirePage, doc, i);
        ASFixedRect crop{}, media{};
        Ok(Tables().pdModel.PDPageGetCropBox, page, &crop);
        Ok(Tables().pdModel.PDPageGetMediaBox, page, &media);
        EXPECT_TRUE(same(crop, cases[i].crop))
            << "page " << i << ": " << crop.left << " " << crop.top << " " << crop.right << " "
            << crop.bottom;
        EXPECT_TRUE(same(media, cases[i].media)) << "page " << i;
        Ok(Tables().pdModel.PDPageRelease, page);
    }
}

TEST_F(DocumentTest, PagesAreSharedAndCountedFromZero) {
    PDDoc doc = Open({TestPage{}, TestPage{}, TestPage{}});
    const PDModelHFT& m = Tables().pdModel;
    EXPECT_EQ(Ok(m.PDDocGetNumPages, doc), 3);
    for (ASInt32 bad : {3, -1, 1 << 30}) {
        EXPECT_EQ(Err(m.PDDocAcquirePage, doc, bad), kErrBadPageIndex);
        const std::string text = ErrorTexts::For(kErrBadPageIndex);
        EXPECT_NE(text.find("out of range"), std::string::npos) << text;
        EXPECT_NE(text.find("3 pages"), std::string::npos) << text;
    }
    PDPage a = Ok(m.PDDocAcquirePage, doc, 2);
    PDPage b = Ok(m.PDDocAcquirePage, doc, 2);
    EXPECT_EQ(a, b);
    Ok(m.PDPageRelease, a);
    EXPECT_EQ(Err(m.PDPageGetRotate, b), 0);
    Ok(m.PDPageRelease, b);
    EXPECT_EQ(Err(m.PDPageGetRotate, b), kErrBadHandle);
    EXPECT_EQ(Err(m.PDPageRelease, b), kErrBadHandle);

    // The same page acquired again is a new page object, which may well sit
    // where the released one was: the old handle must not reach it.
    PDPage again = Ok(m.PDDocAcquirePage, doc, 2);
    EXPECT_NE(again, b);
    EXPECT_EQ(Err(m.PDPageRelease, b), kErrBadHandle);
    EXPECT_EQ(Err(m.PDPageGetRotate, again), 0);
    Ok(m.PDPageRelease, again);
}

TEST_F(DocumentTest, PermissionsFollowTheEncryption) {
    struct Case {
        bool encrypt;
        bool allowModify;
        bool modifyBit;
    };
    for (const Case c :
         {Case{false, true, true}, Case{true, true, true}, Case{true, false, false}}) {
        PdfOptions options;
        options.encrypt = c.encrypt;
        options.allowModify = c.allowModify;
        PDDoc doc = Open({TestPage{}}, options);
        const ASInt32 perms = Ok(Tables().pdModel.PDDocGetPermissions, doc);
        EXPECT_EQ((perms & pdPermEdit) != 0, c.modifyBit)
            << "encrypt " << c.encrypt << " allowModify " << c.allowModify;
        if (!c.encrypt) {
            EXPECT_EQ(perms, pdPermAll);
        }
        Documents::Close(doc);
    }
}

TEST_F(DocumentTest, OpeningFailuresSayWhy) {
    PdfOptions options;
    options.userPassword = "secret";
    test::MakePdf(path_, {TestPage{}}, options);
    try {
        Documents::Open(path_);
        FAIL() << "a document that needs a password opened";
    } catch (const HostError& e) {
        EXPECT_EQ(e.code(), kErrDocNeedsPassword);
        EXPECT_NE(std::string(e.what()).find("needs a password"), std::string::npos) << e.what();
    }
    test::WriteFile(dir_.File("junk.pdf"), "this is not a PDF at all");
    for (const std::string& bad :
         {dir_.File("missing.pdf"), dir_.File("junk.pdf"), dir_.Path().string()}) {
        try {
            Documents::Open(bad);
            FAIL() << bad << " opened";
        } catch (const HostError& e) {
            EXPECT_EQ(e.code(), kErrDocOpenFailed) << bad;
            EXPECT_NE(std::string(e.what()).find(bad), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(Documents::Count(), 0u);
}

TEST_F(DocumentTest, InfoComesOutAsUtf8CutAtCharacterBoundaries) {
    PdfOptions options;
    options.info = {{"Title", "Caf\xE9 \x80"}, // PDFDocEncoding: e-acute, bullet
                    {"Author", std::string("\xFE\xFF\x00\x41\x00\xE9\x20\xAC", 8)},
                    {"Subject", std::string("\xFF\xFE\x42\x00\xE9\x00", 6)},
                    {"Keywords", "\xEF\xBB\xBFplain \xC3\xA9"}};
    PDDoc doc = Open({TestPage{}}, options);
    struct Case {
        const char* key;
        ASInt32 size;
        std::string expected;
    };
    const Case cases[] = {
        {"Title", 64, "Caf\xC3\xA9 \xE2\x80\xA2"},
        {"Author", 64, "A\xC3\xA9\xE2\x82\xAC"},
        {"Subject", 64, "B\xC3\xA9"},
        {"Keywords", 64, "plain \xC3\xA9"},
        {"Creator", 64, ""},
        {"Title", 5, "Caf"},        // the two-byte e-acute does not fit after "Caf"
        {"Author", 6, "A\xC3\xA9"}, // neither does the three-byte euro
        {"Title", 1, ""},
    };
    for (const Case& c : cases) {
        std::vector<char> buffer(static_cast<std::size_t>(c.size), 'x');
        const ASInt32 n = Ok(Tables().pdModel.PDDocGetInfo, doc, c.key, buffer.data(), c.size);
        EXPECT_EQ(std::string(buffer.data()), c.expected) << c.key << " in " << c.size;
        EXPECT_EQ(n, static_cast<ASInt32>(c.expected.size()));
    }
    char b[4];
    EXPECT_EQ(Err(Tables().pdModel.PDDocGetInfo, doc, "Title", b, 0), kErrBadParameter);
    EXPECT_EQ(Err(Tables().pdModel.PDDocGetInfo, doc, nullptr, b, 4), kErrBadParameter);
}

TEST_F(DocumentTest, TheDocumentsFileAndPath) {
    PDDoc doc = Open({TestPage{}});
    const AcroSupportHFT& a = Tables().acroSupport;
    ASFile file = Ok(Tables().pdModel.PDDocGetFile, doc);
    EXPECT_EQ(Ok(a.ASFileGetEOF, file), static_cast<ASInt32>(test::ReadFile(path_).size()));
    ASPathName path = Ok(a.ASFileAcquirePathName, file);
    ASFileSys fs = Ok(a.ASFileGetFileSys, file);
    char text[512];
    Ok(a.ASFileSysDisplayStringFromPath, fs, path, text, ASInt32{sizeof text});
    EXPECT_EQ(std::string(text), path_);
    Ok(a.ASFileSysReleasePath, fs, path);
    EXPECT_EQ(Err(a.ASFileClose, file), kErrBadParameter); // it belongs to the document
    Documents::Close(doc);
    EXPECT_EQ(Err(a.ASFileGetEOF, file), kErrBadHandle);
}

TEST_F(DocumentTest, ClosingInvalidatesEveryHandle) {
    PDDoc doc = Open({TestPage{}});
    PDPage page = Ok(Tables().pdModel.PDDocAcquirePage, doc, 0);
    PDEContent content = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, page, nullptr);
    CosDoc cos = Ok(Tables().pdModel.PDDocGetCosDoc, doc);
    Documents::Close(doc);
    const auto allRefused = [&] {
        EXPECT_EQ(Err(Tables().pdModel.PDDocGetNumPages, doc), kErrBadHandle);
        EXPECT_EQ(Err(Tables().pdModel.PDPageGetRotate, page), kErrBadHandle);
        EXPECT_EQ(Err(Tables().pdfEditRead.PDEContentGetNumElems, content), kErrBadHandle);
        EXPECT_EQ(Err(Tables().pdfEditWrite.PDEExtGStateCreateNew, cos), kErrBadHandle);
    };
    allRefused();

    // The same file opened again makes objects of the same sizes in the same
    // order; the closed document's handles reach none of them.
    PDDoc reopened = Documents::Open(path_);
    PDPage newPage = Ok(Tables().pdModel.PDDocAcquirePage, reopened, 0);
    PDEContent newContent = Ok(Tables().pagePDEContent.PDPageAcquirePDEContent, newPage, nullptr);
    Ok(Tables().pdModel.PDDocGetCosDoc, reopened);
    allRefused();
    EXPECT_EQ(Err(Tables().pdfEditRead.PDEContentGetNumElems, newContent), 0);
}

ASErrorCode SaveError(PDDoc doc, const std::string& path, bool replaceInput,
                      std::string* text = nullptr) {
    try {
        DocumentSaver::Save(Document::FromHandle(doc), path, replaceInput);
        return 0;
    } catch (const HostError& e) {
        if (text)
            *text = e.what();
        return e.code();
    }
}

TEST_F(DocumentTest, SavingIsAtomicAndNeverReplacesTheInputUnasked) {
    PDDoc doc = Open({TestPage{}});
    const std::string original = test::ReadFile(path_);
    std::filesystem::create_symlink(path_, dir_.File("link.pdf"));
    struct Case {
        std::string target;
        bool replaceInput;
        ASErrorCode expected;
    };
    const Case cases[] = {
        {dir_.File("out.pdf"), false, 0},
        {dir_.File("out.pdf"), false, 0}, // an existing copy is replaced
        {path_, false, kErrDocSaveFailed},
        {dir_.File("link.pdf"), false, kErrDocSaveFailed},
        {dir_.File("no/such/folder/out.pdf"), false, kErrDocSaveFailed},
        {dir_.Path().string(), false, kErrDocSaveFailed},
    };
    for (const Case& c : cases) {
        std::string text;
        EXPECT_EQ(SaveError(doc, c.target, c.replaceInput, &text), c.expected)
            << c.target << ": " << text;
        EXPECT_EQ(test::ReadFile(path_), original) << c.target;
    }
    EXPECT_EQ(test::QpdfCheck(dir_.File("out.pdf")), 0);
    std::string refusal;
    SaveError(doc, path_, false, &refusal);
    EXPECT_NE(refusal.find("explicitly"), std::string::npos) << refusal;

    // Asked for, the input is replaced, and the open document still reads.
    EXPECT_EQ(SaveError(doc, path_, true), 0);
    EXPECT_EQ(test::QpdfCheck(path_), 0);
    EXPECT_EQ(SaveError(doc, dir_.File("again.pdf"), false), 0);
    EXPECT_EQ(test::QpdfCheck(dir_.File("again.pdf")), 0);
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path()))
        EXPECT_NE(entry.path().filename().string()[0], '.') << "left behind: " << entry.path();
}

} // namespace
} // namespace pdfhost::pdf
