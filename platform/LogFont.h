// A font description in the layout of the home platform's LOGFONT record.
// The font picker and the dialog kit exchange it and the settings record
// stores one, so it lives with the pickers; it stays plain data outside the
// platform namespace, as the record it mirrors is.
//
// Contract: plain data. The face name holds at most kMaxFaceName characters
// and is NUL-terminated; SetFaceName refuses a longer name and leaves the
// record unchanged. FaceName reads up to the terminator and never past
// kMaxFaceName characters, so a record filled elsewhere without a terminator
// is still read safely. HeightForPoints turns a point size into the height
// a font picker writes back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

struct LogFont {
    static constexpr size_t kFaceSize = 32; // including the terminator
    static constexpr size_t kMaxFaceName = kFaceSize - 1;

    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[kFaceSize] = {};

    std::string_view FaceName() const {
        size_t n = 0;
        while (n < kMaxFaceName && lfFaceName[n] != '\0')
            ++n;
        return std::string_view(lfFaceName, n);
    }

    bool SetFaceName(std::string_view name) {
        if (name.size() > kMaxFaceName)
            return false;
        std::memset(lfFaceName, 0, kFaceSize);
        std::memcpy(lfFaceName, name.data(), name.size());
        return true;
    }

    // The height a font picker stores for a size in points on a screen of
    // `dpi` dots per inch: negative (the character height, not the cell),
    // rounded to the nearest pixel as the home platform's MulDiv rounds.
    static int32_t HeightForPoints(int32_t points, int32_t dpi) {
        const int64_t scaled = static_cast<int64_t>(points) * dpi;
        const int64_t rounded = scaled >= 0 ? (scaled + 36) / 72 : (scaled - 36) / 72;
        return static_cast<int32_t>(-rounded);
    }

    bool operator==(const LogFont&) const = default;
};
