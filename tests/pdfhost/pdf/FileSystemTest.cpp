#include <gtest/gtest.h>

#include "TestSupport.h"
#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::pdf {
namespace {

using test::Atom;
using test::Err;
using test::Ok;
using test::Tables;

class FileSystemTest : public ::testing::Test {
  protected:
    const AcroSupportHFT& a = Tables().acroSupport;
    ASFileSys fs = Ok(a.ASGetDefaultFileSys);
    testsupport::TempFolder dir;

    ASPathName Path(const std::string& p) {
        return Ok(a.ASFileSysCreatePathName, fs, Atom("Cstring"), p.c_str(), nullptr);
    }
    // Opens through the table; returns the code it reported and the file.
    std::pair<ASErrorCode, ASFile> OpenFile(const std::string& p, ASUns16 mode = ASFILE_READ) {
        ASPathName path = Path(p);
        ASFile file = reinterpret_cast<ASFile>(this); // must be overwritten
        const ASErrorCode result = Ok(a.ASFileSysOpenFile, fs, path, mode, &file);
        Ok(a.ASFileSysReleasePath, fs, path);
        return {result, file};
    }
};

TEST_F(FileSystemTest, PathsAreMadeFromCstringOnly) {
    EXPECT_EQ(Err(a.ASFileSysCreatePathName, fs, Atom("DIPath"), "x", nullptr), kErrBadPathType);
    EXPECT_EQ(Err(a.ASFileSysCreatePathName, fs, Atom("Cstring"), nullptr, nullptr),
              kErrBadParameter);
    EXPECT_EQ(Err(a.ASFileSysCreatePathName, reinterpret_cast<ASFileSys>(this), Atom("Cstring"),
                  "x", nullptr),
              kErrBadHandle);
    ASPathName p = Path("/some where/with spaces.jpg");
    char text[8];
    EXPECT_EQ(Ok(a.ASFileSysDisplayStringFromPath, fs, p, text, ASInt32{sizeof text}), 27);
    EXPECT_STREQ(text, "/some w");
    Ok(a.ASFileSysReleasePath, fs, p);
    EXPECT_EQ(Err(a.ASFileSysReleasePath, fs, p), kErrBadHandle);
    ASPathName next = Path("/some where/with spaces.jpg");
    EXPECT_EQ(Err(a.ASFileSysReleasePath, fs, p), kErrBadHandle);
    Ok(a.ASFileSysReleasePath, fs, next);
}

TEST_F(FileSystemTest, OpenReportsFailureAsItsResult) {
    test::WriteFile(dir.File("data.bin"), "0123456789");
    struct Case {
        std::string path;
        ASUns16 mode;
        ASErrorCode expected;
    };
    const Case cases[] = {
        {dir.File("data.bin"), ASFILE_READ, 0},
        {dir.File("missing.jpg"), ASFILE_READ, kErrFileNotFound},
        {dir.Path().string(), ASFILE_READ, kErrFileOpenFailed},
        {dir.File("data.bin"), ASFILE_WRITE, kErrNotImplemented},
    };
    for (const Case& c : cases) {
        auto [result, file] = OpenFile(c.path, c.mode);
        EXPECT_EQ(result, c.expected) << c.path;
        if (result == 0) {
            Ok(a.ASFileClose, file);
        } else {
            EXPECT_EQ(file, nullptr) << c.path;
            EXPECT_NE(ErrorTexts::For(result).find(c.path), std::string::npos) << c.path;
        }
    }
}

TEST_F(FileSystemTest, StreamsReadTheFileAndOutliveItsClose) {
    const std::string bytes = test::MakeJpeg(8, 8, 10, 20, 30);
    test::WriteFile(dir.File("p.jpg"), bytes);
    const std::size_t filesBefore = HandleRegistry::Live(HandleKind::File);
    auto [result, file] = OpenFile(dir.File("p.jpg"));
    ASSERT_EQ(result, 0);
    EXPECT_EQ(Ok(a.ASFileGetEOF, file), static_cast<ASInt32>(bytes.size()));
    ASStm stm = Ok(a.ASFileStmRdOpen, file, 0u);
    Ok(a.ASFileClose, file);
    EXPECT_EQ(Err(a.ASFileGetEOF, file), kErrBadHandle);
    EXPECT_EQ(Err(a.ASFileClose, file), kErrBadHandle);

    // The stream still delivers the whole file to an image.
    PDEColorSpace cs = Ok(Tables().pdfEditWrite.PDEColorSpaceCreateFromName, Atom("DeviceRGB"));
    PDEImageAttrs attrs{kPDEImageExternal, 8, 8, 8, {}, 0};
    PDEFilterArray filters{1, {{nullptr, nullptr, Atom("DCTDecode"), 0}}};
    PDEImage image = Ok(Tables().pdfEditWrite.PDEImageCreate, &attrs, ASUns32{sizeof attrs},
                        nullptr, kPDEImageEncodedData, cs, nullptr, &filters, stm, nullptr,
                        static_cast<ASUns32>(bytes.size()));
    Ok(Tables().pdfEditWrite.PDERelease, image);
    Ok(Tables().pdfEditWrite.PDERelease, cs);
    Ok(a.ASStmClose, stm);
    EXPECT_EQ(Err(a.ASStmClose, stm), kErrBadHandle);
    EXPECT_EQ(HandleRegistry::Live(HandleKind::File), filesBefore);
    EXPECT_EQ(HandleRegistry::Live(HandleKind::Stream), 0u);
}

} // namespace
} // namespace pdfhost::pdf
