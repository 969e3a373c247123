#include "platform/DialogDriver.h"

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

} // namespace platform
