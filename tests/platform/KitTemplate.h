// A small dialog template that exercises every kind of control the kit
// builds, shared by the kit's tests and the automation's tests.
#pragma once

#include "platform/DialogTemplate.h"

namespace kit_test {

enum Ids {
    kFirst = 10,  // edit, digits only, bound to an int
    kSecond = 11, // edit, bound to an int
    kThird = 12,  // edit, bound to an int
    kName = 13,   // edit, bound to text
    kFlag = 20,   // check box, text left of the box
    kChoice = 30, // drop-down combo box with edit
    kApply = 40,  // push button
    kNested = 41, // push button: opens a dialog over this one
    kHiddenEdit = 50,
};

inline platform::DialogTemplate KitTemplate(bool systemMenu = true) {
    using K = platform::ControlKind;
    platform::DialogTemplate t;
    t.id = 900;
    t.caption = "Kit Test";
    t.width = 120;
    t.height = 90;
    t.systemMenu = systemMenu;
    auto control = [](int id, K kind, const char* text, platform::DialogRect r,
                      std::uint32_t style = platform::kNoStyle) {
        platform::ControlTemplate c;
        c.id = id;
        c.kind = kind;
        c.text = text;
        c.rect = r;
        c.style = style;
        return c;
    };
    t.controls = {
        control(0, K::Static, "First number:", {4, 4, 50, 8}),
        control(kFirst, K::Edit, "", {60, 2, 40, 12}, platform::kDigitsOnly),
        control(kSecond, K::Edit, "", {60, 16, 40, 12}),
        control(kThird, K::Edit, "", {60, 30, 40, 12}),
        control(kName, K::Edit, "", {4, 44, 50, 12}),
        control(kFlag, K::CheckBox, "Flag", {60, 46, 40, 10}, platform::kTextLeftOfBox),
        control(kChoice, K::ComboBox, "", {4, 58, 60, 50}, platform::kDropDownEdit),
        control(0, K::GroupBox, "", {0, 0, 120, 72}),
        control(kApply, K::PushButton, "&Apply", {4, 74, 50, 14}),
        control(kNested, K::PushButton, "&Nested", {66, 74, 50, 14}),
        control(kHiddenEdit, K::Edit, "secret", {104, 2, 12, 12}, platform::kHidden),
    };
    t.controls[6].items = {"Alpha", "Beta", "Gamma"};
    return t;
}

} // namespace kit_test
