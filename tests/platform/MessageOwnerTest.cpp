// Which window a real message box belongs to: the one it must stay above and
// block. A box with an explicit caption has none; every other box belongs to
// the modal window on top, else the kit dialog on top, else the owner window.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

#include "platform/Dialog.h"
#include "platform/Messages.h"
#include "tests/platform/KitTemplate.h"

namespace {

using platform::Message;
using platform::MessageKind;
using platform::Messages;

// Shows `kind` as a real box and returns its parent, read while it is open.
QWidget* OwnerOfShownBox(MessageKind kind) {
    QWidget* owner = nullptr;
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = true;
            owner = box->parentWidget();
            box->done(0);
        }
    });
    poll.start(5);
    std::ostringstream transcript;
    Messages::SetTranscript(&transcript);
    Messages::SetHeadless(false);
    Messages::Show(Message{kind, "Caption", "Text", {}});
    Messages::SetHeadless(true);
    Messages::SetTranscript(&std::cout);
    EXPECT_TRUE(seen) << "no box was shown";
    return owner;
}

const MessageKind kOwnedKinds[] = {MessageKind::AppBox, MessageKind::NoteAlert,
                                   MessageKind::CautionAlert};

TEST(MessageOwnerTest, BoxesBelongToTheOwnerWindowWhenNoDialogIsOpen) {
    QWidget window;
    window.show();
    Messages::SetOwnerWindow(&window);
    for (MessageKind kind : kOwnedKinds)
        EXPECT_EQ(OwnerOfShownBox(kind), &window) << Messages::KindName(kind);
    EXPECT_EQ(OwnerOfShownBox(MessageKind::Box), nullptr);
    Messages::SetOwnerWindow(nullptr);
    EXPECT_EQ(OwnerOfShownBox(MessageKind::AppBox), nullptr) << "no owner window left";
}

TEST(MessageOwnerTest, BoxesBelongToTheDialogOnTopOverTheOwnerWindow) {
    QWidget window;
    window.show();
    Messages::SetOwnerWindow(&window);
    const platform::DialogTemplate t = kit_test::KitTemplate();
    platform::Dialog dialog(t);
    std::vector<QWidget*> owners;
    QWidget* dialogWindow = nullptr;
    dialog.OnInit([&] {
        QTimer::singleShot(0, [&] {
            dialogWindow = dialog.Window();
            for (MessageKind kind : kOwnedKinds)
                owners.push_back(OwnerOfShownBox(kind));
            owners.push_back(OwnerOfShownBox(MessageKind::Box));
            dialog.End(2);
        });
    });
    dialog.Run();
    Messages::SetOwnerWindow(nullptr);
    ASSERT_NE(dialogWindow, nullptr);
    EXPECT_EQ(owners, (std::vector<QWidget*>{dialogWindow, dialogWindow, dialogWindow, nullptr}));
}

} // namespace
