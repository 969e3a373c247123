// The common pickers as a person meets them: what each shows when it comes
// up, and what a click or a key in its own window gives back to the caller.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

#include "platform/ColorPicker.h"
#include "platform/DialogDriver.h"
#include "platform/FilePicker.h"
#include "platform/FontPicker.h"

namespace {

namespace fs = std::filesystem;
using platform::PickerKind;

// A person who does `act` in each picker that comes up, then leaves; a
// picker `act` leaves open is cancelled so that no test hangs.
class Hand : public platform::DialogDriver {
  public:
    using Act = std::function<void(PickerKind, QDialog&)>;
    explicit Hand(Act act) : act_(std::move(act)) { Install(this); }
    ~Hand() override { Install(nullptr); }

    void Opened(platform::Dialog&) override {}
    void Closed() override {}
    void PickerShown(PickerKind kind, QDialog& picker) override {
        ++shown;
        act_(kind, picker);
        if (picker.isVisible()) {
            ADD_FAILURE() << "the picker stayed open";
            picker.reject();
        }
    }
    int shown = 0;

  private:
    Act act_;
};

template <typename T> T* Labelled(QDialog& picker, const QString& label) {
    for (QLabel* l : picker.findChildren<QLabel*>()) {
        if (l->text() == label)
            return qobject_cast<T*>(l->buddy());
    }
    return nullptr;
}

void Enter(QDialog& picker) {
    QTest::keyClick(picker.focusWidget() ? picker.focusWidget() : &picker, Qt::Key_Return);
}

TEST(FilePickerTest, StartsInTheFolderWithTheNameSuggestedAndAddsTheExtension) {
    const fs::path folder = fs::path(::testing::TempDir()) / "picker-start";
    fs::create_directories(folder);
    const fs::path before = fs::current_path();
    platform::FilePickerOptions options;
    options.title = "Save As";
    options.filters = {{"PDF Files", "*.pdf"}, {"All Files", "*.*"}};
    options.defaultExtension = "pdf";
    options.folder = folder.string();
    options.fileName = "report";
    Hand hand([&](PickerKind kind, QDialog& picker) {
        EXPECT_EQ(kind, PickerKind::SaveFile);
        auto& files = static_cast<QFileDialog&>(picker);
        EXPECT_EQ(files.windowTitle(), "Save As");
        EXPECT_EQ(files.directory().absolutePath().toStdString(), folder.string());
        EXPECT_EQ(files.selectedNameFilter(), "PDF Files (*.pdf)");
        auto* name = files.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "report");
        Enter(picker); // takes the suggestion as it stands
    });
    EXPECT_EQ(platform::FilePicker::Save(options), (folder / "report.pdf").string());
    EXPECT_EQ(hand.shown, 1);
    EXPECT_EQ(fs::current_path(), before) << "the picker leaves the current directory alone";
}

