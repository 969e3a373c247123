// The hook through which automation answers dialogs and pickers.
//
// Contract: at most one driver is installed (not owned; it must be removed
// with Install(nullptr) before it goes). The dialog kit calls Opened() from
// inside a dialog's modal loop, once the dialog is on screen, and Closed()
// after a dialog's loop has ended (Dialog::Top() is then the dialog below,
// or nullptr). The pickers call Pick() before they would show a window: an
// answer replaces the window, std::nullopt lets the real picker appear.
// Without a driver every dialog and picker waits for a person.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/LogFont.h"

namespace platform {

class Dialog;

enum class PickerKind { OpenFile, SaveFile, Colour, Font };

struct PickerRequest {
    PickerKind kind = PickerKind::OpenFile;
    std::string title;      // the window title a person would see
    bool mustExist = false; // open-file: only an existing file is accepted
};

struct PickerAnswer {
    bool cancelled = false;
    std::string path;           // files
    std::uint32_t colorref = 0; // colours, 0x00bbggrr
    LogFont font;               // fonts: face, height, weight, italic
};

class DialogDriver {
  public:
    virtual ~DialogDriver() = default;
    virtual void Opened(Dialog& dialog) = 0;
    virtual void Closed() = 0;
    virtual std::optional<PickerAnswer> Pick(const PickerRequest& request) = 0;

    static void Install(DialogDriver* driver);
    static DialogDriver* Installed();
};

} // namespace platform
