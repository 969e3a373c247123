// A deliberately faulty plug-in for the host's own tests. Its init callback
// pushes an exception frame and returns without popping it; its menu items
// raise, refuse to be enabled, or again leave a frame behind.
#include "sdk/ASCallbacks.h"
#include "sdk/HostCalls.h"

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

ASCallback Bind(ASGenericProc proc) {
    return ASCallbackCreate(gPITables.extensionID, proc);
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
    AddItem(menu, "TEST:Raise", Bind(sdk::GenericProc<&RaiseBadParameter>()), nullptr);
    AddItem(menu, "TEST:Unbalanced", Bind(sdk::GenericProc<&Unbalanced>()), nullptr);
    AddItem(menu, "TEST:Disabled", Bind(sdk::GenericProc<&Nothing>()),
            Bind(sdk::GenericProc<&Never>()));
    AVMenuRelease(menu);
    LeaveFrameBehind();
    return true;
}

ASBool Yes() {
    return true;
}

ASBool Handshake(ASUns32, void* data) {
    auto* record = static_cast<PIHandshakeData*>(data);
    record->extensionName = ASAtomFromString("TEST:Probe");
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
