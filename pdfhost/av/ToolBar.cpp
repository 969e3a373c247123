#include "pdfhost/av/ToolBar.h"

#include <algorithm>

#include "pdfhost/av/ToolButton.h"
#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostError.h"

namespace pdfhost::av {

ToolBar::ToolBar() {
    const std::pair<const char*, const char*> hostButtons[] = {
        {"open", "Open"},      {"save", "Save"},      {"print", "Print"},
        {"endToolsGroup", ""}, {"zoomIn", "Zoom In"}, {"zoomOut", "Zoom Out"},
    };
    for (const auto& [name, help] : hostButtons) {
        ToolButton* button = NewButton(name, std::nullopt);
        button->SetHelpText(help);
        Add(button, true, nullptr);
    }
}

ToolBar::~ToolBar() {
    placed_.clear();
    owned_.clear();
}

ToolBar* ToolBar::FromHandle(AVToolBar handle) {
    return HandleRegistry::Check<ToolBar>(handle, HandleKind::ToolBar);
}

ToolButton* ToolBar::NewButton(std::string name, std::optional<ToolbarIcon> icon) {
    owned_.push_back(std::make_unique<ToolButton>(std::move(name), std::move(icon)));
    return owned_.back().get();
}

void ToolBar::Add(ToolButton* button, bool before, ToolButton* other) {
    if (other == button)
        Raise(kErrBadParameter, "A toolbar button cannot be placed next to itself.");
    if (other && !other->placed)
        Raise(kErrBadParameter, "The toolbar button " + other->Name() + " is not on the toolbar.");
    if (button->placed)
        placed_.erase(std::find(placed_.begin(), placed_.end(), button));
    auto at = other ? std::find(placed_.begin(), placed_.end(), other) + (before ? 0 : 1)
                    : (before ? placed_.end() : placed_.begin());
    // A null other: "before nothing" is the end, "after nothing" the start.
    placed_.insert(at, button);
    button->placed = true;
}

ToolButton* ToolBar::Find(const std::string& name) const {
    for (auto* button : placed_) {
        if (button->Name() == name)
            return button;
    }
    return nullptr;
}

} // namespace pdfhost::av
