// The wall clock as the plug-in reads it, and the test host's way to pin it.
//
// Contract: Now() is the current time, or the pinned time once Pin() was
// called (until Unpin()). The pin lives in this shared library, so a pin set
// by the host is what every plug-in in the process reads. LocalTime() turns
// a time into broken-down local time (the process's time zone, TZ included);
// a time the C library cannot convert gives 1970-01-01 00:00:00.
#pragma once

#include <ctime>
#include <optional>

namespace platform {

class Clock {
  public:
    static std::time_t Now();
    static void Pin(std::time_t at);
    static void Unpin();
    static std::tm LocalTime(std::time_t at);

    // "YYYY-MM-DDTHH:MM:SS" read as local time; nullopt when malformed or
    // out of range.
    static std::optional<std::time_t> ParseLocal(const char* text);
};

} // namespace platform
