// The dialog kit on real widgets: units, tab order, keys, transfers, the
// integer check and nesting.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

#include "platform/Dialog.h"
#include "platform/DialogUnits.h"
#include "platform/Messages.h"
#include "tests/platform/KitTemplate.h"

namespace {

using platform::Dialog;
using namespace kit_test;

constexpr int kStillOpen = 99;

// Runs the dialog and, from inside its modal loop, `act`; a dialog that
// `act` leaves open ends with kStillOpen.
int RunActing(Dialog& dialog, std::function<void()> act) {
    dialog.OnInit([&dialog, act] {
        QTimer::singleShot(0, [&dialog, act] {
            act();
            if (dialog.IsOpen())
                dialog.End(kStillOpen);
        });
    });
    return dialog.Run();
}

void Press(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void PressOn(Dialog& dialog, int id, int key) {
    dialog.SetFocus(id);
    Press(dialog.Window()->focusWidget(), key, key == Qt::Key_Escape ? "\x1b" : "\r");
}

struct Fields {
    std::int32_t first = 1;
    std::int32_t second = 2;
    std::int32_t third = 3;
    std::string name = "name";
    bool flag = false;
    std::string choice;

    void Bind(Dialog& d) {
        d.BindInt(kFirst, first);
        d.BindInt(kSecond, second);
        d.BindInt(kThird, third);
        d.BindText(kName, name);
        d.BindFlag(kFlag, flag);
        d.BindComboText(kChoice, choice);
    }
};

class Transcript {
  public:
    Transcript() { platform::Messages::SetTranscript(&lines_); }
    ~Transcript() { platform::Messages::SetTranscript(&std::cout); }
    std::string Text() const { return lines_.str(); }

  private:
    std::ostringstream lines_;
};

TEST(DialogUnitsTest, ConvertsWithTheHomePlatformRounding) {
    // 6 x 13 are the classic base units of an 8-point dialog font.
    const platform::DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixels({166, 258, 57, 14}), QRect(249, 419, 86, 23));
    EXPECT_EQ(units.X(1), 2);   // 1.5 rounds up
    EXPECT_EQ(units.Y(3), 5);   // 4.875
    EXPECT_EQ(units.X(-3), -5); // away from zero, as MulDiv does
}

TEST(DialogUnitsTest, BaseUnitsComeFromTheMappedDialogFont) {
    const QFont font = platform::DialogUnits::DialogFont("MS Sans Serif", 8);
    EXPECT_EQ(font.family(), platform::DialogUnits::kSansFace);
    EXPECT_EQ(font.pixelSize(), 10);
    // The mapped face gives the home platform's base units for its 8-point
    // dialogs, so every dialog has its home size in pixels.
    const platform::DialogUnits units(font);
    EXPECT_EQ(units.BaseWidth(), 6);
    EXPECT_EQ(units.BaseHeight(), 13);
    // Another face keeps its own measure at 96 dots per inch.
    const QFont other = platform::DialogUnits::DialogFont("Liberation Serif", 12);
    EXPECT_EQ(other.pixelSize(), 16);
    EXPECT_GT(platform::DialogUnits(other).BaseHeight(), 13);
}

TEST(DialogKitTest, PlacesEveryControlAtItsTemplateRectangle) {
    const platform::DialogTemplate t = KitTemplate();
    Dialog dialog(t);
    RunActing(dialog, [&] {
        const platform::DialogUnits units(dialog.Window()->font());
        EXPECT_EQ(dialog.Window()->size(), QSize(units.X(120), units.Y(90)));
        EXPECT_EQ(dialog.Window()->windowTitle(), "Kit Test");
        for (const platform::ControlTemplate& c : t.controls) {
            if (c.id == 0 || c.kind == platform::ControlKind::ComboBox)
                continue;
            QWidget* w = dialog.Control(c.id);
            ASSERT_NE(w, nullptr) << c.id;
            EXPECT_EQ(w->objectName(), QString::number(c.id));
            EXPECT_EQ(w->geometry(), units.ToPixels(c.rect)) << c.id;
        }
        // A combo box keeps its place and width; its height is the closed box.
        QWidget* combo = dialog.Control(kChoice);
        EXPECT_EQ(combo->pos(), units.ToPixels(t.controls[6].rect).topLeft());
        EXPECT_LT(combo->height(), units.Y(50));
        EXPECT_TRUE(dialog.Control(kHiddenEdit)->isHidden());
    });
}

TEST(DialogKitTest, TabOrderIsTemplateOrderAndSkipsLabels) {
    const platform::DialogTemplate t = KitTemplate();
    Dialog dialog(t);
    RunActing(dialog, [&] {
        std::vector<int> order;
        QWidget* w = dialog.Control(kFirst);
        for (int i = 0; i < 8; ++i) {
            order.push_back(w->objectName().toInt());
            do
                w = w->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty() || w->isHidden() ||
                   w->parentWidget() != dialog.Window());
        }
        EXPECT_EQ(order, (std::vector<int>{kFirst, kSecond, kThird, kName, kFlag, kChoice, kApply,
                                           kNested}));
        // Push buttons are never default buttons unless the template says so.
        EXPECT_FALSE(static_cast<QPushButton*>(dialog.Control(kApply))->isDefault());
        EXPECT_FALSE(static_cast<QPushButton*>(dialog.Control(kApply))->autoDefault());
    });
}

