// The text-on-image dialog on its real widgets: what it shows when it opens,
// how each way of closing treats the edits, the integer check, the colour
// and font pickers (the real picker windows), and what the members hold
// afterwards.
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QImage>
#include <QPushButton>
#include <gtest/gtest.h>
#include <sstream>

#include "platform/Dialog.h"
#include "platform/DialogUnits.h"
#include "platform/Messages.h"
#include "resources/DialogTemplates.h"
#include "tests/ui/WidgetInput.h"
#include "ui/TextOnImageDialog.h"
#include "ui/TextOnImageOpening.h"

namespace {

using namespace text_on_image;
using namespace widget_input;
using platform::Dialog;

constexpr int kStillOpen = 99;
const std::string kIntegerBox = "MESSAGE app-box \"Talvane\" \"Please enter an integer.\"\n";

QWidget* W(int id) {
    Dialog* top = Dialog::Top();
    return top ? top->Window()->findChild<QWidget*>(QString::number(id)) : nullptr;
}

std::string TextOf(int id) {
    return Dialog::Top()->Text(id);
}

QColor SwatchPixel() {
    QWidget* swatch = W(kColourSwatch);
    return swatch->grab().toImage().pixelColor(swatch->rect().center());
}

void PressEnterIn(int id) {
    QWidget* w = W(id);
    w->setFocus(Qt::OtherFocusReason);
    QWidget* target = EditOf(w) ? EditOf(w) : w;
    Key(target, Qt::Key_Return, "\r");
}

class TextOnImageDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::Messages::SetTranscript(&transcript);
        TextOnImageDialog::CustomColours().fill(0);
    }
    void TearDown() override { platform::Messages::SetTranscript(nullptr); }

    // Runs the dialog with `act` inside its modal loop; one that `act`
    // leaves open is ended with kStillOpen.
    int RunActing(const std::function<void()>& act) {
        QTimer::singleShot(0, [act] {
            act();
            if (Dialog* top = Dialog::Top(); top && top->IsOpen())
                top->End(kStillOpen);
        });
        return dialog.Run();
    }

    TextOnImageSettings settings;
    TextOnImageDialog dialog{settings};
    std::ostringstream transcript;
};

TEST_F(TextOnImageDialogTest, FirstOpeningShowsTheDefaultsAndStoresThem) {
    const int result = RunActing([] {
        const std::vector<std::pair<int, std::string>> shown = {
            {kFontName, "Arial"}, {kText, std::string(kDefaultText)},
            {kFontSize, "28"},    {kHorizPos, "10"},
            {kVertPos, "10"},     {kFaceNameShown, "Arial"},
        };
        for (const auto& [id, text] : shown)
            EXPECT_EQ(TextOf(id), text) << id;
        EXPECT_FALSE(Dialog::Top()->Checked(kTransparent));
        EXPECT_EQ(SwatchPixel(), QColor(0, 0, 0));
        EXPECT_TRUE(W(kFontName)->isHidden());
        EXPECT_TRUE(W(kFontSize)->isHidden());
        auto* examples = qobject_cast<QComboBox*>(W(kText));
        ASSERT_NE(examples, nullptr);
        std::vector<std::string> items;
        for (int i = 0; i < examples->count(); ++i)
            items.push_back(examples->itemText(i).toStdString());
        EXPECT_EQ(items, resources::TextExamples());
        EXPECT_EQ(Dialog::Top()->Window()->windowTitle(), "Text on Image Settings");
        Click(W(kCancel));
    });
    EXPECT_EQ(result, 0);
    // The defaults went into the members, not only onto the screen.
    EXPECT_EQ(settings.szText, kDefaultText);
    EXPECT_EQ(settings.szFontName, "Arial");
    EXPECT_EQ(settings.nHorizPos, 10);
    EXPECT_EQ(settings.nVertPos, 10);
    EXPECT_EQ(settings.lfFontInfo.FaceName(), "Arial");
    EXPECT_EQ(settings.lfFontInfo.lfHeight, 28);
    EXPECT_EQ(settings.nFontSize, 28);
    EXPECT_EQ(settings.crTextColor, 0u);
    EXPECT_EQ(settings.nTransparent, 0);
    EXPECT_EQ(dialog.szFaceNameShown, "Arial");
}

