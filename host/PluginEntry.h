// The plug-in's front door: PlugInMain, setup and handshake, and the
// lifecycle procedures the handshake hands to the host.
//
// Contract: PlugInMain accepts the host's handshake version when it is below
// 2.0, else 2.0, and gives back PluginSetup. PluginSetup and PluginHandshake
// refuse (return false, store nothing) any version but 2.0, a missing record
// and, in setup, a record whose own version is not 2.0 or that has no core
// table. PluginSetup returns false as soon as a required table cannot be
// imported; a raise from the host during setup also ends it with false,
// since setup is plain C and must not raise.
#pragma once

#include "sdk/PIRecords.h"

extern "C" __attribute__((visibility("default"))) ASBool PlugInMain(ASUns32 appHandshakeVersion,
                                                                    ASUns32* handshakeVersion,
                                                                    PISetupProc* setupProc,
                                                                    void* windowData);

ASBool PluginSetup(ASUns32 handshakeVersion, void* setupData);
ASBool PluginHandshake(ASUns32 handshakeVersion, void* handshakeData);