TEST(FilePickerTest, AMustExistOpenSaysSoAndStaysOpenForAMissingFile) {
    const fs::path folder = fs::path(::testing::TempDir()) / "picker-exist";
    fs::create_directories(folder);
    std::ofstream(folder / "there.tvp") << "x";
    platform::FilePickerOptions options;
    options.title = "Open";
    options.folder = folder.string();
    options.mustExist = true;
    std::string said;
    Hand hand([&](PickerKind, QDialog& picker) {
        auto* name = picker.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        QTest::keyClicks(name, "missing.tvp");
        // The refusal is a message box of the picker's own; a person reads
        // it and presses Enter, then picks a file that is there.
        QTimer::singleShot(0, [&said] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            said = box->text().simplified().toStdString();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::keyClick(name, Qt::Key_Return);
        ASSERT_TRUE(picker.isVisible());
        name->selectAll();
        QTest::keyClicks(name, "there.tvp");
        QTest::keyClick(name, Qt::Key_Return);
    });
    EXPECT_EQ(platform::FilePicker::Open(options), (folder / "there.tvp").string());
    EXPECT_NE(said.find("missing.tvp"), std::string::npos) << said;
}

TEST(ColorPickerTest, ShowsTheCustomColoursAndKeepsChangesEvenWhenCancelled) {
    std::array<std::uint32_t, 16> custom{};
    custom[5] = 0x00563412;
    Hand hand([&](PickerKind kind, QDialog& picker) {
        EXPECT_EQ(kind, PickerKind::Colour);
        EXPECT_EQ(picker.windowTitle(), "Color");
        EXPECT_EQ(QColorDialog::customColor(5), QColor(0x12, 0x34, 0x56));
        auto* customLabel = [&picker]() -> QLabel* {
            for (QLabel* l : picker.findChildren<QLabel*>())
                if (l->text() == "&Custom colors")
                    return l;
            return nullptr;
        }();
        ASSERT_NE(customLabel, nullptr);
        EXPECT_TRUE(customLabel->isVisible()) << "the picker opens fully";
        auto* html = Labelled<QLineEdit>(picker, "&HTML:");
        ASSERT_NE(html, nullptr);
        html->selectAll();
        QTest::keyClicks(html, "#a0b0c0");
        for (QPushButton* b : picker.findChildren<QPushButton*>())
            if (b->text() == "&Add to Custom Colors")
                QTest::mouseClick(b, Qt::LeftButton);
        QTest::keyClick(html, Qt::Key_Escape);
    });
    EXPECT_EQ(platform::ColorPicker::Choose(custom), std::nullopt);
    EXPECT_EQ(custom[0], 0x00c0b0a0u) << "the colour added is kept";
    EXPECT_EQ(custom[5], 0x00563412u);

    Hand accept([&](PickerKind, QDialog& picker) {
        auto* html = Labelled<QLineEdit>(picker, "&HTML:");
        ASSERT_NE(html, nullptr);
        html->selectAll();
        QTest::keyClicks(html, "#010203");
        QTest::keyClick(html, Qt::Key_Return);
    });
    EXPECT_EQ(platform::ColorPicker::Choose(custom), 0x00030201u);
}

TEST(FontPickerTest, RoundTripsTheDescriptionAndShowsTheChosenFaceWithoutEffects) {
    LogFont font;
    font.SetFaceName("Liberation Serif");
    font.lfHeight = -16;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfCharSet = 1;
    const LogFont original = font;
    Hand confirm([&](PickerKind kind, QDialog& picker) {
        EXPECT_EQ(kind, PickerKind::Font);
        const QFont shown = static_cast<QFontDialog&>(picker).currentFont();
        EXPECT_EQ(shown.family(), "Liberation Serif");
        EXPECT_EQ(shown.pointSize(), 12) << "16 pixels at 96 dots per inch";
        EXPECT_EQ(shown.weight(), 700);
        EXPECT_TRUE(shown.italic());
        Enter(picker);
    });
    ASSERT_TRUE(platform::FontPicker::Choose(font));
    EXPECT_EQ(font, original) << "confirmed unchanged, the description comes back as it went";

    Hand choose([&](PickerKind, QDialog& picker) {
        for (QCheckBox* effect : picker.findChildren<QCheckBox*>())
            EXPECT_FALSE(effect->isVisible()) << effect->text().toStdString();
        auto* faces = Labelled<QAbstractItemView>(picker, "&Font");
        ASSERT_NE(faces, nullptr);
        const QModelIndexList rows = faces->model()->match(
            faces->model()->index(0, 0), Qt::DisplayRole, "DejaVu Sans Mono", 1, Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1);
        faces->scrollTo(rows[0]);
        QTest::mouseClick(faces->viewport(), Qt::LeftButton, {},
                          faces->visualRect(rows[0]).center());
        auto* sample = picker.findChild<QLineEdit*>("qt_fontDialog_sampleEdit");
        ASSERT_NE(sample, nullptr);
        EXPECT_TRUE(sample->isVisible());
        EXPECT_EQ(sample->font().family(), "DejaVu Sans Mono");
        EXPECT_GE(sample->contentsRect().height(), QFontMetrics(sample->font()).height())
            << "the sample's text is not cut";
        Enter(picker);
    });
    ASSERT_TRUE(platform::FontPicker::Choose(font));
    EXPECT_EQ(font.FaceName(), "DejaVu Sans Mono");
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfCharSet, 1);

    Hand cancel([](PickerKind, QDialog& picker) { QTest::keyClick(&picker, Qt::Key_Escape); });
    const LogFont before = font;
    EXPECT_FALSE(platform::FontPicker::Choose(font));
    EXPECT_EQ(font, before);
}

} // namespace