// Labels and frames with a mnemonic, each before the control it names.
platform::DialogTemplate MnemonicTemplate() {
    using K = platform::ControlKind;
    platform::DialogTemplate t;
    t.caption = "Mnemonics";
    t.width = 120;
    t.height = 100;
    auto control = [](int id, K kind, const char* text, int y, std::uint32_t style = 0) {
        platform::ControlTemplate c;
        c.id = id;
        c.kind = kind;
        c.text = text;
        c.rect = {4, y, 100, 12};
        c.style = style;
        return c;
    };
    t.controls = {
        control(0, K::Static, "&Name:", 2),
        control(kName, K::Edit, "typed", 2),
        control(0, K::GroupBox, "&Options", 16),
        control(kFlag, K::CheckBox, "&Flag", 16),
        control(0, K::Static, "&Later:", 30),
        control(kSecond, K::Edit, "", 30, platform::kDisabled),
        control(kThird, K::Edit, "", 44),
        control(0, K::Static, "&Go:", 58),
        control(kApply, K::PushButton, "&Apply", 58),
        control(kNested, K::PushButton, "Ne&xt", 72),
    };
    return t;
}

TEST(DialogKitTest, MnemonicsMoveTheFocusFromLabelsAndPressButtons) {
    const platform::DialogTemplate t = MnemonicTemplate();
    Dialog dialog(t);
    int applies = 0;
    int nexts = 0;
    dialog.OnCommand(kApply, [&] { ++applies; });
    dialog.OnCommand(kNested, [&] { ++nexts; });
    struct Case {
        Qt::Key key;
        int focus;
        int applies;
        int nexts;
        bool checked;
    };
    const Case cases[] = {
        {Qt::Key_N, kName, 0, 0, false},  // label: the edit after it
        {Qt::Key_O, kFlag, 0, 0, false},  // frame: the box after it, not toggled
        {Qt::Key_L, kThird, 0, 0, false}, // the disabled edit is passed over
        {Qt::Key_G, kApply, 0, 0, false}, // a label before a button only moves the focus
        {Qt::Key_A, kApply, 1, 0, false}, // the button's own letter clicks it
        {Qt::Key_F, kFlag, 1, 0, true},   // a check box's toggles it
        {Qt::Key_X, kNested, 1, 1, true},
    };
    RunActing(dialog, [&] {
        // Mnemonics reach the active window only, as a person's keys do.
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Window()));
        EXPECT_EQ(static_cast<QLabel*>(dialog.ControlAt(0))->buddy(), dialog.Control(kName))
            << "drawn as a mnemonic";
        for (const Case& c : cases) {
            SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
            QTest::keyClick(dialog.Window(), c.key, Qt::AltModifier);
            EXPECT_EQ(dialog.Window()->focusWidget(), dialog.Control(c.focus));
            EXPECT_EQ(applies, c.applies);
            EXPECT_EQ(nexts, c.nexts);
            EXPECT_EQ(dialog.Checked(kFlag), c.checked);
        }
        auto* name = static_cast<QLineEdit*>(dialog.Control(kName));
        QTest::keyClick(dialog.Window(), Qt::Key_N, Qt::AltModifier);
        EXPECT_EQ(name->selectedText(), "typed") << "an edit reached so has its text selected";
    });
}

