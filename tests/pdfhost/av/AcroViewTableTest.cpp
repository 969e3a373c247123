#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

#include "pdfhost/av/AcroViewTable.h"
#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/av/Menu.h"
#include "pdfhost/av/MenuItem.h"
#include "pdfhost/av/Menubar.h"
#include "pdfhost/av/ToolBar.h"
#include "pdfhost/av/ToolButton.h"
#include "pdfhost/av/Viewer.h"
#include "pdfhost/core/Atoms.h"
#include "platform/Messages.h"
#include "sdk/ASErrors.h"

namespace pdfhost::av {
namespace {

// A valid 2x1 4-bit BMP: file header, info header, 16-colour palette, one row.
std::vector<ASUns8> SmallBmp() {
    std::vector<ASUns8> b(14 + 40 + 64 + 4, 0);
    auto put32 = [&](std::size_t at, ASUns32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<ASUns8>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<ASUns32>(b.size()));
    put32(10, 14 + 40 + 64);
    put32(14, 40);
    put32(18, 2);
    put32(22, static_cast<ASUns32>(-1)); // top-down
    b[26] = 1;
    b[28] = 4;
    return b;
}

class AcroViewTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HostTableSet::FillWithStubs(set);
        AcroViewTable::Install(set);
        Viewer::Reset();
        ActiveDocument::Clear();
        platform::Messages::SetTranscript(&transcript);
        platform::Messages::SetHeadless(true);
    }
    void TearDown() override {
        platform::Messages::SetResponder(nullptr);
        platform::Messages::SetTranscript(nullptr);
        ActiveDocument::Clear();
        Viewer::Shutdown();
    }

    AVMenu Menu(const char* name) {
        return t().AVMenubarAcquireMenuByName(&err, t().AVAppGetMenubar(&err), name);
    }
    AVMenuItem NewItem(const char* name) {
        return t().AVMenuItemNew(&err, name, name, nullptr, false, NO_SHORTCUT, 0, nullptr,
                                 nullptr);
    }
    std::vector<std::string> ItemNames(const char* menu) {
        std::vector<std::string> names;
        for (auto* item : Viewer::Bar().AcquireMenu(menu)->Items())
            names.push_back(item->Name());
        return names;
    }
    std::vector<std::string> ButtonNames() {
        std::vector<std::string> names;
        for (auto* button : Viewer::Tools().Buttons())
            names.push_back(button->Name());
        return names;
    }
    const AcroViewHFT& t() { return set.acroView; }

    HostTableSet set;
    ASErrorCode err = 0;
    std::ostringstream transcript;
};

TEST_F(AcroViewTableTest, MenusAreFoundByNameAndAMissingOneIsNullWithoutError) {
    EXPECT_NE(Menu("Extensions"), nullptr);
    EXPECT_NE(Menu("AboutExtensions"), nullptr);
    EXPECT_EQ(Menu("NoSuchMenu"), nullptr);
    EXPECT_EQ(err, 0);

    Viewer::Reset(ViewerOptions{{"Extensions"}});
    EXPECT_EQ(Menu("Extensions"), nullptr);
    EXPECT_EQ(err, 0);
    EXPECT_NE(Menu("File"), nullptr);
}

TEST_F(AcroViewTableTest, ItemsGoWherePositionSaysAndAppendAtOrPastTheEnd) {
    AVMenu menu = Menu("Extensions");
    struct Step {
        const char* name;
        ASInt32 position;
    } steps[] = {{"a", APPEND_MENUITEM}, {"b", APPEND_MENUITEM}, {"c", 0}, {"d", 2}, {"e", 4}};
    for (const auto& s : steps) {
        t().AVMenuAddMenuItem(&err, menu, NewItem(s.name), s.position);
        ASSERT_EQ(err, 0) << s.name;
    }
    EXPECT_EQ(ItemNames("Extensions"), (std::vector<std::string>{"c", "a", "d", "b", "e"}));

    t().AVMenuAddMenuItem(&err, menu, NewItem("neg"), -1);
    EXPECT_EQ(err, kErrBadParameter);
    AVMenuItem twice = NewItem("twice");
    t().AVMenuAddMenuItem(&err, menu, twice, APPEND_MENUITEM);
    t().AVMenuAddMenuItem(&err, Menu("Help"), twice, APPEND_MENUITEM);
    EXPECT_EQ(err, kErrBadParameter);
    EXPECT_EQ(Viewer::Bar().FindItem("twice")->Parent()->Name(), "Extensions");
}

