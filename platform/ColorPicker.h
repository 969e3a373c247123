// The common colour picker.
//
// Contract: Choose() opens the picker fully expanded (custom colours shown),
// owned by the dialog on top, accepting any colour, with the caller's 16
// custom colours (0x00bbggrr each), which the user may change: they are
// written back whether the picker is confirmed or cancelled, so they last as
// long as the caller keeps them. The current colour is not preselected.
// Returns the picked colour, or std::nullopt on cancel. Under automation the
// driver answers through the picker's window.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace platform {

class ColorPicker {
  public:
    static constexpr const char* kTitle = "Color";
    static std::optional<std::uint32_t> Choose(std::array<std::uint32_t, 16>& customColours);
};

} // namespace platform
