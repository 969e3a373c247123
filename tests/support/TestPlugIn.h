// The entry of a plug-in written for the host's own tests: the setup and
// handshake that only name the plug-in and hand its init to the host.
//
// Contract: the plug-in defines `PITableRefs gPITables;` and its init
// (true: stay loaded), and exports
//     extern "C" __attribute__((visibility("default"))) ASBool
//     PlugInMain(ASUns32, ASUns32* version, PISetupProc* setup, void*) {
//         return testsupport::TestPlugIn<&Init>::Main("TEST:Name", version, setup);
//     }
// Setup fails, and the host drops the plug-in, when the AcroView table is
// not offered. Header only: each plug-in module has its own copy.
#pragma once

#include "sdk/ASCallbacks.h"
#include "sdk/HostCalls.h"

namespace testsupport {

// A callback of this plug-in for the host.
inline ASCallback Bind(ASGenericProc proc) {
    return ASCallbackCreate(gPITables.extensionID, proc);
}

template <ASBool (*Init)()> class TestPlugIn {
  public:
    static ASBool Main(const char* name, ASUns32* handshakeVersion, PISetupProc* setupProc) {
        name_ = name;
        *handshakeVersion = HANDSHAKE_VERSION_V0200;
        *setupProc = &Setup;
        return true;
    }

  private:
    static ASBool Yes() { return true; }

    static ASBool Handshake(ASUns32, void* data) {
        auto* record = static_cast<PIHandshakeData*>(data);
        record->extensionName = ASAtomFromString(name_);
        record->initCallback = Bind(sdk::GenericProc<Init>());
        record->unloadCallback = Bind(sdk::GenericProc<&Yes>());
        return true;
    }

    static ASBool Setup(ASUns32, void* data) {
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

    static inline const char* name_ = "";
};

} // namespace testsupport
