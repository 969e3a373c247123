// The kit on a real X server: pdfhost runs a script against a dialog mapped
// on an Xvfb of the test's own, never on whatever display the test has.
#include <QImage>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>

#include "platform/DialogUnits.h"
#include "tests/support/XvfbDisplay.h"

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(KitOnDisplayTest, GrabHasTheTemplatesSizeAndTypingNotifiesOncePerCharacter) {
    testsupport::XvfbDisplay display;
    ASSERT_FALSE(display.Name().empty()) << display.Error();
    const fs::path dir = fs::path(::testing::TempDir()) / "kit-on-display";
    fs::create_directories(dir);
    const fs::path png = dir / "kit.png";
    fs::remove(png);
    // The probe counts the name field's text changes into the hidden edit.
    std::ofstream(dir / "script.txt") << "type 13 abc\n"
                                         "expect 50 3\n"
                                         "type 13 wxyz\n"
                                         "expect 50 7\n"
                                         "set 13 pasted\n"
                                         "expect 50 8\n"
                                         "grab "
                                      << png.string()
                                      << "\n"
                                         "key escape\n"
                                         "menu TEST:KitDialog\n";
    const std::string command =
        "env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb DISPLAY=" + display.Name() +
        " '" PDFHOST_EXE "' --plugins '" KIT_PROBE_DIR "' run '" + (dir / "script.txt").string() +
        "' >'" + (dir / "out").string() + "' 2>'" + (dir / "err").string() + "' </dev/null";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    ASSERT_EQ(WEXITSTATUS(raw), 0) << Slurp(dir / "err") << Slurp(dir / "out");

    const QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull());
    // The template is 120 x 90 dialog units and has no menu bar.
    const platform::DialogUnits units(platform::DialogUnits::DialogFont("MS Sans Serif", 8));
    EXPECT_EQ(image.size(), QSize(units.X(120), units.Y(90)));
}

} // namespace
