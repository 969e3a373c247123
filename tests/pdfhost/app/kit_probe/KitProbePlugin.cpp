// A plug-in for the kit's own tests: its menu item TEST:KitDialog shows the
// kit's test dialog, where every text change of the name field is counted
// into the hidden edit, so a script can read how many notifications its
// typing made.
#include <string>

#include "platform/Dialog.h"
#include "sdk/ASCallbacks.h"
#include "sdk/HostCalls.h"
#include "tests/platform/KitTemplate.h"

PITableRefs gPITables;

namespace {

void ShowKitDialog(void*) {
    static const platform::DialogTemplate kit = kit_test::KitTemplate();
    platform::Dialog dialog(kit);
    int changes = 0;
    dialog.OnTextChanged(kit_test::kName, [&] {
        ++changes;
        dialog.SetText(kit_test::kHiddenEdit, std::to_string(changes));
    });
    dialog.Run();
}

ASCallback Bind(ASGenericProc proc) {
    return ASCallbackCreate(gPITables.extensionID, proc);
}

ASBool Init() {
    AVMenu menu = AVMenubarAcquireMenuByName(AVAppGetMenubar(), "Extensions");
    AVMenuItem item = AVMenuItemNew("Kit dialog", "TEST:KitDialog", nullptr, false, NO_SHORTCUT, 0,
                                    nullptr, gPITables.extensionID);
    AVMenuItemSetExecuteProc(item, Bind(sdk::GenericProc<&ShowKitDialog>()), nullptr);
    AVMenuAddMenuItem(menu, item, APPEND_MENUITEM);
    AVMenuRelease(menu);
    return true;
}

ASBool Yes() {
    return true;
}

ASBool Handshake(ASUns32, void* data) {
    auto* record = static_cast<PIHandshakeData*>(data);
    record->extensionName = ASAtomFromString("TEST:KitProbe");
    record->initCallback = Bind(sdk::GenericProc<&Init>());
    record->unloadCallback = Bind(sdk::GenericProc<&Yes>());
    return true;
}

ASBool Setup(ASUns32, void* data) {
    auto* record = static_cast<PISetupData*>(data);
    gPITables.extensionID = record->thisExtension;
    gPITables.core = record->coreHFT;
    try {
        gPITables.acroView = static_cast<const AcroViewHFT*>(
            ASExtensionMgrGetHFT(ASAtomFromString("AcroView"), HFT_VERSION_5_0));
        record->handshakeCallback = Bind(sdk::GenericProc<&Handshake>());
    } catch (...) {
        return false;
    }
    return gPITables.acroView != nullptr;
}

} // namespace

extern "C" __attribute__((visibility("default"))) ASBool
PlugInMain(ASUns32, ASUns32* handshakeVersion, PISetupProc* setupProc, void*) {
    *handshakeVersion = HANDSHAKE_VERSION_V0200;
    *setupProc = &Setup;
    return true;
}
