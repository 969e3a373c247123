// The host's toolbar: its own buttons ("open", "save", "print",
// "endToolsGroup", "zoomIn", "zoomOut") and those plug-ins add.
//
// Contract: owns every button made by NewButton, placed or not; all are
// registered handles for the toolbar's lifetime. Add() places a button
// before or after a placed button (a null other means the end or the start);
// placing a button again moves it. An other button that is not on the
// toolbar raises kErrBadParameter. Find() searches placed buttons only and is
// null for an unknown name.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pdfhost/av/ToolbarIcon.h"
#include "pdfhost/core/RegisteredHandle.h"
#include "sdk/PIRecords.h"

namespace pdfhost::av {

class ToolButton;

class ToolBar {
  public:
    ToolBar();
    ~ToolBar();
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;

    AVToolBar Handle() const { return handle_.As<AVToolBar>(); }
    static ToolBar* FromHandle(AVToolBar handle);

    ToolButton* NewButton(std::string name, std::optional<ToolbarIcon> icon);
    void Add(ToolButton* button, bool before, ToolButton* other);
    ToolButton* Find(const std::string& name) const;
    const std::vector<ToolButton*>& Buttons() const { return placed_; }

  private:
    RegisteredHandle handle_{this, HandleKind::ToolBar};
    std::vector<std::unique_ptr<ToolButton>> owned_;
    std::vector<ToolButton*> placed_;
};

} // namespace pdfhost::av
