// The plug-in's dialog and menu resources, as data for the dialog kit.
//
// Contract: each function returns the one template of that id, built on
// first use and kept for the life of the module. Rectangles are in dialog
// units, controls in template (tab) order. Combo boxes carry their
// initialisation lists; the About picture carries the bytes of bitmap 109.
#pragma once

#include <string>
#include <vector>

#include "platform/DialogTemplate.h"

namespace resources {

inline constexpr int kAboutDialog = 104;
inline constexpr int kMainDialog = 105;
inline constexpr int kMainMenu = 107;
inline constexpr int kTextOnImageDialog = 111;

const platform::DialogTemplate& AboutDialogTemplate();
const platform::DialogTemplate& MainDialogTemplate();
const platform::DialogTemplate& TextOnImageDialogTemplate();
const platform::MenuTemplate& MainMenuTemplate();

// The initialisation list of the main dialog's Position box (1002).
const std::vector<std::string>& PositionList();
// The example texts the text-on-image dialog's text box (1051) offers.
const std::vector<std::string>& TextExamples();

} // namespace resources
