#include <gtest/gtest.h>

#include "TestSupport.h"
#include "pdfhost/pdf/SystemFonts.h"

namespace pdfhost::pdf {
namespace {

using test::Atom;
using test::Err;
using test::Ok;
using test::Tables;

struct FontCase {
    const char* name;
    const char* type;
    ASUns32 flags;
    std::vector<std::string> families; // any of these; none: no font
    const char* fileHas = "";
};

// No match is "no font": never an unrelated family standing in.
TEST(SystemFontsTest, FindsTheFamilyOrAMetricCompatibleOneOrNothing) {
    const std::vector<std::string> arialLike{"Arial", "Liberation Sans", "Arimo"};
    const FontCase cases[] = {
        {"Arial", "TrueType1", kPDSysFontMatchNameAndCharSet, arialLike},
        {"Arial", "TrueType", kPDSysFontMatchFontType, arialLike},
        {"Arial,Bold", "TrueType1", 0, arialLike, "Bold"},
        {"Arial,BoldItalic", "TrueType1", 0, arialLike, "BoldItalic"},
        {"Times New Roman", "TrueType", 0, {"Times New Roman", "Liberation Serif", "Tinos"}},
        {"DejaVu Sans", "TrueType", 0, {"DejaVu Sans"}},
        {"Arial", "Type1", kPDSysFontMatchFontType, {}},
        {"No Such Family", "TrueType", 0, {}},
        {"Wingdings", "TrueType", 0, {}},
    };
    for (const FontCase& c : cases) {
        PDEFontAttrs attrs{};
        attrs.name = Atom(c.name);
        attrs.type = Atom(c.type);
        PDSysFont font =
            Ok(Tables().pdSysFont.PDFindSysFont, &attrs, ASUns32{sizeof attrs}, c.flags);
        if (c.families.empty()) {
            EXPECT_EQ(font, nullptr) << c.name << " " << c.type;
            continue;
        }
        ASSERT_NE(font, nullptr) << c.name << " " << c.type;
        const SystemFont& found = SystemFont::FromHandle(font);
        EXPECT_NE(std::find(c.families.begin(), c.families.end(), found.family), c.families.end())
            << c.name << " -> " << found.family;
        EXPECT_TRUE(std::filesystem::exists(found.file)) << found.file;
        EXPECT_NE(found.file.find(c.fileHas), std::string::npos) << c.name << " -> " << found.file;
        EXPECT_EQ(found.requested, c.name);
    }
}

TEST(SystemFontsTest, RecordSizeIsChecked) {
    PDEFontAttrs attrs{};
    attrs.name = Atom("Arial");
    EXPECT_EQ(Err(Tables().pdSysFont.PDFindSysFont, &attrs, ASUns32{sizeof attrs + 4}, 0u),
              kErrBadRecordSize);
    EXPECT_EQ(Err(Tables().pdSysFont.PDFindSysFont, nullptr, ASUns32{sizeof attrs}, 0u),
              kErrBadRecordSize);
    EXPECT_EQ(Err(Tables().pdfEditWrite.PDEFontCreateFromSysFont,
                  reinterpret_cast<PDSysFont>(&attrs), 1u),
              kErrBadHandle);
}

} // namespace
} // namespace pdfhost::pdf
