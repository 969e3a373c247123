// The main stamp dialog on its widgets, in process: what a script cannot
// show because its typing always replaces the whole text.
#include "ui/MainStampDialogWidgets.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "tests/support/BmpBuilder.h"
#include "tests/support/TempFolder.h"
#include "ui/MainStampDialogRun.h"

namespace {

using namespace main_stamp_dialog;

void PressKey(QWidget* target, char c) {
    const QString text(QChar::fromLatin1(c));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (c - '0'), Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_0 + (c - '0'), Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

TEST(MainStampDialogWidgetsTest, TypingInsideASizeKeepsTheCaretWhereThePartnerFollows) {
    testsupport::TempFolder folder("ui");
    const std::string picture = folder.File("pic.bmp");
    testsupport::WriteBmp(picture, 640, 480, [](int, int) { return testsupport::Rgb{0, 0, 0}; });
    MainStampDialog dialog;
    dialog.settings.szImageFileName = picture;
    dialog.settings.nImageWidth = 30;
    dialog.settings.bConstrainImage = true;

    std::string typed, partner;
    int caret = -1;
    QTimer::singleShot(0, [&] {
        platform::Dialog* top = platform::Dialog::Top();
        if (!top)
            return;
        if (auto* width = qobject_cast<QLineEdit*>(top->Control(kImageWidth))) {
            width->setFocus();
            width->setCursorPosition(1); // "3|0"
            PressKey(width, '5');
            PressKey(width, '1');
            typed = width->text().toStdString();
            caret = width->cursorPosition();
            partner = top->Text(kImageHeight);
        }
        top->End(kEndedByEscape);
    });
    MainStampDialogWidgets widgets(dialog);
    EXPECT_EQ(widgets.Run(), kEndedByEscape);
    EXPECT_EQ(typed, "3510"); // not "3501", as with the caret sent to the end
    EXPECT_EQ(caret, 3);
    EXPECT_EQ(partner, "2632"); // 3510 / 640 = 5.484375, times 480, truncated
    EXPECT_EQ(dialog.View(), nullptr);
}

} // namespace
