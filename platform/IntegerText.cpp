#include "platform/IntegerText.h"

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<std::int32_t> IntegerText::Parse(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    const std::size_t digits = i;
    std::int64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i++] - '0');
        if (value > std::int64_t{INT32_MAX} + 1)
            return std::nullopt;
    }
    if (i == digits)
        return std::nullopt;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace platform
