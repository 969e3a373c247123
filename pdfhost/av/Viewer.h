// The viewer's user-interface model: the one menu bar and the one toolbar
// that the AcroView table, the command line and the desktop viewer share.
//
// Contract: Reset() builds a fresh menu bar and toolbar with the host's own
// menus and buttons, leaving out the menus named in options.withoutMenus
// (unknown names are ignored; callers validate them against
// Menubar::HostMenuNames()). Anything handed out before a Reset is released
// and its handles are refused afterwards. The model exists from the first
// use on; Shutdown() releases it.
#pragma once

#include <string>
#include <vector>

namespace pdfhost::av {

class Menubar;
class ToolBar;

struct ViewerOptions {
    std::vector<std::string> withoutMenus;
};

class Viewer {
  public:
    static void Reset(const ViewerOptions& options = {});
    static void Shutdown();
    static Menubar& Bar();
    static ToolBar& Tools();
};

} // namespace pdfhost::av
