#include "resources/DialogTemplates.h"

#include "resources/Resources.h"

namespace resources {
namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using platform::DialogTemplate;
namespace style = platform;

ControlTemplate Control(int id, ControlKind kind, std::string text, platform::DialogRect rect,
                        std::uint32_t controlStyle = platform::kNoStyle) {
    ControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.text = std::move(text);
    c.rect = rect;
    c.style = controlStyle;
    return c;
}

ControlTemplate Label(std::string text, platform::DialogRect rect,
                      std::uint32_t controlStyle = platform::kNoStyle) {
    return Control(0, ControlKind::Static, std::move(text), rect, controlStyle);
}

constexpr std::uint32_t kCheck = style::kTextLeftOfBox;
constexpr std::uint32_t kDigits = style::kDigitsOnly | style::kAutoScroll;
constexpr std::uint32_t kPlainEdit = style::kAutoScroll;

DialogTemplate BuildMain() {
    DialogTemplate t;
    t.id = kMainDialog;
    t.caption = "Talvane 1.07 - Halberd Labs ";
    t.width = 166;
    t.height = 258;
    t.systemMenu = false;
    t.menu = &MainMenuTemplate();
    using K = ControlKind;
    t.controls = {
        Control(1003, K::PushButton, "STAMP!", {70, 242, 57, 14}),
        Control(1000, K::PushButton, "&Close", {132, 242, 28, 14}),
        Label("Page to start processing at:", {31, 9, 87, 8}),
        Label("Page to end processing at:", {32, 23, 86, 8}),
        Control(1011, K::Edit, "", {121, 6, 31, 12}, kDigits),
        Control(1012, K::Edit, "", {121, 21, 31, 12}, kDigits),
        Control(1002, K::ComboBox, "", {68, 163, 86, 74},
                style::kDropDownEdit | style::kVerticalScroll | style::kAutoScroll),
        Label("Position:", {36, 167, 28, 8}),
        Label("Vertical from Bottom:", {38, 183, 66, 8}),
        Label("Horizontal from Left:", {40, 210, 64, 8}),
        Control(1015, K::Edit, "", {106, 182, 48, 12}, kPlainEdit),
        Control(1016, K::Edit, "", {106, 207, 48, 12}, kPlainEdit),
        Label("Only apply image to 1 in nth:", {28, 38, 90, 8}),
        Control(1023, K::Edit, "", {121, 36, 31, 12}, kDigits),
        Label("Image file:", {2, 60, 33, 8}),
        Control(1026, K::Edit, "", {38, 58, 85, 12}, style::kReadOnly | style::kAutoScroll),
        Control(1027, K::PushButton, "&Browse", {124, 57, 30, 14}),
        Control(1029, K::Edit, "", {134, 127, 19, 13}, kDigits | style::kRightAligned),
        Label("Image opacity:", {82, 129, 47, 8}),
        Label("%", {154, 129, 9, 8}),
        Control(1030, K::Edit, "", {61, 79, 30, 12}, kPlainEdit),
        Control(1031, K::Edit, "", {124, 79, 30, 12}, kPlainEdit),
        Label("Image width:", {16, 82, 41, 8}),
        Label("Height:", {97, 82, 24, 8}),
        Control(1032, K::PushButton, "Undo", {47, 242, 20, 14}, style::kFlat),
        Label("Width in PDF:", {13, 101, 45, 8}),
        Label("Height:", {97, 101, 24, 8}),
        Control(1033, K::Edit, "", {61, 99, 30, 12}, kPlainEdit),
        Control(1034, K::Edit, "", {124, 99, 30, 12}, kDigits),
        Control(1028, K::CheckBox, "Calculate horizontal from Left:", {8, 223, 107, 10}, kCheck),
        Control(1035, K::CheckBox, "Right: ", {119, 223, 34, 10}, kCheck),
        Control(1036, K::CheckBox, "Calculate vertical from Bottom:", {5, 195, 110, 10}, kCheck),
        Control(1037, K::CheckBox, "Top:", {126, 195, 28, 10}, kCheck),
        Control(1038, K::CheckBox, "Force portrait image when landscape", {25, 150, 127, 10},
                kCheck),
        Control(1039, K::CheckBox, "Constrain image proportions", {50, 115, 103, 10}, kCheck),
        Control(0, K::GroupBox, "", {0, 50, 164, 94}),
        Control(0, K::GroupBox, "", {1, 142, 163, 96}),
        Control(0, K::GroupBox, "", {1, 0, 163, 51}),
        Control(1041, K::CheckBox, "Text on Image", {4, 129, 59, 10}, kCheck),
        Control(1042, K::PushButton, "C", {65, 129, 8, 10}),
    };
    for (ControlTemplate& c : t.controls) {
        if (c.id == 1002)
            c.items = PositionList();
    }
    return t;
}

DialogTemplate BuildTextOnImage() {
    DialogTemplate t;
    t.id = kTextOnImageDialog;
    t.caption = "Text on Image Settings";
    t.width = 178;
    t.height = 161;
    t.systemMenu = true;
    using K = ControlKind;
    t.controls = {
        Control(1043, K::PushButton, "&Cancel", {127, 140, 44, 14}),
        Control(1044, K::PushButton, "&Save && Exit", {59, 140, 58, 14}),
        Label("Font:", {15, 146, 16, 8}, style::kHidden),
        Control(1045, K::ComboBox, "", {7, 135, 31, 30},
                style::kDropDownEdit | style::kSorted | style::kVerticalScroll | style::kHidden),
        Label("Font Size:", {98, 29, 32, 8}, style::kHidden),
        Control(1017, K::Edit, "", {133, 27, 31, 12},
                style::kHidden | style::kReadOnly | style::kAutoScroll),
        Control(1047, K::CheckBox, "Transparent Background", {70, 76, 95, 10}, kCheck),
        Label("Vertical Position from Bottom:", {37, 60, 92, 8}),
        Control(1048, K::Edit, "", {134, 59, 31, 12}, kPlainEdit),
        Label("Horizontal Position from Left:", {39, 45, 91, 8}),
        Control(1049, K::Edit, "", {134, 43, 31, 12}, kPlainEdit),
        Control(1025, K::PushButton, "", {123, 91, 44, 14},
                style::kFlat | style::kOwnerDrawn | style::kStaticEdge),
        Label("Text colour:", {80, 95, 38, 8}),
        Control(1051, K::ComboBox, "", {32, 115, 136, 116},
                style::kDropDownEdit | style::kAutoScroll | style::kVerticalScroll),
        Label("Text:", {13, 117, 17, 8}),
        Control(1052, K::PushButton, "Choose Font", {119, 9, 46, 14}),
        Control(1053, K::Edit, "", {8, 10, 110, 12}, kPlainEdit),
    };
    for (ControlTemplate& c : t.controls) {
        if (c.id == 1051)
            c.items = TextExamples();
    }
    return t;
}

DialogTemplate BuildAbout() {
    DialogTemplate t;
    t.id = kAboutDialog;
    t.caption = "About PDF Talvane";
    t.width = 186;
    t.height = 142;
    t.systemMenu = true;
    using K = ControlKind;
    ControlTemplate picture = Control(0, K::Picture, "", {53, 22, 80, 50});
    picture.bitmap = kProductBitmap;
    const std::span<const unsigned char> bytes = Bitmap(kProductBitmap);
    picture.bitmapData = bytes.data();
    picture.bitmapSize = bytes.size();
    t.controls = {
        Label("PDF Talvane v1.07", {7, 8, 172, 8}, style::kCentered),
        picture,
        Label("(C) 2004-2007 Halberd Labs. All rights reserved.", {7, 98, 172, 8},
              style::kCentered),
        Control(1002, K::PushButton, "&View WebSite", {7, 119, 62, 14}),
        Control(1000, K::PushButton, "&Close", {129, 119, 50, 14}),
    };
    return t;
}

platform::MenuTemplate BuildMenu() {
    platform::MenuTemplate m;
    m.id = kMainMenu;
    m.popups = {
        {"File", {{"Load Settings", 40001}, {"Save Settings", 40002}, {"Save Settings As", 40004}}},
        {"&Help", {{"HTML Help", 40005}}},
    };
    return m;
}

} // namespace

