#include "ui/TextOnImageOpening.h"

#include "platform/LogFont.h"
#include "settings/TextOnImageSettings.h"
#include "ui/TextOnImageDialog.h"

#include <gtest/gtest.h>

namespace {

LogFont Font(const char* face, int32_t height, int32_t weight = 400, uint8_t italic = 0) {
    LogFont f;
    f.SetFaceName(face);
    f.lfHeight = height;
    f.lfWeight = weight;
    f.lfItalic = italic;
    return f;
}

TEST(TextOnImageOpening, FirstOpeningFillsEveryUnsetMember) {
    TextOnImageSettings settings;
    TextOnImageDialog dialog(settings);
    ApplyTextOnImageOpeningDefaults(dialog);

    TextOnImageSettings expected;
    expected.szText = "[MM]-[DD]-[YYYY] [hh]:[mm]:[ss]";
    expected.szFontName = "Arial";
    expected.nHorizPos = 10;
    expected.nVertPos = 10;
    expected.lfFontInfo = Font("Arial", 28, 0);
    expected.nFontSize = 28;
    EXPECT_EQ(settings, expected); // colour black, background opaque
    EXPECT_EQ(dialog.szFaceNameShown, "Arial");
}

TEST(TextOnImageOpening, KeepsSetValuesAndFillsOnlyWhatIsUnset) {
    struct Case {
        const char* name;
        TextOnImageSettings before;
        std::string faceShownBefore;
        TextOnImageSettings after;
        std::string faceShownAfter;
    };
    auto with = [](auto change) {
        TextOnImageSettings s;
        s.szText = "Paid [DD]";
        s.szFontName = "Courier";
        s.nHorizPos = 5;
        s.nVertPos = -3;
        s.nFontSize = 99; // stale copy: the height decides
        s.nTransparent = 1;
        s.crTextColor = 0x0000ff;
        s.lfFontInfo = Font("Liberation Serif", -16, 700, 1);
        change(s);
        return s;
    };
    const std::vector<Case> cases = {
        {"everything set", with([](auto&) {}), "Liberation Serif",
         with([](auto& s) { s.nFontSize = -16; }), "Liberation Serif"},
        {"a position of 0 becomes 10, the other stays", with([](auto& s) { s.nHorizPos = 0; }), "x",
         with([](auto& s) {
             s.nHorizPos = 10;
             s.nFontSize = -16;
         }),
         "x"},
        {"vertical 0", with([](auto& s) { s.nVertPos = 0; }), "x", with([](auto& s) {
             s.nVertPos = 10;
             s.nFontSize = -16;
         }),
         "x"},
        {"height 0: Arial 28, weight and italic stay",
         with([](auto& s) { s.lfFontInfo.lfHeight = 0; }), "", with([](auto& s) {
             s.lfFontInfo = Font("Arial", 28, 700, 1);
             s.nFontSize = 28;
         }),
         "Arial"},
        {"empty text and font name", with([](auto& s) {
             s.szText = "";
             s.szFontName = "";
         }),
         "x", with([](auto& s) {
             s.szText = "[MM]-[DD]-[YYYY] [hh]:[mm]:[ss]";
             s.szFontName = "Arial";
             s.nFontSize = -16;
         }),
         "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextOnImageSettings settings = c.before;
        TextOnImageDialog dialog(settings);
        dialog.szFaceNameShown = c.faceShownBefore;
        dialog.nVarListPos = 7;
        TextOnImageDialog::CustomColours()[3] = 0x123456;
        ApplyTextOnImageOpeningDefaults(dialog);
        EXPECT_EQ(settings, c.after);
        EXPECT_EQ(dialog.szFaceNameShown, c.faceShownAfter);
        EXPECT_EQ(dialog.nVarListPos, 7);
        EXPECT_EQ(TextOnImageDialog::CustomColours()[3], 0x123456u);
    }
}

// A 0 saved from the dialog stays 0 (the runs use it) until the next
// opening turns it into 10.
TEST(TextOnImageOpening, ZeroPositionLastsUntilTheNextOpening) {
    TextOnImageSettings settings;
    TextOnImageDialog dialog(settings);
    ApplyTextOnImageOpeningDefaults(dialog);
    settings.nHorizPos = 0; // typed and saved
    EXPECT_EQ(settings.nHorizPos, 0);
    ApplyTextOnImageOpeningDefaults(dialog);
    EXPECT_EQ(settings.nHorizPos, 10);
}

TEST(LogFontHeight, PointsBecomeNegativePixelHeightsRoundedToNearest) {
    struct Case {
        int32_t points, dpi, height;
    };
    const Case cases[] = {{12, 96, -16}, {8, 96, -11}, {9, 96, -12},  {10, 120, -17},
                          {1, 96, -1},   {0, 96, 0},   {72, 72, -72}, {28, 96, -37}};
    for (const Case& c : cases)
        EXPECT_EQ(LogFont::HeightForPoints(c.points, c.dpi), c.height)
            << c.points << " pt at " << c.dpi << " dpi";
}

} // namespace
