// A toolbar button: a name, an optional icon, an execute procedure and a help
// text.
//
// Contract: made by ToolBar (which owns it); its handle
// (HandleKind::ToolButton) is live for its lifetime. Buttons have no
// enable procedure in this interface, so they are always enabled. Execute()
// raises kErrBadParameter when there is nothing to run and otherwise returns
// the code the procedure raised (0 when it returned normally). The host's
// own buttons carry host procedures set by a front end (SetHostProcs): a
// function to run and one that says whether the button is enabled.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "pdfhost/av/ToolbarIcon.h"
#include "pdfhost/core/RegisteredHandle.h"
#include "sdk/PIRecords.h"

namespace pdfhost::av {

class ToolButton {
  public:
    ToolButton(std::string name, std::optional<ToolbarIcon> icon);
    ~ToolButton();
    ToolButton(const ToolButton&) = delete;
    ToolButton& operator=(const ToolButton&) = delete;

    AVToolButton Handle() const { return handle_.As<AVToolButton>(); }
    static ToolButton* FromHandle(AVToolButton handle);

    const std::string& Name() const { return name_; }
    const std::optional<ToolbarIcon>& Icon() const { return icon_; }
    const std::string& HelpText() const { return helpText_; }
    void SetHelpText(std::string text) { helpText_ = std::move(text); }

    void SetExecuteProc(ASCallback proc, void* data);
    bool HasExecuteProc() const { return execute_ != nullptr || hostRun_ != nullptr; }
    void SetHostProcs(std::function<void()> run, std::function<bool()> enabled = {});
    bool IsEnabled() const { return hostEnabled_ ? hostEnabled_() : HasExecuteProc(); }
    ASErrorCode Execute() const;

    bool placed = false;

  private:
    std::string name_;
    std::optional<ToolbarIcon> icon_;
    std::string helpText_;
    ASCallback execute_ = nullptr;
    void* executeData_ = nullptr;
    std::function<void()> hostRun_;
    std::function<bool()> hostEnabled_;
    RegisteredHandle handle_{this, HandleKind::ToolButton};
};

} // namespace pdfhost::av
