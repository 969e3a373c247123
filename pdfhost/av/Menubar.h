// The host's menu bar: its own menus ("File", "Edit", "View", "Extensions",
// "Help", "AboutExtensions"), plus every menu item made through the tables.
//
// Contract: owns its menus and every item created by NewItem (whether or not
// it was added to a menu); all are registered handles for the menu bar's
// lifetime. AcquireMenu() of a name the bar lacks is null, not an error.
// RemoveMenu() exists so tests can play a host without a given menu.
// FindItem() searches the items that are in a menu, menu by menu.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "pdfhost/core/RegisteredHandle.h"
#include "sdk/PIRecords.h"

namespace pdfhost::av {

class Menu;
class MenuItem;

class Menubar {
  public:
    Menubar();
    ~Menubar();
    Menubar(const Menubar&) = delete;
    Menubar& operator=(const Menubar&) = delete;

    AVMenubar Handle() const { return handle_.As<AVMenubar>(); }
    static Menubar* FromHandle(AVMenubar handle);

    static const std::vector<std::string>& HostMenuNames();

    Menu* AcquireMenu(const std::string& name) const;
    bool RemoveMenu(const std::string& name);
    MenuItem* NewItem(std::string title, std::string name, std::string owner);
    MenuItem* FindItem(const std::string& name) const;
    std::vector<const Menu*> Menus() const;

  private:
    RegisteredHandle handle_{this, HandleKind::Menubar};
    std::vector<std::unique_ptr<Menu>> menus_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

} // namespace pdfhost::av