// The text box is free text: a stored text that only begins one of the
// examples must not be completed to that example when the dialog shows it.
TEST_F(TextOnImageDialogTest, StoredTextThatBeginsAnExampleStaysAsItIs) {
    settings.szText = "[D]";
    RunActing([] {
        EXPECT_EQ(TextOf(kText), "[D]");
        Click(W(kSaveAndExit));
    });
    EXPECT_EQ(settings.szText, "[D]");
}

enum class Close { SaveAndExit, EnterInTextBox, Cancel, Escape, CloseBox };

struct CloseCase {
    const char* name;
    Close how;
    int result;
    bool readBack;
};

class TextOnImageClosingTest : public TextOnImageDialogTest,
                               public ::testing::WithParamInterface<CloseCase> {};

TEST_P(TextOnImageClosingTest, EachWayOfClosingKeepsOrDropsTheEdits) {
    const CloseCase c = GetParam();
    const int result = RunActing([&c] {
        Type(W(kText), "Week Day: [WD]");
        Type(W(kHorizPos), "33");
        switch (c.how) {
        case Close::SaveAndExit:
            Click(W(kSaveAndExit));
            break;
        case Close::EnterInTextBox:
            PressEnterIn(kText);
            break;
        case Close::Cancel:
            Click(W(kCancel));
            break;
        case Close::Escape:
            Key(EditOf(W(kText)), Qt::Key_Escape, "\x1b");
            break;
        case Close::CloseBox:
            Dialog::Top()->Window()->close();
            break;
        }
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(settings.szText, c.readBack ? "Week Day: [WD]" : std::string(kDefaultText));
    EXPECT_EQ(settings.nHorizPos, c.readBack ? 33 : 10);
    EXPECT_EQ(transcript.str(), "");
}

INSTANTIATE_TEST_SUITE_P(Ways, TextOnImageClosingTest,
                         ::testing::Values(CloseCase{"SaveAndExit", Close::SaveAndExit, 1, true},
                                           CloseCase{"EnterInTextBox", Close::EnterInTextBox, 1,
                                                     true},
                                           CloseCase{"Cancel", Close::Cancel, 0, false},
                                           CloseCase{"Escape", Close::Escape, 2, false},
                                           CloseCase{"CloseBox", Close::CloseBox, 2, false}),
                         [](const auto& info) { return std::string(info.param.name); });

enum class ReadBy { SaveAndExit, Enter, Transparent };

struct IntegerCase {
    const char* name;
    const char* horizontal;
    const char* vertical;
    ReadBy by;
    int result;
    int32_t horizAfter;
    int32_t vertAfter;
    int32_t transparentAfter;
    int badField; // 0: none
};

class TextOnImageIntegerTest : public TextOnImageDialogTest,
                               public ::testing::WithParamInterface<IntegerCase> {};

// The text comes before the positions and the flag after them, so a bad
// position shows exactly where the read-back stopped.
TEST_P(TextOnImageIntegerTest, ABadPositionStopsTheReadBackAtItsField) {
    const IntegerCase c = GetParam();
    QString focusAfter; // the widgets are gone once Run() returns
    const int result = RunActing([&] {
        Type(W(kText), "typed");
        Type(W(kHorizPos), c.horizontal);
        Type(W(kVertPos), c.vertical);
        switch (c.by) {
        case ReadBy::SaveAndExit:
            Click(W(kSaveAndExit));
            break;
        case ReadBy::Enter:
            PressEnterIn(kVertPos);
            break;
        case ReadBy::Transparent:
            Click(W(kTransparent));
            break;
        }
        if (Dialog* top = Dialog::Top(); top && top->Window()->focusWidget())
            focusAfter = top->Window()->focusWidget()->objectName();
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(settings.szText, "typed");
    EXPECT_EQ(settings.nHorizPos, c.horizAfter);
    EXPECT_EQ(settings.nVertPos, c.vertAfter);
    EXPECT_EQ(settings.nTransparent, c.transparentAfter);
    EXPECT_EQ(transcript.str(), c.badField ? kIntegerBox : "");
    if (c.badField && c.result == kStillOpen) {
        EXPECT_EQ(focusAfter, QString::number(c.badField));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TextOnImageIntegerTest,
    ::testing::Values(IntegerCase{"SaveClosesAfterABadHorizontal", "1x", "7", ReadBy::SaveAndExit,
                                  1, 10, 10, 0, kHorizPos},
                      IntegerCase{"SaveKeepsWhatCameBeforeABadVertical", "5", "",
                                  ReadBy::SaveAndExit, 1, 5, 10, 0, kVertPos},
                      IntegerCase{"EnterStaysOpenOnABadVertical", "5", "--3", ReadBy::Enter,
                                  kStillOpen, 5, 10, 0, kVertPos},
                      IntegerCase{"TransparentStaysOpenOnABadHorizontal", "x", "7",
                                  ReadBy::Transparent, kStillOpen, 10, 10, 0, kHorizPos},
                      IntegerCase{"TransparentReadsEverythingAtOnce", "5", "-7",
                                  ReadBy::Transparent, kStillOpen, 5, -7, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextOnImageDialogTest, ZeroPositionIsKeptUntilTheNextOpening) {
    RunActing([] {
        Type(W(kHorizPos), "0");
        Type(W(kVertPos), "0");
        Click(W(kSaveAndExit));
    });
    EXPECT_EQ(settings.nHorizPos, 0);
    EXPECT_EQ(settings.nVertPos, 0);
    RunActing([] {
        EXPECT_EQ(TextOf(kHorizPos), "10");
        EXPECT_EQ(TextOf(kVertPos), "10");
        Click(W(kCancel));
    });
    EXPECT_EQ(settings.nHorizPos, 10);
    EXPECT_EQ(settings.nVertPos, 10);
}

struct ColourCase {
    const char* name;
    bool confirm;
};

class TextOnImageColourTest : public TextOnImageDialogTest,
                              public ::testing::WithParamInterface<ColourCase> {};

// The picker's own custom colours are shared by every picker in the
// process; ours must come back from the dialog's set, whatever other
// pickers did meanwhile.
TEST_P(TextOnImageColourTest, PickerSetsTheSwatchOrChangesNothing) {
    const bool confirm = GetParam().confirm;
    settings.crTextColor = 0x00ff00; // green
    TextOnImageDialog::CustomColours()[5] = 0x302010;
    QColorDialog::setCustomColor(5, Qt::white);
    QColor swatchAfter;
    const int result = RunActing([&] {
        EXPECT_EQ(SwatchPixel(), QColor(0, 255, 0));
        WhenModal<QColorDialog>([confirm](QColorDialog& picker) {
            EXPECT_EQ(QColorDialog::customColor(5), QColor(0x10, 0x20, 0x30));
            EXPECT_TRUE(picker.testOption(QColorDialog::DontUseNativeDialog));
            QColorDialog::setCustomColor(7, QColor(1, 2, 3)); // the user adds one
            picker.setCurrentColor(QColor(10, 20, 30));
            confirm ? picker.accept() : picker.reject();
        });
        Click(W(kColourSwatch));
        swatchAfter = SwatchPixel();
        Key(W(kCancel), Qt::Key_Escape, "\x1b");
    });
    EXPECT_EQ(result, 2);
    // Escape does not undo a confirmed colour.
    EXPECT_EQ(settings.crTextColor, confirm ? 0x1e140au : 0x00ff00u);
    EXPECT_EQ(swatchAfter, confirm ? QColor(10, 20, 30) : QColor(0, 255, 0));
    EXPECT_EQ(TextOnImageDialog::CustomColours()[7], 0x030201u);
    EXPECT_EQ(TextOnImageDialog::CustomColours()[5], 0x302010u);
}

INSTANTIATE_TEST_SUITE_P(Answers, TextOnImageColourTest,
                         ::testing::Values(ColourCase{"Confirmed", true},
                                           ColourCase{"Cancelled", false}),
                         [](const auto& info) { return std::string(info.param.name); });

void AnswerFontPicker(const QFont& font, bool confirm) {
    WhenModal<QFontDialog>([font, confirm](QFontDialog& picker) {
        picker.setCurrentFont(font);
        confirm ? picker.accept() : picker.reject();
    });
    Click(W(kChooseFont));
}

TEST_F(TextOnImageDialogTest, ConfirmedFontIsStoredAndRefreshesEveryControl) {
    const platform::RasterFont* first = nullptr;
    RunActing([&] {
        Type(W(kText), "not read back");
        Type(W(kHorizPos), "77");
        AnswerFontPicker(QFont("Liberation Serif", 12), true);
        // The refresh replaced the edits that were not read back.
        EXPECT_EQ(TextOf(kText), kDefaultText);
        EXPECT_EQ(TextOf(kHorizPos), "10");
        EXPECT_EQ(TextOf(kFaceNameShown), "Liberation Serif");
        EXPECT_EQ(TextOf(kFontSize), "28") << "the size follows at the next opening";
        first = dialog.OverlayFont();
        Click(W(kCancel));
    });
    EXPECT_EQ(settings.lfFontInfo.FaceName(), "Liberation Serif");
    EXPECT_EQ(settings.lfFontInfo.lfHeight, -16); // 12 points at 96 dots per inch
    EXPECT_EQ(dialog.szFaceNameShown, "Liberation Serif");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Font().pixelSize(), 16);
    EXPECT_EQ(first->ResolvedFamily(), "Liberation Serif");

    RunActing([&] {
        EXPECT_EQ(TextOf(kFontSize), "-16");
        AnswerFontPicker(QFont("Liberation Sans", 20), true);
        Click(W(kSaveAndExit));
    });
    EXPECT_EQ(settings.lfFontInfo.lfHeight, -27);
    EXPECT_EQ(settings.nFontSize, -16) << "read back from the control the opening filled";
    // A new confirmation replaces the one font object in place.
    EXPECT_EQ(dialog.OverlayFont(), first);
    EXPECT_EQ(dialog.OverlayFont()->Font().pixelSize(), 27);
    EXPECT_EQ(dialog.OverlayFont()->ResolvedFamily(), "Liberation Sans");
}

TEST_F(TextOnImageDialogTest, CancelledFontChangesNothing) {
    RunActing([] { Click(W(kCancel)); }); // the opening defaults
    const TextOnImageSettings before = settings;
    RunActing([] {
        Type(W(kText), "still typed");
        AnswerFontPicker(QFont("Liberation Serif", 30), false);
        EXPECT_EQ(TextOf(kText), "still typed");
        EXPECT_EQ(TextOf(kFaceNameShown), "Arial");
        Click(W(kCancel));
    });
    EXPECT_EQ(settings, before);
    EXPECT_EQ(dialog.szFaceNameShown, "Arial");
}

TEST_F(TextOnImageDialogTest, WindowHasItsTemplateSize) {
    RunActing([] {
        QDialog* window = Dialog::Top()->Window();
        const platform::DialogUnits units(window->font());
        EXPECT_EQ(window->size(), QSize(units.X(178), units.Y(161)));
        const QImage image = window->grab().toImage();
        EXPECT_EQ(image.size(), window->size() * window->devicePixelRatio());
        if (const char* folder = std::getenv("TALVANE_GRAB_DIR"))
            image.save(QString::fromStdString(std::string(folder) + "/text-on-image-" +
                                              QGuiApplication::platformName().toStdString() +
                                              ".png"));
        Click(W(kCancel));
    });
}

} // namespace
