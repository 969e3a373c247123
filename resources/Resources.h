// The plug-in's resources, built into the module, looked up by numeric id.
//
// Contract: Bitmap(id) gives the bytes of the BMP file with that id, or an
// empty span for an id the plug-in does not have. The bytes live as long as
// the module.
#pragma once

#include <cstddef>
#include <span>

namespace resources {

inline constexpr int kProductBitmap = 109; // 120x80, 24-bit: the About picture
inline constexpr int kToolbarBitmap = 110; // 21x22, 16 colours

// The project's web page, which the About dialog's "&View WebSite" opens.
inline constexpr const char* kProjectPage = "https://talvane.org/";

std::span<const unsigned char> Bitmap(int id);

} // namespace resources
