// Which window a real dialog, picker or message box belongs to: the one it
// must open over, stay above and block. With no kit dialog open that is the
// main window; with one open, the dialog on top. A message box with an
// explicit caption has no owner at all.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

#include "platform/Dialog.h"
#include "platform/FilePicker.h"
#include "platform/Messages.h"
#include "platform/OwnerWindow.h"
#include "tests/platform/KitTemplate.h"

namespace {

using platform::Message;
using platform::MessageKind;
using platform::Messages;
using platform::OwnerWindow;

// Runs `open` (which shows a modal window and waits for it) and returns the
// parent of the first modal window of type T that appears, then closes it.
template <typename T> QWidget* OwnerOfShown(const std::function<void()>& open) {
    QWidget* owner = nullptr;
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget()); window && !seen) {
            seen = true;
            owner = window->parentWidget();
            window->reject();
        }
    });
    poll.start(5);
    open();
    EXPECT_TRUE(seen) << "nothing was shown";
    return owner;
}

QWidget* OwnerOfBox(MessageKind kind) {
    std::ostringstream transcript;
    Messages::SetTranscript(&transcript);
    Messages::SetHeadless(false);
    QWidget* owner = OwnerOfShown<QMessageBox>([kind] {
        Messages::Show(Message{kind, "Caption", "Text", {}});
    });
    Messages::SetHeadless(true);
    Messages::SetTranscript(&std::cout);
    return owner;
}

QWidget* OwnerOfPicker() {
    return OwnerOfShown<QFileDialog>([] { platform::FilePicker::Open({}); });
}

QWidget* OwnerOfDialog() {
    const platform::DialogTemplate t = kit_test::KitTemplate();
    platform::Dialog dialog(t);
    QWidget* owner = nullptr;
    dialog.OnInit([&] {
        QTimer::singleShot(0, [&] {
            owner = dialog.Window()->parentWidget();
            dialog.End(2);
        });
    });
    dialog.Run();
    return owner;
}

class OwnerWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        main_ = std::make_unique<QWidget>();
        main_->show();
        OwnerWindow::SetMain(main_.get());
    }
    void TearDown() override { OwnerWindow::SetMain(nullptr); }
    std::unique_ptr<QWidget> main_;
};

TEST_F(OwnerWindowTest, WithNoDialogOpenTheMainWindowOwnsEverything) {
    for (MessageKind kind :
         {MessageKind::AppBox, MessageKind::NoteAlert, MessageKind::CautionAlert})
        EXPECT_EQ(OwnerOfBox(kind), main_.get()) << Messages::KindName(kind);
    EXPECT_EQ(OwnerOfBox(MessageKind::Box), nullptr) << "a box with a caption has no owner";
    EXPECT_EQ(OwnerOfPicker(), main_.get());
    EXPECT_EQ(OwnerOfDialog(), main_.get());

    main_.reset();
    EXPECT_EQ(OwnerWindow::Main(), nullptr) << "a main window that is gone is none";
    EXPECT_EQ(OwnerOfBox(MessageKind::AppBox), nullptr);
    EXPECT_EQ(OwnerOfDialog(), nullptr);
}

TEST_F(OwnerWindowTest, WithADialogOpenTheDialogOnTopOwnsWhatOpensOverIt) {
    const platform::DialogTemplate t = kit_test::KitTemplate();
    platform::Dialog dialog(t);
    std::vector<QWidget*> owners;
    QWidget* dialogWindow = nullptr; // compared only: it is gone after Run()
    QWidget* dialogOwner = nullptr;
    dialog.OnInit([&] {
        QTimer::singleShot(0, [&] {
            dialogWindow = dialog.Window();
            dialogOwner = dialogWindow->parentWidget();
            owners = {OwnerOfBox(MessageKind::AppBox), OwnerOfBox(MessageKind::CautionAlert),
                      OwnerOfPicker(), OwnerOfDialog(), OwnerOfBox(MessageKind::Box)};
            dialog.End(2);
        });
    });
    dialog.Run();
    ASSERT_NE(dialogWindow, nullptr);
    EXPECT_EQ(dialogOwner, main_.get());
    EXPECT_EQ(owners, (std::vector<QWidget*>{dialogWindow, dialogWindow, dialogWindow, dialogWindow,
                                             nullptr}));
}

} // namespace
