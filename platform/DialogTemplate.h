// A dialog described as data, the way a resource script describes it.
//
// Contract: plain records. Rectangles are in dialog units (x, y, width,
// height), which the dialog kit converts to pixels from the dialog font.
// Controls are listed in template order, which is also the tab order. A
// control id of 0 marks a control the program never addresses (labels,
// frames); it gets no objectName. The records own their texts; a template is
// usually a constant that lives as long as the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class ControlKind {
    PushButton,
    CheckBox,
    Edit,
    ComboBox,
    Static,
    GroupBox,
    Picture, // shows a bitmap resource; `text` holds nothing, `bitmap` the id
};

// Styles a template may give a control; several combine.
enum ControlStyle : std::uint32_t {
    kNoStyle = 0,
    kHidden = 1u << 0,          // created invisible
    kDisabled = 1u << 1,        // created disabled
    kDefaultButton = 1u << 2,   // push button: the dialog's default button
    kFlat = 1u << 3,            // push button: no raised frame
    kOwnerDrawn = 1u << 4,      // push button: painted by the dialog (a colour swatch)
    kStaticEdge = 1u << 5,      // a sunken edge around the control
    kDigitsOnly = 1u << 6,      // edit: only digits can be typed
    kReadOnly = 1u << 7,        // edit: shows text that cannot be edited
    kRightAligned = 1u << 8,    // edit: text to the right
    kTextLeftOfBox = 1u << 9,   // check box: label on the left of the box
    kSorted = 1u << 10,         // combo box: list kept sorted
    kDropDownEdit = 1u << 11,   // combo box: drop-down list with an edit field
    kVerticalScroll = 1u << 12, // combo box: the list has a vertical scroll bar
    kAutoScroll = 1u << 13,     // edit or combo edit: text scrolls past the field's end
    kCentered = 1u << 14,       // static: text centred
    kNoTabStop = 1u << 15,      // never reached with Tab
};

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    std::string text;
    DialogRect rect;
    std::uint32_t style = kNoStyle;
    std::vector<std::string> items;            // combo box: the initialisation list, in order
    int bitmap = 0;                            // picture: the bitmap resource id
    const unsigned char* bitmapData = nullptr; // picture: its BMP file bytes (not owned)
    std::size_t bitmapSize = 0;
};

struct MenuCommand {
    std::string text;
    int id = 0;
};

struct MenuPopup {
    std::string text;
    std::vector<MenuCommand> commands;
};

struct MenuTemplate {
    int id = 0;
    std::vector<MenuPopup> popups;
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    int width = 0; // client area, dialog units
    int height = 0;
    std::string fontFace = "MS Sans Serif";
    int fontPoints = 8;
    bool systemMenu = true;             // false: no system menu and so no close box
    const MenuTemplate* menu = nullptr; // not owned; the menu bar, if any
    std::vector<ControlTemplate> controls;

    const ControlTemplate* Find(int controlId) const {
        for (const ControlTemplate& c : controls) {
            if (c.id == controlId && controlId != 0)
                return &c;
        }
        return nullptr;
    }
};

} // namespace platform
