#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pdfhost/core/Atoms.h"
#include "pdfhost/core/Callbacks.h"
#include "pdfhost/core/CoreTable.h"
#include "pdfhost/core/ExceptionFrames.h"
#include "pdfhost/core/Extension.h"
#include "pdfhost/core/HostError.h"

namespace pdfhost {
namespace {

class CoreTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HostTableSet::FillWithStubs(set);
        CoreTable::Install(set, registry);
        ExceptionFrames::Reset();
        Callbacks::Reset();
        ErrorTexts::Clear();
    }
    void TearDown() override {
        Callbacks::Reset();
        ExceptionFrames::Reset();
    }
    ASAtom Atom(const char* name) {
        ASErrorCode err = 0;
        ASAtom atom = set.core.ASAtomFromString(&err, name);
        EXPECT_EQ(err, 0);
        return atom;
    }

    HostTableSet set;
    TableRegistry registry{set};
    ASErrorCode err = 0;
};

TEST_F(CoreTableTest, FramesNestAndAPopTooManyIsRefused) {
    ASExceptionFrame outer{}, inner{};
    set.core.ASPushExceptionFrame(&err, &outer);
    set.core.ASPushExceptionFrame(&err, &inner);
    EXPECT_EQ(ExceptionFrames::Depth(), 2u);
    EXPECT_EQ(inner.previous, &outer);

    set.core.ASRaise(&err, kErrFileRead);
    EXPECT_EQ(set.core.ASGetExceptionErrorCode(&err), kErrFileRead);

    set.core.ASPopExceptionFrame(&err);
    set.core.ASPopExceptionFrame(&err);
    EXPECT_EQ(err, 0);
    set.core.ASPopExceptionFrame(&err);
    EXPECT_EQ(err, kErrUnbalancedFrames);
    EXPECT_EQ(ExceptionFrames::Depth(), 0u);

    set.core.ASPushExceptionFrame(&err, nullptr);
    EXPECT_EQ(err, kErrBadParameter);
}

TEST_F(CoreTableTest, AtomTextStaysValidWhileTheTableGrows) {
    const ASAtom atom = Atom("ADBE:PDFTalvane");
    const char* text = set.core.ASAtomGetString(&err, atom);
    for (int i = 0; i < 5000; ++i)
        Atom(("grow-" + std::to_string(i)).c_str());
    EXPECT_STREQ(text, "ADBE:PDFTalvane");
    EXPECT_EQ(Atom("ADBE:PDFTalvane"), atom);

    set.core.ASAtomFromString(&err, nullptr);
    EXPECT_EQ(err, kErrBadParameter);
    set.core.ASAtomGetString(&err, ASAtomNull);
    EXPECT_EQ(err, kErrBadParameter);
}

TEST_F(CoreTableTest, ErrorStringIsCutToTheBufferAndTerminated) {
    const std::string full = ErrorTexts::Generic(kErrFileRead); // "The file could not be read."
    struct Case {
        ASInt32 size;
        std::string expected;
    } cases[] = {{1, ""},
                 {5, "The "},
                 {static_cast<ASInt32>(full.size()), full.substr(0, full.size() - 1)},
                 {static_cast<ASInt32>(full.size() + 1), full},
                 {256, full}};
    for (const auto& c : cases) {
        std::vector<char> buffer(static_cast<std::size_t>(c.size) + 8, 'X');
        char* result = set.acroSupport.ASGetErrorString(&err, kErrFileRead, buffer.data(), c.size);
        EXPECT_EQ(err, 0);
        EXPECT_EQ(result, buffer.data());
        EXPECT_EQ(std::string(buffer.data()), c.expected) << "size " << c.size;
        EXPECT_EQ(buffer[static_cast<std::size_t>(c.size)], 'X') << "wrote past size " << c.size;
    }
    char one[1];
    set.acroSupport.ASGetErrorString(&err, kErrFileRead, nullptr, 10);
    EXPECT_EQ(err, kErrBadParameter);
    set.acroSupport.ASGetErrorString(&err, kErrFileRead, one, 0);
    EXPECT_EQ(err, kErrBadParameter);
}

void Proc() {}

