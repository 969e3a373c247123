// The objects the plug-in keeps from load to unload.
//
// Contract: one instance per process, made on first use (the plug-in's first
// callback) and destroyed with the module. The main dialog object holds the
// settings; the stamp command has its own LoadedPicture so that a size lookup
// in the dialog never disturbs a run. bUndoAvailable lives beside the dialog
// (ui/MainStampDialogRun.h).
#pragma once

#include "image/JpegFileWriter.h"
#include "image/LoadedPicture.h"
#include "ui/MainStampDialog.h"

struct PluginObjects {
    MainStampDialog dialog;
    LoadedPicture picture;
    JpegFileWriter jpegWriter;
    bool bFirstUse = true;

    static PluginObjects& Get();
};
