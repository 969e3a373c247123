// New heap blocks that start out holding a chosen byte, so that a test can
// show a decoder sets every pixel it hands back: decode under two patterns
// and compare. Freeing blocks full of a pattern and hoping the decoder is
// given them again proves nothing where the allocator does not hand freed
// blocks straight back (AddressSanitizer keeps them in quarantine).
//
// Contract: Use(pattern) makes every block malloc hands out from then on
// hold `pattern` (not 0xFF), through glibc's perturb setting, and checks on
// blocks of many sizes that it does; Off() ends the fill. Where Use() cannot
// have the fill it returns false and the check that needed it is not
// meaningful: under AddressSanitizer, whose allocator has no such setting,
// it says so (once on standard error, and in the test's record); under
// glibc it fails the running
// test, since the one cause is glibc's per-thread cache, which hands blocks
// out unfilled (kRequiredTunables in GLIBC_TUNABLES turns it off; the
// tests' CMake sets it).
#pragma once

#include <cstdint>

namespace testsupport {

class HeapFill {
  public:
    static constexpr const char* kRequiredTunables = "glibc.malloc.tcache_count=0";

    static bool Use(std::uint8_t pattern);
    static void Off();
};

} // namespace testsupport
