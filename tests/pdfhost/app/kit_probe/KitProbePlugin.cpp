// A plug-in for the kit's own tests: its menu item TEST:KitDialog shows the
// kit's test dialog, where every text change of the name field is counted
// into the hidden edit, so a script can read how many notifications its
// typing made.
#include <string>

#include "platform/Dialog.h"
#include "sdk/ASCallbacks.h"
#include "sdk/HostCalls.h"
#include "tests/platform/KitTemplate.h"
#include "tests/support/TestPlugIn.h"

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

ASBool Init() {
    AVMenu menu = AVMenubarAcquireMenuByName(AVAppGetMenubar(), "Extensions");
    AVMenuItem item = AVMenuItemNew("Kit dialog", "TEST:KitDialog", nullptr, false, NO_SHORTCUT, 0,
                                    nullptr, gPITables.extensionID);
    AVMenuItemSetExecuteProc(item, testsupport::Bind(sdk::GenericProc<&ShowKitDialog>()), nullptr);
    AVMenuAddMenuItem(menu, item, APPEND_MENUITEM);
    AVMenuRelease(menu);
    return true;
}

} // namespace

extern "C" __attribute__((visibility("default"))) ASBool
PlugInMain(ASUns32, ASUns32* handshakeVersion, PISetupProc* setupProc, void*) {
    return testsupport::TestPlugIn<&Init>::Main("TEST:KitProbe", handshakeVersion, setupProc);
}
