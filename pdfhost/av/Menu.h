// A menu of the host's menu bar: a name, a title and items in order.
//
// Contract: its handle (HandleKind::Menu) is live for its lifetime. Add()
// inserts an item at a position counted from 0; a position at or past the end
// (APPEND_MENUITEM is 9999) appends. A negative position, or an item already
// in a menu, raises kErrBadParameter. The menu does not own its items (the
// menu bar does).
#pragma once

#include <string>
#include <vector>

#include "pdfhost/core/RegisteredHandle.h"
#include "sdk/PIRecords.h"

namespace pdfhost::av {

class MenuItem;

class Menu {
  public:
    Menu(std::string name, std::string title);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    AVMenu Handle() const { return handle_.As<AVMenu>(); }
    static Menu* FromHandle(AVMenu handle);

    const std::string& Name() const { return name_; }
    const std::string& Title() const { return title_; }
    const std::vector<MenuItem*>& Items() const { return items_; }

    void Add(MenuItem* item, ASInt32 position);

  private:
    std::string name_;
    std::string title_;
    std::vector<MenuItem*> items_;
    RegisteredHandle handle_{this, HandleKind::Menu};
};

} // namespace pdfhost::av
