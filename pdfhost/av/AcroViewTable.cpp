#include "pdfhost/av/AcroViewTable.h"

#include <algorithm>

#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/av/Menu.h"
#include "pdfhost/av/MenuItem.h"
#include "pdfhost/av/Menubar.h"
#include "pdfhost/av/ToolBar.h"
#include "pdfhost/av/ToolButton.h"
#include "pdfhost/av/Viewer.h"
#include "pdfhost/core/Atoms.h"
#include "pdfhost/core/Extension.h"
#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostEntry.h"
#include "platform/Messages.h"

namespace pdfhost::av {
namespace {

const char* Required(const char* text, const char* what) {
    if (!text)
        Raise(kErrBadParameter, std::string(what) + " was given a null text.");
    return text;
}

// ---- documents and alerts ----

AVDoc GetActiveDoc() {
    return ActiveDocument::View();
}

PDDoc GetPDDoc(AVDoc doc) {
    HandleRegistry::Require(doc, HandleKind::AVDoc);
    return ActiveDocument::Doc();
}

ASInt32 Alert(ASInt32 iconType, const char* message, const char* button1, const char* button2,
              const char* button3, ASBool) {
    platform::Message m{iconType == ALERT_NOTE ? platform::MessageKind::NoteAlert
                                               : platform::MessageKind::CautionAlert,
                        kAlertCaption,
                        Required(message, "AVAlert"),
                        {}};
    m.buttons.push_back(button1 ? button1 : "OK");
    if (button2) {
        m.buttons.push_back(button2);
        if (button3)
            m.buttons.push_back(button3);
    }
    const int chosen = platform::Messages::Show(m);
    return std::clamp(chosen, 1, static_cast<int>(m.buttons.size()));
}

void AlertNote(const char* message) {
    platform::Messages::Show(platform::Message{
        platform::MessageKind::NoteAlert, kAlertCaption, Required(message, "AVAlertNote"), {}});
}

// ---- menus ----

AVMenubar GetMenubar() {
    return Viewer::Bar().Handle();
}

AVMenu AcquireMenuByName(AVMenubar bar, const char* name) {
    Menu* menu =
        Menubar::FromHandle(bar)->AcquireMenu(Required(name, "AVMenubarAcquireMenuByName"));
    return menu ? menu->Handle() : nullptr;
}

void MenuRelease(AVMenu menu) {
    Menu::FromHandle(menu);
}

AVMenuItem MenuItemNew(const char* title, const char* name, AVMenu submenu, ASBool, char, ASUns32,
                       AVIcon, ASExtension owner) {
    Required(title, "AVMenuItemNew");
    if (submenu)
        Menu::FromHandle(submenu);
    const std::string ownerName = owner ? Extension::FromHandle(owner)->Label() : std::string();
    return Viewer::Bar().NewItem(title, name ? name : "", ownerName)->Handle();
}

void MenuItemSetExecuteProc(AVMenuItem item, ASCallback proc, void* data) {
    MenuItem::FromHandle(item)->SetExecuteProc(proc, data);
}

void MenuItemSetComputeEnabledProc(AVMenuItem item, ASCallback proc, void* data) {
    MenuItem::FromHandle(item)->SetComputeEnabledProc(proc, data);
}

void MenuAddMenuItem(AVMenu menu, AVMenuItem item, ASInt32 position) {
    Menu::FromHandle(menu)->Add(MenuItem::FromHandle(item), position);
}

// The host keeps every item for its whole life; releasing only proves the
// handle was valid.
void MenuItemRelease(AVMenuItem item) {
    MenuItem::FromHandle(item);
}

// ---- toolbar ----

AVToolBar GetToolBar() {
    return Viewer::Tools().Handle();
}

AVToolButton GetButtonByName(AVToolBar bar, ASAtom name) {
    ToolButton* button = ToolBar::FromHandle(bar)->Find(Atoms::Name(name));
    return button ? button->Handle() : nullptr;
}

AVToolButton ToolButtonNew(ASAtom name, AVIcon icon, ASBool, ASBool) {
    const std::string& buttonName = Atoms::Name(name);
    std::optional<ToolbarIcon> copy;
    if (icon) {
        const auto* data = reinterpret_cast<const AVIconData*>(icon);
        if (data->size != sizeof(AVIconData))
            Raise(kErrBadRecordSize, "AVToolButtonNew was given an icon record of size " +
                                         std::to_string(data->size) + ".");
        copy = ToolbarIcon::FromBmp(data->bmpBytes, data->bmpLength);
    }
    return Viewer::Tools().NewButton(buttonName, std::move(copy))->Handle();
}

void ToolBarAddButton(AVToolBar bar, AVToolButton button, ASBool before, AVToolButton other) {
    ToolBar* toolbar = ToolBar::FromHandle(bar);
    ToolButton* b = ToolButton::FromHandle(button);
    ToolButton* o = other ? ToolButton::FromHandle(other) : nullptr;
    toolbar->Add(b, before != 0, o);
}

void ToolButtonSetExecuteProc(AVToolButton button, ASCallback proc, void* data) {
    ToolButton::FromHandle(button)->SetExecuteProc(proc, data);
}

void ToolButtonSetHelpText(AVToolButton button, const char* text) {
    ToolButton::FromHandle(button)->SetHelpText(text ? text : "");
}

} // namespace

void AcroViewTable::Install(HostTableSet& set) {
    AcroViewHFT& t = set.acroView;
    t.size = sizeof(t);
    t.AVAppGetActiveDoc = HOST_ENTRY(AVAppGetActiveDoc, GetActiveDoc);
    t.AVDocGetPDDoc = HOST_ENTRY(AVDocGetPDDoc, GetPDDoc);
    t.AVAlert = HOST_ENTRY(AVAlert, Alert);
    t.AVAlertNote = HOST_ENTRY(AVAlertNote, AlertNote);
    t.AVAppGetMenubar = HOST_ENTRY(AVAppGetMenubar, GetMenubar);
    t.AVMenubarAcquireMenuByName = HOST_ENTRY(AVMenubarAcquireMenuByName, AcquireMenuByName);
    t.AVMenuRelease = HOST_ENTRY(AVMenuRelease, MenuRelease);
    t.AVMenuItemNew = HOST_ENTRY(AVMenuItemNew, MenuItemNew);
    t.AVMenuItemSetExecuteProc = HOST_ENTRY(AVMenuItemSetExecuteProc, MenuItemSetExecuteProc);
    t.AVMenuItemSetComputeEnabledProc =
        HOST_ENTRY(AVMenuItemSetComputeEnabledProc, MenuItemSetComputeEnabledProc);
    t.AVMenuAddMenuItem = HOST_ENTRY(AVMenuAddMenuItem, MenuAddMenuItem);
    t.AVMenuItemRelease = HOST_ENTRY(AVMenuItemRelease, MenuItemRelease);
    t.AVAppGetToolBar = HOST_ENTRY(AVAppGetToolBar, GetToolBar);
    t.AVToolBarGetButtonByName = HOST_ENTRY(AVToolBarGetButtonByName, GetButtonByName);
    t.AVToolButtonNew = HOST_ENTRY(AVToolButtonNew, ToolButtonNew);
    t.AVToolBarAddButton = HOST_ENTRY(AVToolBarAddButton, ToolBarAddButton);
    t.AVToolButtonSetExecuteProc = HOST_ENTRY(AVToolButtonSetExecuteProc, ToolButtonSetExecuteProc);
    t.AVToolButtonSetHelpText = HOST_ENTRY(AVToolButtonSetHelpText, ToolButtonSetHelpText);
}

} // namespace pdfhost::av
