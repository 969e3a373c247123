// The About dialog: the product's name, its picture, the notice line, and a
// way to the project's web page.
//
// Contract: Run() shows template 104 (with bitmap 109) modally over the
// dialog on top, if any, and returns when it closes: 0 for "&Close", 2 for
// Escape and the close box, 1 for Enter when no push button has the focus.
// "&View WebSite" hands resources::kProjectPage to the desktop shell and
// leaves the dialog open; whether the shell manages to show the page is not
// reported. Needs a Qt widget application object. The object keeps nothing
// between runs.
#pragma once

class AboutDialog {
  public:
    static constexpr int kViewWebSite = 1002;
    static constexpr int kClose = 1000;

    int Run();
};
