#include "ui/PositionPresets.h"

namespace {

struct Preset {
    std::string_view name;
    PositionOffsets offsets;
};

constexpr std::array<Preset, PositionPresets::kCount> kPresets = {{
    {"Bottom Left", {5, 10}},
    {"Bottom Right", {5, 420}},
    {"Bottom Middle", {5, 210}},
    {"Top Left", {720, 10}},
    {"Top Right", {720, 420}},
    {"Top Middle", {720, 210}},
}};

} // namespace

const std::array<std::string_view, PositionPresets::kCount>& PositionPresets::Names() {
    static const std::array<std::string_view, kCount> names = [] {
        std::array<std::string_view, kCount> n{};
        for (size_t i = 0; i < kCount; ++i)
            n[i] = kPresets[i].name;
        return n;
    }();
    return names;
}

std::optional<PositionOffsets> PositionPresets::Offsets(int index) {
    if (index < 0 || static_cast<size_t>(index) >= kCount)
        return std::nullopt;
    return kPresets[static_cast<size_t>(index)].offsets;
}
