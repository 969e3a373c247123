#include "platform/Clock.h"

#include <cstdio>

namespace platform {
namespace {

std::optional<std::time_t>& Pinned() {
    static std::optional<std::time_t> pinned;
    return pinned;
}

} // namespace

std::time_t Clock::Now() {
    return Pinned() ? *Pinned() : std::time(nullptr);
}

void Clock::Pin(std::time_t at) {
    Pinned() = at;
}

void Clock::Unpin() {
    Pinned().reset();
}

std::tm Clock::LocalTime(std::time_t at) {
    std::tm out{};
    if (!localtime_r(&at, &out)) {
        out = std::tm{};
        out.tm_mday = 1;
        out.tm_year = 70;
        out.tm_wday = 4;
    }
    return out;
}

std::optional<std::time_t> Clock::ParseLocal(const char* text) {
    int y, mo, d, h, mi, s, used = 0;
    if (!text ||
        std::sscanf(text, "%4d-%2d-%2dT%2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
        text[used] != '\0')
        return std::nullopt;
    if (y < 1000 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60 || h < 0 ||
        mi < 0 || s < 0)
        return std::nullopt;
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    t.tm_isdst = -1;
    const std::time_t at = std::mktime(&t);
    if (at == static_cast<std::time_t>(-1) || t.tm_mday != d || t.tm_mon != mo - 1)
        return std::nullopt; // 31 April and the like
    return at;
}

} // namespace platform
