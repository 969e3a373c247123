#include "platform/PresetSettings.h"

namespace platform {
namespace {

std::optional<PresetRequest>& pending() {
    static std::optional<PresetRequest> request;
    return request;
}

} // namespace

void PresetSettings::Store(PresetRequest request) {
    pending() = std::move(request);
}

std::optional<PresetRequest> PresetSettings::Take() {
    std::optional<PresetRequest> request = std::move(pending());
    pending().reset();
    return request;
}

} // namespace platform
