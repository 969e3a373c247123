#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "pdfhost/app/DocumentCommands.h"
#include "pdfhost/app/ScriptRunner.h"
#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/pdf/Documents.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace pdfhost::app {
namespace {

namespace fs = std::filesystem;

using av::ActiveDocument;

using testsupport::ReadFile;

class DocumentCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterDocumentCommands();
        // A one-page document, written by hand so the test needs no corpus.
        const std::string content = "0 0 1 rg 10 10 50 50 re f";
        std::ostringstream pdf;
        pdf << "%PDF-1.4\n";
        std::vector<std::size_t> offsets;
        auto obj = [&](const std::string& body) {
            offsets.push_back(static_cast<std::size_t>(pdf.tellp()));
            pdf << offsets.size() << " 0 obj\n" << body << "\nendobj\n";
        };
        obj("<< /Type /Catalog /Pages 2 0 R >>");
        obj("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
        obj("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 4 0 R >>");
        obj("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
            "\nendstream");
        const auto xref = static_cast<std::size_t>(pdf.tellp());
        pdf << "xref\n0 5\n0000000000 65535 f \n";
        for (std::size_t o : offsets) {
            char line[32];
            std::snprintf(line, sizeof line, "%010zu 00000 n \n", o);
            pdf << line;
        }
        pdf << "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" << xref << "\n%%EOF\n";
        input_ = dir_ / "my input.pdf";
        std::ofstream(input_, std::ios::binary) << pdf.str();
    }
    void TearDown() override {
        ActiveDocument::Clear();
        pdf::Documents::CloseAll();
    }

    int Run(const std::string& script, std::string& errors) {
        std::istringstream in(script);
        std::ostringstream err;
        const int status = ScriptRunner::Run(in, "script", err);
        errors = err.str();
        return status;
    }

    testsupport::TempFolder folder_{"doccmd"};
    const fs::path dir_ = folder_.Path();
    fs::path input_;
};

TEST_F(DocumentCommandsTest, ScriptsOpenSaveAndClose) {
    const std::string in = input_.string();
    const std::string out = (dir_ / "out.pdf").string();
    struct Case {
        std::string script;
        int status;
        std::string error; // part of the message when the script fails, else ""
        bool outWritten;
    };
    const Case cases[] = {
        {"open " + in + "\nsave " + out + "\nclose\n", 0, "", true},
        {"open " + in + "\nsave --replace " + in + "\nclose\n", 0, "", false},
        {"open " + in + "\nsave " + in + "\n", 1, "script:2: Cannot save", false},
        {"open " + in + "\nopen " + in + "\n", 1, "script:2: open: \"" + in + "\" is still open",
         false},
        {"close\n", 1, "close: no document is open", false},
        {"save " + out + "\n", 1, "save: no document is open", false},
        {"open " + (dir_ / "missing.pdf").string() + "\n", 1, "missing.pdf", false},
        {"open\n", 1, "open needs a file name", false},
        {"open " + in + "\nsave\n", 1, "save needs a file name", false},
    };
    for (const Case& c : cases) {
        fs::remove(out);
        const std::string before = ReadFile(input_);
        std::string errors;
        EXPECT_EQ(Run(c.script, errors), c.status) << c.script << errors;
        if (c.error.empty())
            EXPECT_EQ(errors, "") << c.script;
        else
            EXPECT_NE(errors.find(c.error), std::string::npos) << c.script << errors;
        EXPECT_EQ(fs::exists(out), c.outWritten) << c.script;
        if (c.script.find("--replace") == std::string::npos) {
            EXPECT_EQ(ReadFile(input_), before) << c.script;
        }
        ActiveDocument::Clear();
        pdf::Documents::CloseAll();
    }
}

TEST_F(DocumentCommandsTest, OpenMakesTheDocumentActiveAndCloseClearsIt) {
    std::string errors;
    ASSERT_EQ(Run("open " + input_.string() + "\n", errors), 0) << errors;
    EXPECT_NE(ActiveDocument::Doc(), nullptr);
    EXPECT_EQ(pdf::Documents::Count(), 1u);
    ASSERT_EQ(Run("close\n", errors), 0) << errors;
    EXPECT_EQ(ActiveDocument::Doc(), nullptr);
    EXPECT_EQ(pdf::Documents::Count(), 0u);
}

} // namespace
} // namespace pdfhost::app
