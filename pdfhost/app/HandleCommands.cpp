#include "pdfhost/app/HandleCommands.h"

#include <iostream>

#include "pdfhost/app/ScriptCommands.h"
#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::app {
namespace {

void PrintHandles(const ScriptLine& line) {
    if (!line.words.empty())
        throw ScriptError("handles takes no arguments");
    std::cout << "HANDLES path=" << HandleRegistry::Live(HandleKind::PathName)
              << " file=" << HandleRegistry::Live(HandleKind::File)
              << " stream=" << HandleRegistry::Live(HandleKind::Stream)
              << " page=" << HandleRegistry::Live(HandleKind::PDPage)
              << " pde-object=" << HandleRegistry::Live(HandleKind::PDEObject)
              << " sys-font=" << HandleRegistry::Live(HandleKind::PDSysFont) << std::endl;
}

} // namespace

void RegisterHandleCommands() {
    ScriptCommands::Register("handles", &PrintHandles);
}

} // namespace pdfhost::app
