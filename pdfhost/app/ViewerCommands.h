// The script commands of the viewer layer:
//     menu NAME      run the menu item with that internal name
//     toolbar NAME   run the toolbar button with that name
// A name that is not in the menus or on the toolbar, a disabled item, a
// button or item with nothing to run, and a raise that escapes the plug-in's
// procedure all fail the line.
#pragma once

namespace pdfhost::app {

void RegisterViewerCommands();

} // namespace pdfhost::app