TEST_F(CoreTableTest, CallbacksAreBoundToALiveExtensionAndCheckedOnUse) {
    Extension ext("a.api");
    const auto proc = reinterpret_cast<ASGenericProc>(&Proc);
    ASCallback cb = set.core.ASCallbackCreate(&err, ext.Handle(), proc);
    ASSERT_EQ(err, 0);
    EXPECT_EQ(Callbacks::Owner(cb), &ext);
    EXPECT_TRUE(Callbacks::BelongsTo(cb, &ext));

    set.core.ASCallbackCreate(&err, nullptr, proc);
    EXPECT_EQ(err, kErrBadHandle);
    int notAnExtension = 0;
    set.core.ASCallbackCreate(&err, reinterpret_cast<ASExtension>(&notAnExtension), proc);
    EXPECT_EQ(err, kErrBadHandle);
    set.core.ASCallbackCreate(&err, ext.Handle(), nullptr);
    EXPECT_EQ(err, kErrBadParameter);

    set.core.ASCallbackDestroy(&err, cb);
    EXPECT_EQ(err, 0);
    EXPECT_THROW(Callbacks::Proc(cb), HostError);
    set.core.ASCallbackDestroy(&err, cb);
    EXPECT_EQ(err, kErrBadHandle);

    // A new callback takes the destroyed one's place; its old handle stays dead.
    ASCallback a = set.core.ASCallbackCreate(&err, ext.Handle(), proc);
    EXPECT_EQ(Callbacks::Proc(a), proc);
    set.core.ASCallbackDestroy(&err, cb);
    EXPECT_EQ(err, kErrBadHandle);
    Callbacks::DestroyAllOf(&ext);
    EXPECT_FALSE(Callbacks::BelongsTo(a, &ext));
}

TEST_F(CoreTableTest, TablesAreOfferedUpToTheirVersionAndRecordedOnTheCaller) {
    registry.Offer("PDSysFont", HFT_VERSION_4_0);
    registry.Withhold("ASExtra");
    struct Case {
        const char* name;
        ASVersion asked;
        bool granted;
    } cases[] = {
        {"Core", CORE_HFT_VERSION_2, true},    {"Core", HFT_VERSION_4_0, false},
        {"AcroView", HFT_VERSION_5_0, true},   {"AcroView", HFT_VERSION_2_1, true},
        {"AcroView", 0x00050001, false},       {"PDSysFont", HFT_VERSION_5_0, false},
        {"PDSysFont", HFT_VERSION_4_5, false}, {"PDSysFont", HFT_VERSION_4_0, true},
        {"ASExtra", HFT_VERSION_2_1, false},   {"NoSuchTable", HFT_VERSION_2_1, false},
    };
    Extension ext("b.api");
    ExtensionContext::Scope scope(&ext);
    std::vector<std::string> recorded;
    for (const auto& c : cases) {
        const void* table = set.core.ASExtensionMgrGetHFT(&err, Atom(c.name), c.asked);
        EXPECT_EQ(err, 0);
        EXPECT_EQ(table != nullptr, c.granted) << c.name << " at " << std::hex << c.asked;
        if (c.granted)
            recorded.push_back(std::string(c.name) + " " + TableRegistry::FormatVersion(c.asked));
    }
    EXPECT_EQ(set.core.ASExtensionMgrGetHFT(&err, Atom("AcroView"), HFT_VERSION_5_0),
              &set.acroView);
    recorded.push_back("AcroView 5.0");
    std::vector<std::string> seen;
    for (const auto& t : ext.tables)
        seen.push_back(t.name + " " + TableRegistry::FormatVersion(t.version));
    EXPECT_EQ(seen, recorded);

    EXPECT_FALSE(registry.Offer("NoSuchTable", HFT_VERSION_5_0));
    EXPECT_FALSE(registry.Withhold("NoSuchTable"));
}

TEST(TableRegistryTest, ParsesVersions) {
    struct Case {
        const char* text;
        std::optional<ASVersion> expected;
    } cases[] = {{"4.5", 0x00040005},         {"5.0", 0x00050000},       {"2.1", 0x00020001},
                 {"65535.65535", 0xFFFFFFFF}, {"65536.0", std::nullopt}, {"4", std::nullopt},
                 {"4.", std::nullopt},        {".5", std::nullopt},      {"4.5.1", std::nullopt},
                 {"-4.5", std::nullopt},      {"a.b", std::nullopt},     {"", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(TableRegistry::ParseVersion(c.text), c.expected) << c.text;
    EXPECT_EQ(TableRegistry::FormatVersion(0x00040005), "4.5");
}

} // namespace
} // namespace pdfhost
