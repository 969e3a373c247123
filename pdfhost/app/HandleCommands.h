// The script command that shows which host objects are still alive:
//     handles
// prints one line on standard output,
//     HANDLES path=N file=N stream=N page=N pde-object=N sys-font=N
// counting the objects callers acquired or created through the tables and
// have not released. Tests use it to prove that a plug-in released
// everything it took.
#pragma once

namespace pdfhost::app {

void RegisterHandleCommands();

} // namespace pdfhost::app
