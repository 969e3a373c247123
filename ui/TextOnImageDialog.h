// The text-on-image dialog object: what it holds while the plug-in is
// loaded, and the modal dialog "Text on Image Settings" that edits it.
//
// Contract: the T_... settings are not copied here; `settings` refers to the
// text part of the owner's StampSettings, so what the dialog edits is what
// the parameter files store and what the stamp run draws. The object must
// not outlive that record (the main dialog owns both). The value-list
// counter starts at 0 and is advanced only by ExpandTemplate; the 16
// custom colours of the colour picker start black.
//
// ExpandTemplate(text) fills the placeholders of `text` from the host's
// active document, its file and one reading of the clock (local time). With
// no active document, or no PDF behind it, it returns `text` unchanged and
// leaves the counter alone. A raise from a host call propagates.
//
// OverlayFont() is the font the overlay draws with: built from the font
// description whenever the description holds a font (whoever set it: a
// settings or parameter file, the dialog or the font picker), and rebuilt
// when it changes; nullptr while the description is still all zero, so the
// platform's default font applies. Needs a Qt GUI application object.
//
// Run() shows the dialog (template 111) modally over the dialog on top and
// returns 1 for "&Save && Exit" and Enter, 0 for "&Cancel", 2 for Escape and
// the close box. Opening applies the opening defaults to the members
// themselves. Controls exchange data with the members in the order font
// name, text, font size, horizontal and vertical position, transparent,
// face name shown; a read-back stops at a field that holds no integer.
// What takes effect while the dialog is open (a confirmed colour or font, a
// read-back from "Transparent Background") stays when it is cancelled.
// Confirming the font picker rebuilds the overlay font and refreshes every
// control from the members. The swatch paints the text colour itself, so no
// brush outlives a repaint; the one overlay font is replaced in place.
//
// CustomColours() are the colour picker's 16 custom colours, one set for
// the whole process, black at first; the picker may change them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/RasterFont.h"
#include "settings/TextOnImageSettings.h"

class TextOnImageDialog {
  public:
    explicit TextOnImageDialog(TextOnImageSettings& settings) : settings(settings) {}
    TextOnImageDialog(const TextOnImageDialog&) = delete;
    TextOnImageDialog& operator=(const TextOnImageDialog&) = delete;

    std::string ExpandTemplate(std::string text);
    const platform::RasterFont* OverlayFont();
    // Builds the overlay font from the description now (after a font
    // picker was confirmed, say).
    void BuildOverlayFont();

    static platform::FontDescription DescriptionOf(const LogFont& font);

    int Run();
    static std::array<uint32_t, 16>& CustomColours();

    TextOnImageSettings& settings;
    int32_t nVarListPos = 0;     // position in the [VAR(...)] value list
    std::string szFaceNameShown; // the face name beside "Choose Font"

  private:
    std::optional<platform::RasterFont> overlayFont_;
    LogFont overlayFontSource_; // the description overlayFont_ was built from
};
