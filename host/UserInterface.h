// What the plug-in adds to the host's user interface at init: the "&Talvane"
// item under "Extensions", the toolbar button before "endToolsGroup", and
// "About PDF Talvane..." under "AboutExtensions".
//
// Contract: a menu the host lacks is skipped silently. The toolbar step runs
// in its own exception frame; if the host raises there, PluginInit returns
// false at once, keeping the "&Talvane" item and adding no About item. A
// raise outside that frame propagates to the host through the callback.
#pragma once

#include "sdk/ASTypes.h"

ASBool PluginInit();
