// Every parameter of a stamp run, one member per key of the parameter files
// (the key is named beside each member).
//
// Contract: plain data. A default-constructed record holds the values the
// plug-in starts with when it is loaded: every number 0, every text empty,
// every flag off except bConstrainImage. ApplyFirstRunValues sets the values
// of the first stamp run in a host process, before the settings file is read
// over them; it leaves the picture sizes, the text settings and the two
// switches it does not name untouched.
//
// The text-on-image members live in `text`, which the text-on-image dialog
// works on directly.
#pragma once

#include <cstdint>
#include <string>

#include "settings/TextOnImageSettings.h"

struct StampSettings {
    int32_t nStartProc = 0;      // STARTPROC: first page, from 1
    int32_t nEndProc = 0;        // ENDPROC: last page, inclusive
    std::string szPosition;      // POSITION: name of the position preset, free text
    int32_t nVertical = 0;       // VERTICAL: offset from the bottom (top with bCalcTop)
    int32_t nHorizontal = 0;     // HORIZONTAL: offset from the left (right with bCalcRight)
    int32_t nNth = 0;            // 1NTH: stamp one page in every n
    int32_t nOpacity = 0;        // OPACITY: percent
    std::string szImageFileName; // IMAGEFILENAME: full path of the picture
    int32_t nImageWidth = 0;     // IMAGEWIDTH: embedded width in pixels
    int32_t nImageHeight = 0;    // IMAGEHEIGHT: embedded height in pixels
    int32_t nImageWidthPdf = 0;  // IMAGEWIDTHPDF: width on the page
    int32_t nImageHeightPdf = 0; // IMAGEHEIGHTPDF: height on the page
    bool bCalcRight = false;     // CALCRIGHT
    bool bCalcTop = false;       // CALCTOP
    bool bForcePortrait = false; // FORCEPORTRAIT
    bool bConstrainImage = true; // CONSTRAINIMAGE (its line is written when this is off)
    int32_t nTextOnImage = 0;    // TEXTONIMAGE: 0 or 1
    TextOnImageSettings text;    // the T_... keys

    void ApplyFirstRunValues();

    bool operator==(const StampSettings&) const = default;
};
