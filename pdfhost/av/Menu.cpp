#include "pdfhost/av/Menu.h"

#include "pdfhost/av/MenuItem.h"
#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostError.h"

namespace pdfhost::av {

Menu::Menu(std::string name, std::string title)
    : name_(std::move(name)), title_(std::move(title)) {}

Menu::~Menu() = default;

Menu* Menu::FromHandle(AVMenu handle) {
    return HandleRegistry::Check<Menu>(handle, HandleKind::Menu);
}

void Menu::Add(MenuItem* item, ASInt32 position) {
    if (position < 0)
        Raise(kErrBadParameter, "Menu position " + std::to_string(position) + " is negative.");
    if (item->Parent())
        Raise(kErrBadParameter, "The menu item " + item->Name() + " is already in the menu " +
                                    item->Parent()->Name() + ".");
    const auto at = std::min(static_cast<std::size_t>(position), items_.size());
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), item);
    item->SetParent(this);
}

} // namespace pdfhost::av
