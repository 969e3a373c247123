// The text-on-image dialog object: what it holds while the plug-in is
// loaded. The widgets come later and work on these members.
//
// Contract: the T_... settings are not copied here; `settings` refers to the
// text part of the owner's StampSettings, so what the dialog edits is what
// the parameter files store and what the stamp run draws. The object must
// not outlive that record (the main dialog owns both). The value-list
// counter starts at 0 and is advanced only by the template expansion; the 16
// custom colours of the colour picker start black.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/TextOnImageSettings.h"

class TextOnImageDialog {
  public:
    explicit TextOnImageDialog(TextOnImageSettings& settings) : settings(settings) {}
    TextOnImageDialog(const TextOnImageDialog&) = delete;
    TextOnImageDialog& operator=(const TextOnImageDialog&) = delete;

    TextOnImageSettings& settings;
    int32_t nVarListPos = 0;     // position in the [VAR(...)] value list
    std::string szFaceNameShown; // the face name beside "Choose Font"
    std::array<uint32_t, 16> customColours{};
};
