#include "tests/support/HeapFill.h"

#include <cassert>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <malloc.h>
#include <utility>
#include <vector>

namespace testsupport {
namespace {

bool UnderAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

// Blocks of many sizes, from the small bins to the ones mapped straight from
// the system, each holding `pattern` in every byte.
bool NewBlocksHold(std::uint8_t pattern) {
    std::vector<void*> blocks;
    bool all = true;
    for (std::size_t size = 16; size <= (std::size_t{1} << 20); size += size / 3 + 16) {
        auto* block = static_cast<std::uint8_t*>(std::malloc(size));
        blocks.push_back(block);
        for (std::size_t i = 0; all && block && i < size; ++i)
            all = block[i] == pattern;
    }
    for (void* block : blocks)
        std::free(block);
    return all;
}

} // namespace

bool HeapFill::Use(std::uint8_t pattern) {
    assert(pattern != 0xFF); // the perturb byte would be 0, which turns it off
    if (UnderAddressSanitizer()) {
        ::testing::Test::RecordProperty("heap_fill", "unavailable under AddressSanitizer");
        static bool told = false;
        if (!std::exchange(told, true))
            std::cerr << "note: no heap fill under AddressSanitizer; the checks for pixels "
                         "left unset are made in the other builds\n";
        return false;
    }
    // glibc fills a new block with the complement of the perturb byte.
    if (mallopt(M_PERTURB, pattern ^ 0xFF) != 1 || !NewBlocksHold(pattern)) {
        Off();
        ADD_FAILURE() << "new heap blocks do not take the fill, so the check that needs it "
                         "proves nothing; run with GLIBC_TUNABLES="
                      << kRequiredTunables;
        return false;
    }
    return true;
}

void HeapFill::Off() {
    if (!UnderAddressSanitizer())
        mallopt(M_PERTURB, 0);
}

} // namespace testsupport
