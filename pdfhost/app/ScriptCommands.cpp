#include "pdfhost/app/ScriptCommands.h"

#include <map>

namespace pdfhost::app {
namespace {

std::map<std::string, ScriptCommand>& commands() {
    static std::map<std::string, ScriptCommand> c;
    return c;
}

} // namespace

void ScriptCommands::Register(const std::string& name, ScriptCommand command) {
    commands()[name] = std::move(command);
}

const ScriptCommand* ScriptCommands::Find(const std::string& name) {
    auto it = commands().find(name);
    return it == commands().end() ? nullptr : &it->second;
}

} // namespace pdfhost::app
