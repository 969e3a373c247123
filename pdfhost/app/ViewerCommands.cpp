#include "pdfhost/app/ViewerCommands.h"

#include "pdfhost/app/ScriptCommands.h"
#include "pdfhost/av/MenuItem.h"
#include "pdfhost/av/Menubar.h"
#include "pdfhost/av/ToolBar.h"
#include "pdfhost/av/ToolButton.h"
#include "pdfhost/av/Viewer.h"
#include "pdfhost/core/HostError.h"

namespace pdfhost::app {
namespace {

const std::string& OneName(const ScriptLine& line) {
    if (line.words.size() != 1)
        throw ScriptError(line.command + " needs exactly one name");
    return line.words[0];
}

void Check(ASErrorCode raised, const std::string& what) {
    if (raised)
        throw ScriptError(what + " failed: " + ErrorTexts::For(raised));
}

void RunMenuItem(const ScriptLine& line) {
    const std::string& name = OneName(line);
    const av::MenuItem* item = av::Viewer::Bar().FindItem(name);
    if (!item)
        throw ScriptError("there is no menu item named \"" + name + "\"");
    if (!item->IsEnabled())
        throw ScriptError("the menu item \"" + name + "\" is disabled");
    if (!item->HasExecuteProc())
        throw ScriptError("the menu item \"" + name + "\" has nothing to run");
    Check(item->Execute(), "the menu item \"" + name + "\"");
}

void RunToolButton(const ScriptLine& line) {
    const std::string& name = OneName(line);
    const av::ToolButton* button = av::Viewer::Tools().Find(name);
    if (!button)
        throw ScriptError("there is no toolbar button named \"" + name + "\"");
    if (!button->HasExecuteProc())
        throw ScriptError("the toolbar button \"" + name + "\" has nothing to run");
    Check(button->Execute(), "the toolbar button \"" + name + "\"");
}

} // namespace

void RegisterViewerCommands() {
    ScriptCommands::Register("menu", &RunMenuItem);
    ScriptCommands::Register("toolbar", &RunToolButton);
}

} // namespace pdfhost::app
