// Decimal integers as dialogs read them from a field.
//
// Contract: Parse accepts optional blanks, an optional sign, at least one
// decimal digit and optional trailing blanks, and nothing else; a value
// outside the signed 32-bit range is refused rather than wrapped.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

class IntegerText {
  public:
    static std::optional<std::int32_t> Parse(std::string_view text);
};

} // namespace platform
