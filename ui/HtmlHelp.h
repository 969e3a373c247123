// "HTML Help" of the main stamp dialog's Help menu: opens the help file that
// is installed beside the plug-in.
//
// Contract: OpenHtmlHelp looks the installation folder up in the registry
// again on every call (InstallFolder::LookUp) and keeps nothing. When the
// key exists but its first value cannot be read it shows the box
// kUnreadableCaption / kUnreadableText through `showBox` and opens nothing.
// Otherwise it hands HelpFilePath(folder) to `open`; a missing key gives an
// empty folder, so the path is then the one on the file-system root. Whether
// the file exists, and whether the shell manages to show it, is not checked
// or reported. It neither reads nor changes the settings, szIniPath or
// szTempJpgPath, so the dialog it is called from stays exactly as it was.
// Without arguments it shows an unowned box and opens through
// platform::Shell.
#pragma once

#include <functional>
#include <string>
#include <string_view>

constexpr std::string_view kHelpFileName = "PDFTalvane.chm";
constexpr std::string_view kUnreadableCaption = "Install key not found in registry!";
constexpr std::string_view kUnreadableText =
    "Can't find Talvane.chm,\nplease look in install dir and run from there.";

using HelpBox = std::function<void(const std::string& caption, const std::string& text)>;
using HelpOpener = std::function<void(const std::string& path)>;

std::string HelpFilePath(std::string_view installFolder);
void OpenHtmlHelp(const HelpBox& showBox, const HelpOpener& open);
void OpenHtmlHelp();
