#include "platform/OwnerWindow.h"

#include <QPointer>
#include <QWidget>

#include "platform/Dialog.h"

namespace platform {
namespace {

QPointer<QWidget>& main() {
    static QPointer<QWidget> window;
    return window;
}

} // namespace

void OwnerWindow::SetMain(QWidget* window) {
    main() = window;
}

QWidget* OwnerWindow::Main() {
    return main().data();
}

QWidget* OwnerWindow::ForNewWindow() {
    if (Dialog* top = Dialog::Top())
        return top->Window();
    return Main();
}

} // namespace platform
