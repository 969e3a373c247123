// What the text-on-image dialog does to its members when it opens, and the
// order in which its controls exchange data with them.
//
// Contract: ApplyTextOnImageOpeningDefaults changes the members themselves
// (not only what the controls show), so a stamp run after the dialog was
// opened and closed in any way draws with the filled-in values:
//   - empty font name -> "Arial"; empty text -> kDefaultText;
//   - a horizontal or vertical position of 0 -> 10 (0 counts as unset: a 0
//     saved from the dialog is used by the runs until the next opening);
//   - a font description of height 0 -> face "Arial", height 28, its other
//     fields left as they were;
//   - empty face name shown -> "Arial";
//   - font size := the description's height, whatever it was.
// Nothing else is touched: colour, transparency, custom colours and the
// value-list counter keep their values.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ui/TextOnImageDialog.h"

namespace text_on_image {

inline constexpr int kCancel = 1043;
inline constexpr int kSaveAndExit = 1044;
inline constexpr int kFontName = 1045;
inline constexpr int kFontSize = 1017;
inline constexpr int kTransparent = 1047;
inline constexpr int kVertPos = 1048;
inline constexpr int kHorizPos = 1049;
inline constexpr int kColourSwatch = 1025;
inline constexpr int kText = 1051;
inline constexpr int kChooseFont = 1052;
inline constexpr int kFaceNameShown = 1053;

// Both transfers visit the controls in this order; a bad integer stops a
// read-back at its field and leaves the members after it untouched.
inline constexpr std::array<int, 7> kExchangeOrder = {
    kFontName, kText, kFontSize, kHorizPos, kVertPos, kTransparent, kFaceNameShown};

inline constexpr std::string_view kDefaultText = "[MM]-[DD]-[YYYY] [hh]:[mm]:[ss]";
inline constexpr std::string_view kDefaultFace = "Arial";
inline constexpr int32_t kDefaultPosition = 10;
inline constexpr int32_t kDefaultFontHeight = 28;

} // namespace text_on_image

void ApplyTextOnImageOpeningDefaults(TextOnImageDialog& dialog);