const platform::DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate t = BuildAbout();
    return t;
}

const platform::DialogTemplate& MainDialogTemplate() {
    static const DialogTemplate t = BuildMain();
    return t;
}

const platform::DialogTemplate& TextOnImageDialogTemplate() {
    static const DialogTemplate t = BuildTextOnImage();
    return t;
}

const platform::MenuTemplate& MainMenuTemplate() {
    static const platform::MenuTemplate m = BuildMenu();
    return m;
}

const std::vector<std::string>& PositionList() {
    static const std::vector<std::string> list = {"Bottom Left", "Bottom Right", "Bottom Middle",
                                                  "Top Left",    "Top Right",    "Top Middle"};
    return list;
}

const std::vector<std::string>& TextExamples() {
    static const std::vector<std::string> list = {
        "[FILETITLE]",
        "[FILETITLEEXT]",
        "[FILENAME]",
        "[FOLDERPATH]",
        "[TOPFOLDERPATH]",
        "[DD]-[MM]-[YY]",
        "[DD]-[MM]-[YYYY] [hh]:[mm]:[ss]",
        "[DD]-[MM]-[YYYY] [hh]:[mm]:[ss][AMPM]",
        "[MM]-[DD]-[YY]",
        "[MM]-[DD]-[YYYY]",
        "[D]-[M]-[YYYY]",
        "[M]-[D]-[YYYY]",
        "[D][DEX] [MN], [YYYY]",
        "[DN] [D], [AMN] [YYYY]",
        "[DD] [ADN] [MN], [YYYY]",
        "Monday Week No: [WYM]",
        "Sunday Week No: [WYS]",
        "Week Day: [WD]",
        "[VAR(a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z)]",
        "[VAR(a,b,c)]",
        "[VAR(a,a,b,b)]",
        "[VAR(a,b,a,b)]",
        "[VAR(BILL,STATEMENT)]",
        "[TITLE], [AUTHOR], [SUBJECT], [KEYWORDS], [PRODUCER]",
        "File Created: [CREATEDTIME], File Modified: [MODIFIEDTIME]",
    };
    return list;
}

} // namespace resources