TEST_F(AcroViewTableTest, HandlesOfTheWrongKindOrOfAClosedViewerAreRefused) {
    AVMenu menu = Menu("Extensions");
    AVMenuItem item = NewItem("x");
    t().AVMenuAddMenuItem(&err, reinterpret_cast<AVMenu>(item), item, 0);
    EXPECT_EQ(err, kErrBadHandle);
    t().AVMenuItemSetExecuteProc(&err, item, reinterpret_cast<ASCallback>(menu), nullptr);
    EXPECT_EQ(err, kErrBadHandle);
    Viewer::Shutdown();
    t().AVMenuRelease(&err, menu);
    EXPECT_EQ(err, kErrBadHandle);
    t().AVMenuItemRelease(&err, item);
    EXPECT_EQ(err, kErrBadHandle);
    Viewer::Reset();
    t().AVMenuItemNew(&err, nullptr, "n", nullptr, false, NO_SHORTCUT, 0, nullptr, nullptr);
    EXPECT_EQ(err, kErrBadParameter);
}

TEST_F(AcroViewTableTest, ButtonsArePlacedBeforeOrAfterAnotherAndMoveWhenAddedAgain) {
    AVToolBar bar = t().AVAppGetToolBar(&err);
    auto button = [&](const char* name) {
        return t().AVToolButtonNew(&err, Atoms::FromString(name), nullptr, false, false);
    };
    auto byName = [&](const char* name) {
        return t().AVToolBarGetButtonByName(&err, bar, Atoms::FromString(name));
    };
    AVToolButton end = byName("endToolsGroup");
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(byName("noSuchButton"), nullptr);
    EXPECT_EQ(err, 0);

    AVToolButton a = button("a"), b = button("b"), c = button("c");
    t().AVToolBarAddButton(&err, bar, a, true, end);
    t().AVToolBarAddButton(&err, bar, b, false, end);
    t().AVToolBarAddButton(&err, bar, c, false, nullptr);
    EXPECT_EQ(ButtonNames(), (std::vector<std::string>{"c", "open", "save", "print", "a",
                                                       "endToolsGroup", "b", "zoomIn", "zoomOut"}));
    t().AVToolBarAddButton(&err, bar, c, true, nullptr);
    EXPECT_EQ(ButtonNames().back(), "c");
    EXPECT_EQ(ButtonNames().size(), 9u);

    AVToolButton unplaced = button("unplaced");
    t().AVToolBarAddButton(&err, bar, a, true, unplaced);
    EXPECT_EQ(err, kErrBadParameter);
    EXPECT_EQ(byName("unplaced"), nullptr);
}

TEST_F(AcroViewTableTest, TheIconIsCopiedAndMustBeABmp) {
    std::vector<ASUns8> bytes = SmallBmp();
    AVIconData icon{sizeof(AVIconData), bytes.data(), static_cast<ASUns32>(bytes.size())};
    AVToolButton b = t().AVToolButtonNew(&err, Atoms::FromString("icon"),
                                         reinterpret_cast<AVIcon>(&icon), false, false);
    ASSERT_EQ(err, 0);
    const std::vector<ASUns8> original = bytes;
    std::fill(bytes.begin(), bytes.end(), 0);
    const auto& copy = ToolButton::FromHandle(b)->Icon();
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->Bytes(), original);
    EXPECT_EQ(copy->Describe(), "2x1 4-bit");

    struct Case {
        const char* what;
        void (*spoil)(std::vector<ASUns8>&);
    } cases[] = {
        {"too short", [](std::vector<ASUns8>& v) { v.resize(20); }},
        {"no signature", [](std::vector<ASUns8>& v) { v[0] = 'P'; }},
        {"header cut off", [](std::vector<ASUns8>& v) { v.resize(40); }},
        {"pixels outside",
         [](std::vector<ASUns8>& v) {
             v[10] = 0xFF;
             v[11] = 0x7F;
         }},
        {"unknown header size", [](std::vector<ASUns8>& v) { v[14] = 20; }},
        {"zero width", [](std::vector<ASUns8>& v) { v[18] = 0; }},
    };
    for (const auto& c : cases) {
        std::vector<ASUns8> bad = SmallBmp();
        c.spoil(bad);
        AVIconData data{sizeof(AVIconData), bad.data(), static_cast<ASUns32>(bad.size())};
        EXPECT_EQ(t().AVToolButtonNew(&err, Atoms::FromString("bad"),
                                      reinterpret_cast<AVIcon>(&data), false, false),
                  nullptr);
        EXPECT_EQ(err, kErrBadParameter) << c.what;
    }
    AVIconData wrongSize{sizeof(AVIconData) + 4, original.data(),
                         static_cast<ASUns32>(original.size())};
    t().AVToolButtonNew(&err, Atoms::FromString("bad"), reinterpret_cast<AVIcon>(&wrongSize), false,
                        false);
    EXPECT_EQ(err, kErrBadRecordSize);
}

