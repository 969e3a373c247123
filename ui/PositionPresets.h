// The entries of the "Position:" list and the offsets each one sets.
//
// Contract: Names() gives the six entries in list order. Offsets(index)
// gives VERTICAL and HORIZONTAL for the entry at that index, or nullopt for
// an index outside the list (no selection), which must change nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

struct PositionOffsets {
    int32_t vertical;
    int32_t horizontal;
    bool operator==(const PositionOffsets&) const = default;
};

class PositionPresets {
  public:
    static constexpr size_t kCount = 6;
    static const std::array<std::string_view, kCount>& Names();
    static std::optional<PositionOffsets> Offsets(int index);
};
