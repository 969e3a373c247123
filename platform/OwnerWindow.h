// The window the plug-in's windows belong to, so that they open over it,
// stay above it and block it.
//
// Contract: a host with a main window names it with SetMain() (nullptr: none;
// not owned, and a main window that is destroyed reads as none). A dialog,
// picker or message box that opens while a dialog of the kit is open belongs
// to the dialog on top; otherwise to the main window, or to no window when
// there is none. User-interface thread only.
#pragma once

class QWidget;

namespace platform {

class OwnerWindow {
  public:
    static void SetMain(QWidget* window);
    static QWidget* Main();
    // The owner of a window that opens now.
    static QWidget* ForNewWindow();
};

} // namespace platform
