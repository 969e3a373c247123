#include "platform/DialogDriver.h"

#include <QDialog>
#include <QTimer>

namespace platform {
namespace {

DialogDriver*& installed() {
    static DialogDriver* driver = nullptr;
    return driver;
}

} // namespace

void DialogDriver::Install(DialogDriver* driver) {
    installed() = driver;
}

DialogDriver* DialogDriver::Installed() {
    return installed();
}

int DialogDriver::RunPicker(PickerKind kind, QDialog& picker) {
    if (Installed()) {
        // From inside the modal loop, once the window is up.
        QTimer::singleShot(0, &picker, [kind, &picker] {
            if (DialogDriver* now = Installed(); now && picker.isVisible())
                now->PickerShown(kind, picker);
        });
    }
    return picker.exec();
}

} // namespace platform
