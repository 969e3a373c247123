#include "host/UserInterface.h"

#include "resources/Resources.h"
#include "sdk/ASCallbacks.h"
#include "sdk/HostCalls.h"
#include "stamp/StampCommand.h"
#include "ui/AboutDialog.h"

namespace {

constexpr const char* kMenuItemName = "ADBE:PDFTalvane";
constexpr const char* kAboutItemName = "ADBE:AboutPDFTalvane";

void ExecuteStamp(void*) {
    StampCommand();
}

// Enabled also without a document: the command itself says one is missing.
ASBool AlwaysEnabled(void*) {
    return true;
}

// The dialog lives for this call only; its result means nothing here.
void ExecuteAbout(void*) {
    AboutDialog about;
    about.Run();
}

ASCallback Bind(ASGenericProc proc) {
    return ASCallbackCreate(gPITables.extensionID, proc);
}

AVMenuItem NewItem(const char* title, const char* name) {
    return AVMenuItemNew(title, name, nullptr, false, NO_SHORTCUT, 0, nullptr,
                         gPITables.extensionID);
}

void AddStampItem(AVMenubar menubar) {
    AVMenu menu = AVMenubarAcquireMenuByName(menubar, "Extensions");
    if (!menu)
        return;
    AVMenuItem item = NewItem("&Talvane", kMenuItemName);
    AVMenuItemSetExecuteProc(item, Bind(sdk::GenericProc<&ExecuteStamp>()), nullptr);
    AVMenuItemSetComputeEnabledProc(item, Bind(sdk::GenericProc<&AlwaysEnabled>()), nullptr);
    AVMenuAddMenuItem(menu, item, APPEND_MENUITEM);
    AVMenuRelease(menu);
}

void AddToolButton(AVToolBar toolbar) {
    AVToolButton endTools = AVToolBarGetButtonByName(toolbar, ASAtomFromString("endToolsGroup"));
    const auto bitmap = resources::Bitmap(resources::kToolbarBitmap);
    AVIconData icon{sizeof(AVIconData), bitmap.data(), static_cast<ASUns32>(bitmap.size())};
    AVToolButton button = AVToolButtonNew(ASAtomFromString(kMenuItemName),
                                          reinterpret_cast<AVIcon>(&icon), false, false);
    AVToolBarAddButton(toolbar, button, true, endTools);
    AVToolButtonSetExecuteProc(button, Bind(sdk::GenericProc<&ExecuteStamp>()), nullptr);
    AVToolButtonSetHelpText(button, "PDF Talvane");
}

void AddAboutItem(AVMenubar menubar) {
    AVMenu menu = AVMenubarAcquireMenuByName(menubar, "AboutExtensions");
    if (!menu)
        return;
    AVMenuItem item = NewItem("About PDF Talvane...", kAboutItemName);
    AVMenuItemSetExecuteProc(item, Bind(sdk::GenericProc<&ExecuteAbout>()), nullptr);
    AVMenuAddMenuItem(menu, item, APPEND_MENUITEM);
    AVMenuRelease(menu);
}

} // namespace

ASBool PluginInit() {
    AVMenubar menubar = AVAppGetMenubar();
    AddStampItem(menubar);
    AVToolBar toolbar = AVAppGetToolBar();
    DURING
    AddToolButton(toolbar);
    HANDLER
    return false;
    END_HANDLER
    AddAboutItem(menubar);
    return true;
}
