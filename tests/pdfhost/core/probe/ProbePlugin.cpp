// A deliberately faulty plug-in for the host's own tests. Its init callback
// pushes an exception frame and returns without popping it; its menu items
// raise, refuse to be enabled, or again leave a frame behind.
#include "sdk/ASCallbacks.h"
#include "sdk/HostCalls.h"
#include "tests/support/TestPlugIn.h"

PITableRefs gPITables;

namespace {

ASExceptionFrame gLeakedFrames[4];
int gLeaked = 0;

void LeaveFrameBehind() {
    ASPushExceptionFrame(&gLeakedFrames[gLeaked++ % 4]);
}

void RaiseBadParameter(void*) {
    ASRaise(kErrBadParameter);
}
void Unbalanced(void*) {
    LeaveFrameBehind();
}
void Nothing(void*) {}
ASBool Never(void*) {
    return false;
}

void AddItem(AVMenu menu, const char* name, ASCallback execute, ASCallback enable) {
    AVMenuItem item =
        AVMenuItemNew(name, name, nullptr, false, NO_SHORTCUT, 0, nullptr, gPITables.extensionID);
    AVMenuItemSetExecuteProc(item, execute, nullptr);
    if (enable)
        AVMenuItemSetComputeEnabledProc(item, enable, nullptr);
    AVMenuAddMenuItem(menu, item, APPEND_MENUITEM);
}

ASBool Init() {
    AVMenu menu = AVMenubarAcquireMenuByName(AVAppGetMenubar(), "Extensions");
    AddItem(menu, "TEST:Raise", testsupport::Bind(sdk::GenericProc<&RaiseBadParameter>()), nullptr);
    AddItem(menu, "TEST:Unbalanced", testsupport::Bind(sdk::GenericProc<&Unbalanced>()), nullptr);
    AddItem(menu, "TEST:Disabled", testsupport::Bind(sdk::GenericProc<&Nothing>()),
            testsupport::Bind(sdk::GenericProc<&Never>()));
    AVMenuRelease(menu);
    LeaveFrameBehind();
    return true;
}

} // namespace

extern "C" __attribute__((visibility("default"))) ASBool
PlugInMain(ASUns32, ASUns32* handshakeVersion, PISetupProc* setupProc, void*) {
    return testsupport::TestPlugIn<&Init>::Main("TEST:Probe", handshakeVersion, setupProc);
}
