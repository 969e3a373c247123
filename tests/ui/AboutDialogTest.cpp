// The About dialog on its real widgets: the web page goes to the shell with
// the dialog left open, and each way of closing gives its result.
#include <QLabel>
#include <QPixmap>
#include <gtest/gtest.h>
#include <sstream>

#include "platform/Dialog.h"
#include "platform/DialogUnits.h"
#include "platform/Messages.h"
#include "resources/Resources.h"
#include "tests/ui/WidgetInput.h"
#include "ui/AboutDialog.h"

namespace {

using namespace widget_input;
using platform::Dialog;

constexpr int kStillOpen = 99;
const std::string kShellLine = "SHELL open \"https://talvane.org/\"\n";

QWidget* W(int id) {
    return Dialog::Top()->Window()->findChild<QWidget*>(QString::number(id));
}

class AboutDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::Messages::SetTranscript(&transcript); }
    void TearDown() override { platform::Messages::SetTranscript(nullptr); }

    int RunActing(const std::function<void()>& act) {
        QTimer::singleShot(0, [act] {
            act();
            if (Dialog* top = Dialog::Top(); top && top->IsOpen())
                top->End(kStillOpen);
        });
        AboutDialog about;
        return about.Run();
    }

    std::ostringstream transcript;
};

TEST_F(AboutDialogTest, ViewWebSiteHandsTheProjectPageToTheShellAndStaysOpen) {
    bool openAfterClick = false;
    const int result = RunActing([&] {
        Click(W(AboutDialog::kViewWebSite));
        openAfterClick = Dialog::Top() && Dialog::Top()->IsOpen();
        Click(W(AboutDialog::kViewWebSite)); // every click opens it again
        Click(W(AboutDialog::kClose));
    });
    EXPECT_TRUE(openAfterClick);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(transcript.str(), kShellLine + kShellLine);
    EXPECT_STREQ(resources::kProjectPage, "https://talvane.org/");
}

enum class Close { CloseButton, EnterOnClose, EnterOnViewWebSite, Escape, CloseBox };

struct CloseCase {
    const char* name;
    Close how;
    int result;
    std::string transcript;
};

class AboutClosingTest : public AboutDialogTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(AboutClosingTest, EachWayOfClosingGivesItsResult) {
    const CloseCase c = GetParam();
    const int result = RunActing([&c] {
        switch (c.how) {
        case Close::CloseButton:
            Click(W(AboutDialog::kClose));
            break;
        case Close::EnterOnClose:
            W(AboutDialog::kClose)->setFocus(Qt::TabFocusReason);
            Key(W(AboutDialog::kClose), Qt::Key_Return, "\r");
            break;
        case Close::EnterOnViewWebSite:
            W(AboutDialog::kViewWebSite)->setFocus(Qt::TabFocusReason);
            Key(W(AboutDialog::kViewWebSite), Qt::Key_Return, "\r");
            break;
        case Close::Escape:
            Key(W(AboutDialog::kClose), Qt::Key_Escape, "\x1b");
            break;
        case Close::CloseBox:
            Dialog::Top()->Window()->close();
            break;
        }
    });
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(transcript.str(), c.transcript);
}

INSTANTIATE_TEST_SUITE_P(Ways, AboutClosingTest,
                         ::testing::Values(CloseCase{"CloseButton", Close::CloseButton, 0, ""},
                                           CloseCase{"EnterOnClose", Close::EnterOnClose, 0, ""},
                                           CloseCase{"EnterOnViewWebSite",
                                                     Close::EnterOnViewWebSite, kStillOpen,
                                                     kShellLine},
                                           CloseCase{"Escape", Close::Escape, 2, ""},
                                           CloseCase{"CloseBox", Close::CloseBox, 2, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutDialogTest, ShowsTheProductPictureAtItsTemplateSize) {
    RunActing([] {
        QDialog* window = Dialog::Top()->Window();
        EXPECT_EQ(window->windowTitle(), "About PDF Talvane");
        const platform::DialogUnits units(window->font());
        EXPECT_EQ(window->size(), QSize(units.X(186), units.Y(142)));
        const QLabel* picture = nullptr;
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (!label->pixmap().isNull())
                picture = label;
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->pixmap().size(), QSize(120, 80));
        EXPECT_TRUE(picture->isVisible());
        const QImage image = window->grab().toImage();
        EXPECT_EQ(image.size(), window->size() * window->devicePixelRatio());
        if (const char* folder = std::getenv("TALVANE_GRAB_DIR"))
            image.save(QString::fromStdString(std::string(folder) + "/about-" +
                                              QGuiApplication::platformName().toStdString() +
                                              ".png"));
        Click(W(AboutDialog::kClose));
    });
}

} // namespace
