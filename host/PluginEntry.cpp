#include "host/PluginEntry.h"

#include "host/HostBinding.h"
#include "host/UserInterface.h"
#include "sdk/ASCallbacks.h"

namespace {

constexpr const char* kExtensionName = "ADBE:PDFTalvane";

// Nothing to export, replace or release: the plug-in offers no table of its
// own, and the host keeps the menu items and the button.
ASBool ExportTables() {
    return true;
}
ASBool ImportReplaceAndRegister() {
    return true;
}
ASBool Unload() {
    return true;
}

ASCallback Bind(ASGenericProc proc) {
    return ASCallbackCreate(gPITables.extensionID, proc);
}

} // namespace

extern "C" ASBool PlugInMain(ASUns32 appHandshakeVersion, ASUns32* handshakeVersion,
                             PISetupProc* setupProc, void* windowData) {
    if (windowData) {
        const auto* words = static_cast<const PIWindowData*>(windowData);
        TheHostBinding().mainWindow = words->mainWindow;
        TheHostBinding().moduleInstance = words->moduleInstance;
    }
    if (handshakeVersion)
        *handshakeVersion = appHandshakeVersion < HANDSHAKE_VERSION_V0200 ? appHandshakeVersion
                                                                          : HANDSHAKE_VERSION_V0200;
    if (setupProc)
        *setupProc = &PluginSetup;
    return true;
}

ASBool PluginSetup(ASUns32 handshakeVersion, void* setupData) {
    auto* record = static_cast<PISetupData*>(setupData);
    if (handshakeVersion != HANDSHAKE_VERSION_V0200 || !record ||
        record->handshakeVersion != HANDSHAKE_VERSION_V0200 || !record->coreHFT)
        return false;
    gPITables.extensionID = record->thisExtension;
    gPITables.core = record->coreHFT;
    gPITables.coreVersion = CORE_HFT_VERSION_2;
    try {
        if (!ImportHostTables())
            return false;
        record->handshakeCallback = Bind(sdk::GenericProc<&PluginHandshake>());
    } catch (...) {
        return false;
    }
    return true;
}

ASBool PluginHandshake(ASUns32 handshakeVersion, void* handshakeData) {
    auto* record = static_cast<PIHandshakeData*>(handshakeData);
    if (handshakeVersion != HANDSHAKE_VERSION_V0200 || !record)
        return false;
    record->extensionName = ASAtomFromString(kExtensionName);
    record->exportHFTsCallback = Bind(sdk::GenericProc<&ExportTables>());
    record->importReplaceAndRegisterCallback = Bind(sdk::GenericProc<&ImportReplaceAndRegister>());
    record->initCallback = Bind(sdk::GenericProc<&PluginInit>());
    record->unloadCallback = Bind(sdk::GenericProc<&Unload>());
    return true;
}
