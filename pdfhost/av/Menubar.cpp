#include "pdfhost/av/Menubar.h"

#include <utility>

#include "pdfhost/av/Menu.h"
#include "pdfhost/av/MenuItem.h"
#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::av {
namespace {

const std::vector<std::pair<std::string, std::string>>& HostMenus() {
    static const std::vector<std::pair<std::string, std::string>> menus = {
        {"File", "&File"}, {"Edit", "&Edit"},
        {"View", "&View"}, {"Extensions", "E&xtensions"},
        {"Help", "&Help"}, {"AboutExtensions", "About E&xtensions"},
    };
    return menus;
}

} // namespace

Menubar::Menubar() {
    for (const auto& [name, title] : HostMenus())
        menus_.push_back(std::make_unique<Menu>(name, title));
}

Menubar::~Menubar() {
    // Items first: they point at their menus.
    items_.clear();
    menus_.clear();
}

Menubar* Menubar::FromHandle(AVMenubar handle) {
    return HandleRegistry::Check<Menubar>(handle, HandleKind::Menubar);
}

const std::vector<std::string>& Menubar::HostMenuNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const auto& menu : HostMenus())
            n.push_back(menu.first);
        return n;
    }();
    return names;
}

Menu* Menubar::AcquireMenu(const std::string& name) const {
    for (const auto& menu : menus_) {
        if (menu->Name() == name)
            return menu.get();
    }
    return nullptr;
}

bool Menubar::RemoveMenu(const std::string& name) {
    for (auto it = menus_.begin(); it != menus_.end(); ++it) {
        if ((*it)->Name() == name) {
            for (auto* item : (*it)->Items())
                item->SetParent(nullptr);
            menus_.erase(it);
            return true;
        }
    }
    return false;
}

MenuItem* Menubar::NewItem(std::string title, std::string name, std::string owner) {
    items_.push_back(
        std::make_unique<MenuItem>(std::move(title), std::move(name), std::move(owner)));
    return items_.back().get();
}

MenuItem* Menubar::FindItem(const std::string& name) const {
    for (const auto& menu : menus_) {
        for (auto* item : menu->Items()) {
            if (item->Name() == name)
                return item;
        }
    }
    return nullptr;
}

std::vector<const Menu*> Menubar::Menus() const {
    std::vector<const Menu*> out;
    for (const auto& menu : menus_)
        out.push_back(menu.get());
    return out;
}

} // namespace pdfhost::av
