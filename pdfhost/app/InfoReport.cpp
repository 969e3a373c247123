#include "pdfhost/app/InfoReport.h"

#include "pdfhost/av/Menu.h"
#include "pdfhost/av/MenuItem.h"
#include "pdfhost/av/Menubar.h"
#include "pdfhost/av/ToolBar.h"
#include "pdfhost/av/ToolButton.h"
#include "pdfhost/av/Viewer.h"
#include "pdfhost/core/TableRegistry.h"
#include "platform/Messages.h"

namespace pdfhost::app {
namespace {

std::string Quoted(const std::string& text) {
    return "\"" + platform::Messages::Escape(text) + "\"";
}

void WritePlugin(std::ostream& out, const Extension& e) {
    out << "plug-in " << Quoted(e.file) << " name " << Quoted(e.name) << " version "
        << TableRegistry::FormatVersion(e.acceptedHandshakeVersion) << " entry "
        << StepResultName(e.entry) << " setup " << StepResultName(e.setup) << " handshake "
        << StepResultName(e.handshake) << " export " << StepResultName(e.exportTables) << " import "
        << StepResultName(e.importReplaceAndRegister) << " init " << StepResultName(e.init) << '\n';
    for (const auto& table : e.tables)
        out << "  table " << Quoted(table.name) << ' '
            << TableRegistry::FormatVersion(table.version) << '\n';
}

} // namespace

void InfoReport::Write(std::ostream& out, const PluginLoader& loader) {
    for (const Extension* e : loader.Plugins())
        WritePlugin(out, *e);
    for (const av::Menu* menu : av::Viewer::Bar().Menus()) {
        out << "menu " << Quoted(menu->Name()) << " title " << Quoted(menu->Title()) << '\n';
        for (const av::MenuItem* item : menu->Items())
            out << "  item " << Quoted(item->Name()) << " title " << Quoted(item->Title())
                << " help " << Quoted(item->HelpText()) << ' '
                << (item->IsEnabled() ? "enabled" : "disabled") << '\n';
    }
    out << "toolbar\n";
    for (const av::ToolButton* button : av::Viewer::Tools().Buttons()) {
        out << "  button " << Quoted(button->Name()) << " help " << Quoted(button->HelpText())
            << " enabled";
        if (button->Icon())
            out << " icon " << button->Icon()->Describe();
        out << '\n';
    }
    out.flush();
}

} // namespace pdfhost::app
