#include "settings/StampSettings.h"

void StampSettings::ApplyFirstRunValues() {
    nStartProc = 1;
    nEndProc = 99999;
    szPosition = "Bottom Left";
    nVertical = 10;
    nHorizontal = 20;
    nOpacity = 100;
    nNth = 0;
    szImageFileName.clear();
    bCalcRight = false;
    bCalcTop = false;
    bForcePortrait = true;
}
