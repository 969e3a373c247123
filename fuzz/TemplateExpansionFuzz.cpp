// Feeds arbitrary templates, titles, paths and clock readings to the
// template expander.
//
// Input: 8 bytes of clock (seconds, little-endian, folded into years
// 1000..9999), 4 bytes of value-list counter, then template, title and path
// separated by NUL bytes. Beyond "no crash, no out-of-bounds access" it
// checks what the overlay relies on: a template without "[" comes back
// unchanged with the counter untouched, and the counter only ever moves to
// the position after the item chosen.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Clock.h"
#include "templates/TemplateExpansion.h"

namespace {

template <typename T> T Take(const uint8_t*& data, size_t& size) {
    T value{};
    const size_t n = size < sizeof(T) ? size : sizeof(T);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

std::string Field(const uint8_t*& data, size_t& size) {
    const auto* end = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t n = end ? static_cast<size_t>(end - data) : size;
    std::string text(reinterpret_cast<const char*>(data), n);
    data += n + (end ? 1 : 0);
    size -= n + (end ? 1 : 0);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    setenv("TZ", "UTC", 1);
    const auto seconds = Take<uint64_t>(data, size);
    int32_t counter = Take<int32_t>(data, size);
    const std::string text = Field(data, size);
    templates::DocumentFacts facts;
    facts.info[0] = Field(data, size);
    facts.path = Field(data, size);
    facts.info[1] = std::string(data ? reinterpret_cast<const char*>(data) : "", size);
    // Years 1000 to 9999: the range a clock reading formats in.
    constexpr int64_t kFrom = -30610224000LL, kSpan = 284012524800LL;
    const auto at = static_cast<std::time_t>(kFrom + static_cast<int64_t>(seconds % kSpan));
    facts.times.birth = at;
    facts.times.modified = at + 1;
    const std::tm now = platform::Clock::LocalTime(at);

    const int32_t before = counter;
    const std::string out = templates::ExpandTemplateText(text, facts, now, counter);
    if (text.find('[') == std::string::npos && (out != text || counter != before))
        std::abort();
    // The counter moves, if at all, to the item after the one chosen: the
    // next one, or item 1 when the list was too short and item 0 was taken.
    // (Whether it moves at all depends on the expanded text, which inserted
    // facts can turn into a value list.)
    if (counter != before && counter != 1 && int64_t{counter} != int64_t{before} + 1)
        std::abort();
    return 0;
}