TEST_F(AcroViewTableTest, AlertsGoThroughTheMessagePathAndAnswerTheButtonChosen) {
    int answer = 0;
    std::vector<std::string> buttonsSeen;
    platform::Messages::SetResponder([&](const platform::Message& m) {
        buttonsSeen = m.buttons;
        return answer;
    });
    struct Case {
        ASInt32 icon;
        const char *b1, *b2, *b3;
        int answer;
        std::vector<std::string> buttons;
        ASInt32 expected;
        const char* line;
    } cases[] = {
        {ALERT_CAUTION,
         "OK",
         nullptr,
         nullptr,
         0,
         {"OK"},
         1,
         "MESSAGE caution-alert \"pdfhost\" \"Text \\\"q\\\"\\r\\nx\"\n"},
        {ALERT_NOTE,
         "Yes",
         "No",
         nullptr,
         2,
         {"Yes", "No"},
         2,
         "MESSAGE note-alert \"pdfhost\" \"Text \\\"q\\\"\\r\\nx\"\n"},
        {ALERT_ERROR,
         nullptr,
         nullptr,
         "ignored",
         0,
         {"OK"},
         1,
         "MESSAGE caution-alert \"pdfhost\" \"Text \\\"q\\\"\\r\\nx\"\n"},
        {ALERT_QUESTION,
         "A",
         "B",
         "C",
         9,
         {"A", "B", "C"},
         3,
         "MESSAGE caution-alert \"pdfhost\" \"Text \\\"q\\\"\\r\\nx\"\n"},
    };
    for (const auto& c : cases) {
        transcript.str("");
        answer = c.answer;
        EXPECT_EQ(t().AVAlert(&err, c.icon, "Text \"q\"\r\nx", c.b1, c.b2, c.b3, false),
                  c.expected);
        EXPECT_EQ(transcript.str(), c.line);
        EXPECT_EQ(buttonsSeen, c.buttons);
    }
    transcript.str("");
    t().AVAlertNote(&err, "Please open a pdf first");
    EXPECT_EQ(transcript.str(), "MESSAGE note-alert \"pdfhost\" \"Please open a pdf first\"\n");
    t().AVAlertNote(&err, nullptr);
    EXPECT_EQ(err, kErrBadParameter);
}

TEST_F(AcroViewTableTest, TheActiveDocumentHandleIsValidOnlyWhileItIsActive) {
    EXPECT_EQ(t().AVAppGetActiveDoc(&err), nullptr);
    EXPECT_EQ(err, 0);

    int docA = 0, docB = 0;
    ActiveDocument::Set(reinterpret_cast<PDDoc>(&docA));
    AVDoc viewA = t().AVAppGetActiveDoc(&err);
    ASSERT_NE(viewA, nullptr);
    EXPECT_EQ(t().AVDocGetPDDoc(&err, viewA), reinterpret_cast<PDDoc>(&docA));

    ActiveDocument::Set(reinterpret_cast<PDDoc>(&docB));
    AVDoc viewB = t().AVAppGetActiveDoc(&err);
    EXPECT_EQ(t().AVDocGetPDDoc(&err, viewB), reinterpret_cast<PDDoc>(&docB));
    EXPECT_NE(viewA, viewB);
    t().AVDocGetPDDoc(&err, viewA);
    EXPECT_EQ(err, kErrBadHandle);

    ActiveDocument::Clear();
    EXPECT_EQ(t().AVDocGetPDDoc(&err, viewB), nullptr);
    EXPECT_EQ(err, kErrBadHandle);
    t().AVDocGetPDDoc(&err, nullptr);
    EXPECT_EQ(err, kErrBadHandle);
}

// A document still being read is opened at the first question about the
// active document, once; dropped unasked, it is never opened.
TEST_F(AcroViewTableTest, APendingDocumentOpensAtTheFirstQuestionOnly) {
    int doc = 0;
    int calls = 0;
    ActiveDocument::SetPending([&] {
        ++calls;
        return reinterpret_cast<PDDoc>(&doc);
    });
    EXPECT_EQ(calls, 0);
    AVDoc view = t().AVAppGetActiveDoc(&err);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(t().AVDocGetPDDoc(&err, view), reinterpret_cast<PDDoc>(&doc));
    EXPECT_EQ(t().AVAppGetActiveDoc(&err), view);
    EXPECT_EQ(ActiveDocument::Doc(), reinterpret_cast<PDDoc>(&doc));
    EXPECT_EQ(calls, 1);

    // One that fails to open leaves no active document.
    ActiveDocument::SetPending([&] {
        ++calls;
        return PDDoc{};
    });
    EXPECT_EQ(t().AVDocGetPDDoc(&err, view), nullptr) << "the earlier view went";
    EXPECT_EQ(ActiveDocument::Doc(), nullptr);
    EXPECT_EQ(t().AVAppGetActiveDoc(&err), nullptr);
    EXPECT_EQ(calls, 2);

    ActiveDocument::SetPending([&] {
        ++calls;
        return reinterpret_cast<PDDoc>(&doc);
    });
    ActiveDocument::Clear();
    EXPECT_EQ(ActiveDocument::View(), nullptr);
    EXPECT_EQ(calls, 2);
}

} // namespace
} // namespace pdfhost::av
