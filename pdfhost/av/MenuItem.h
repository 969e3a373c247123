// A menu item of the host's menu bar.
//
// Contract: made by Menubar (which owns it); its handle
// (HandleKind::MenuItem) is live for its lifetime. Execute and enable
// procedures are callbacks checked when set and again when called.
// IsEnabled() is the enable procedure's answer, or true without one; a raise
// from it counts as disabled. Execute() raises kErrBadParameter when there
// is nothing to run and otherwise returns the code the procedure raised (0
// when it returned normally).
//
// The host's own items (a front end's Open or Quit) carry host procedures
// instead: SetHostProcs() gives the item a function to run and, optionally,
// one that says whether it is enabled; Execute() and IsEnabled() use them
// when set. The model only stores them; it does not know who set them.
#pragma once

#include <functional>
#include <string>

#include "pdfhost/core/RegisteredHandle.h"
#include "sdk/PIRecords.h"

namespace pdfhost::av {

class Menu;

class MenuItem {
  public:
    MenuItem(std::string title, std::string name, std::string owner);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    AVMenuItem Handle() const { return handle_.As<AVMenuItem>(); }
    static MenuItem* FromHandle(AVMenuItem handle);

    const std::string& Title() const { return title_; }
    const std::string& Name() const { return name_; }
    const std::string& Owner() const { return owner_; }
    const std::string& HelpText() const { return helpText_; }
    void SetHelpText(std::string text) { helpText_ = std::move(text); }

    void SetExecuteProc(ASCallback proc, void* data);
    void SetComputeEnabledProc(ASCallback proc, void* data);
    bool HasExecuteProc() const { return execute_ != nullptr || hostRun_ != nullptr; }
    void SetHostProcs(std::function<void()> run, std::function<bool()> enabled = {});
    // A key sequence in Qt's portable text form ("Ctrl+O"), or empty.
    const std::string& Shortcut() const { return shortcut_; }
    void SetShortcut(std::string keys) { shortcut_ = std::move(keys); }

    bool IsEnabled() const;
    ASErrorCode Execute() const;

    Menu* Parent() const { return parent_; }
    void SetParent(Menu* menu) { parent_ = menu; }

  private:
    std::string title_;
    std::string name_;
    std::string owner_;
    std::string helpText_;
    ASCallback execute_ = nullptr;
    void* executeData_ = nullptr;
    ASCallback enabled_ = nullptr;
    void* enabledData_ = nullptr;
    Menu* parent_ = nullptr;
    std::function<void()> hostRun_;
    std::function<bool()> hostEnabled_;
    std::string shortcut_;
    RegisteredHandle handle_{this, HandleKind::MenuItem};
};

} // namespace pdfhost::av