TEST(DialogKitTest, EnterAndEscapeFollowTheHomePlatform) {
    const platform::DialogTemplate t = KitTemplate();
    struct Case {
        const char* what;
        int focus;
        int key;
        int result;
        bool applied;  // the button's handler ran
        bool readBack; // the typed value reached the field
    };
    const Case cases[] = {
        {"Enter in an edit reads and ends with 1", kSecond, Qt::Key_Return, 1, false, true},
        {"keypad Enter in a combo box does the same", kChoice, Qt::Key_Enter, 1, false, true},
        {"Enter on a check box does the same", kFlag, Qt::Key_Return, 1, false, true},
        {"Enter on a push button presses it", kApply, Qt::Key_Return, kStillOpen, true, false},
        {"Escape ends with 2 without reading", kSecond, Qt::Key_Escape, 2, false, false},
        {"Escape on a push button also", kApply, Qt::Key_Escape, 2, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fields fields;
        bool applied = false;
        Dialog dialog(t);
        fields.Bind(dialog);
        dialog.OnCommand(kApply, [&] { applied = true; });
        const int result = RunActing(dialog, [&] {
            dialog.SetText(kSecond, "77");
            PressOn(dialog, c.focus, c.key);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(applied, c.applied);
        EXPECT_EQ(fields.second, c.readBack ? 77 : 2);
    }
}

TEST(DialogKitTest, EnterStaysOpenWhenTheReadingFails) {
    const platform::DialogTemplate t = KitTemplate();
    Transcript transcript;
    Fields fields;
    Dialog dialog(t);
    fields.Bind(dialog);
    const int result = RunActing(dialog, [&] {
        dialog.SetText(kSecond, "x");
        PressOn(dialog, kName, Qt::Key_Return);
    });
    EXPECT_EQ(result, kStillOpen);
    EXPECT_NE(transcript.Text().find("Please enter an integer."), std::string::npos);
}

TEST(DialogKitTest, TheTemplatesDefaultButtonTakesEnter) {
    platform::DialogTemplate t = KitTemplate();
    t.controls[9].style |= platform::kDefaultButton; // kNested
    Fields fields;
    bool nested = false;
    Dialog dialog(t);
    fields.Bind(dialog);
    dialog.OnCommand(kNested, [&] { nested = true; });
    EXPECT_EQ(RunActing(dialog, [&] { PressOn(dialog, kSecond, Qt::Key_Return); }), kStillOpen);
    EXPECT_TRUE(nested);
}

TEST(DialogKitTest, CloseBoxCancelsOnlyWithASystemMenu) {
    for (const bool systemMenu : {true, false}) {
        SCOPED_TRACE(systemMenu ? "system menu" : "no system menu");
        const platform::DialogTemplate t = KitTemplate(systemMenu);
        Fields fields;
        Dialog dialog(t);
        fields.Bind(dialog);
        const int result = RunActing(dialog, [&] {
            EXPECT_EQ(dialog.Window()->windowFlags().testFlag(Qt::WindowCloseButtonHint),
                      systemMenu);
            dialog.SetText(kSecond, "5");
            dialog.Window()->close();
        });
        EXPECT_EQ(result, systemMenu ? 2 : kStillOpen);
        EXPECT_EQ(fields.second, 2);
    }
}

TEST(DialogKitTest, TransfersGoBothWaysWithoutNotifications) {
    const platform::DialogTemplate t = KitTemplate();
    Fields fields;
    fields.flag = true;
    fields.choice = "gam"; // the combo box finds entries by prefix
    int changes = 0;
    int selections = 0;
    Dialog dialog(t);
    fields.Bind(dialog);
    dialog.OnTextChanged(kSecond, [&] { ++changes; });
    dialog.OnTextChanged(kName, [&] { ++changes; });
    dialog.OnSelectionChanged(kChoice, [&] { ++selections; });
    RunActing(dialog, [&] {
        EXPECT_EQ(dialog.Text(kFirst), "1");
        EXPECT_EQ(dialog.Text(kName), "name");
        EXPECT_TRUE(dialog.Checked(kFlag));
        EXPECT_EQ(dialog.Text(kChoice), "Gamma");
        EXPECT_EQ(dialog.SelectedIndex(kChoice), 2);
        fields.second = 42;
        fields.name = "other";
        fields.choice = "free text";
        dialog.RefreshControls();
        EXPECT_EQ(dialog.Text(kSecond), "42");
        EXPECT_EQ(dialog.Text(kChoice), "free text");
        EXPECT_EQ(dialog.SelectedIndex(kChoice), -1);
        EXPECT_EQ(changes, 0) << "a refresh must not run the change handlers";
        // Outside a transfer every change is reported, and reading runs none.
        dialog.SetText(kSecond, "43");
        EXPECT_EQ(changes, 1);
        dialog.SetChecked(kFlag, false);
        ASSERT_TRUE(dialog.ReadControls());
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(fields.second, 43);
        EXPECT_FALSE(fields.flag);
        EXPECT_EQ(fields.choice, "free text");
    });
    EXPECT_EQ(selections, 0);
}

TEST(DialogKitTest, ABadIntegerStopsTheReadingAtItsField) {
    const platform::DialogTemplate t = KitTemplate();
    const char* bad[] = {"", "12a", "--3", "4294967296", " "};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        Transcript transcript;
        Fields fields;
        Dialog dialog(t);
        fields.Bind(dialog);
        RunActing(dialog, [&] {
            dialog.SetText(kFirst, "7");
            dialog.SetText(kSecond, text);
            dialog.SetText(kThird, "9");
            dialog.SetText(kName, "changed");
            EXPECT_FALSE(dialog.ReadControls());
            EXPECT_EQ(dialog.Window()->focusWidget(), dialog.Control(kSecond));
        });
        EXPECT_EQ(fields.first, 7) << "fields before the bad one are read";
        EXPECT_EQ(fields.second, 2);
        EXPECT_EQ(fields.third, 3) << "fields after it keep their values";
        EXPECT_EQ(fields.name, "name");
        EXPECT_EQ(transcript.Text(), "MESSAGE app-box \"Talvane\" \"Please enter an integer.\"\n");
    }
    // What does parse: blanks around, a sign, the extremes.
    const std::pair<const char*, std::int32_t> good[] = {{" 12 ", 12},
                                                         {"-5", -5},
                                                         {"+8", 8},
                                                         {"2147483647", 2147483647},
                                                         {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : good) {
        Fields fields;
        Dialog dialog(t);
        fields.Bind(dialog);
        RunActing(dialog, [&] {
            dialog.SetText(kSecond, text);
            EXPECT_TRUE(dialog.ReadControls()) << text;
        });
        EXPECT_EQ(fields.second, value) << text;
    }
}

TEST(DialogKitTest, DigitsOnlyEditsRefuseTypedLetters) {
    const platform::DialogTemplate t = KitTemplate();
    Dialog dialog(t);
    RunActing(dialog, [&] {
        for (int id : {kFirst, kSecond}) {
            dialog.SetFocus(id);
            auto* edit = static_cast<QLineEdit*>(dialog.Control(id));
            edit->clear();
            Press(edit, Qt::Key_1, "1");
            Press(edit, Qt::Key_Minus, "-");
            Press(edit, Qt::Key_A, "a");
            Press(edit, Qt::Key_2, "2");
        }
        EXPECT_EQ(dialog.Text(kFirst), "12");
        EXPECT_EQ(dialog.Text(kSecond), "1-a2");
    });
}

TEST(DialogKitTest, DialogsNestAndMessagesBelongToTheTopOne) {
    const platform::DialogTemplate outerTemplate = KitTemplate();
    platform::DialogTemplate innerTemplate = KitTemplate();
    innerTemplate.caption = "Inner";
    Dialog outer(outerTemplate);
    Dialog inner(innerTemplate);
    int innerResult = 0;
    QWidget* innerParent = nullptr;
    Dialog* topInside = nullptr;
    std::int32_t innerValue = 0;
    inner.BindInt(kSecond, innerValue);
    outer.OnCommand(kNested, [&] {
        innerResult = RunActing(inner, [&] {
            topInside = Dialog::Top();
            innerParent = inner.Window()->parentWidget();
            EXPECT_EQ(Dialog::Open().size(), 2u);
            inner.SetText(kSecond, "8");
            PressOn(inner, kSecond, Qt::Key_Return);
        });
    });
    const int outerResult = RunActing(outer, [&] {
        static_cast<QPushButton*>(outer.Control(kNested))->click();
        EXPECT_EQ(Dialog::Top(), &outer);
        EXPECT_TRUE(outer.IsOpen());
    });
    EXPECT_EQ(innerResult, 1);
    EXPECT_EQ(innerValue, 8);
    EXPECT_EQ(topInside, &inner);
    EXPECT_EQ(innerParent, outer.Window() ? outer.Window() : innerParent);
    EXPECT_NE(innerParent, nullptr);
    EXPECT_EQ(outerResult, kStillOpen);
    EXPECT_EQ(Dialog::Top(), nullptr);
}

TEST(DialogKitTest, OnInitMayEndTheDialogBeforeItShows) {
    const platform::DialogTemplate t = KitTemplate();
    Dialog dialog(t);
    dialog.OnInit([&] { dialog.End(0); });
    EXPECT_EQ(dialog.Run(), 0);
    EXPECT_FALSE(dialog.IsOpen());
}

} // namespace
