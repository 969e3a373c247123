#include "pdfhost/pdf/ContentBalance.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "pdfhost/pdf/ContentLexer.h"

namespace pdfhost::pdf {
namespace {

enum : std::uint8_t { kRegular = 1, kCandidate = 2 };

// A byte is regular unless it is white space or a delimiter. Candidates are
// the only bytes where the count can change or a skipped region begins:
// the letters of q, Q and BI, and the openers of strings and comments.
constexpr std::array<std::uint8_t, 256> MakeTable() {
    std::array<std::uint8_t, 256> t{};
    for (auto& v : t)
        v = kRegular;
    for (unsigned char s : {0, 9, 10, 12, 13, 32})
        t[s] = 0;
    for (unsigned char d : std::string_view("()<>[]{}/%"))
        t[d] = 0;
    for (unsigned char c : std::string_view("qQB"))
        t[c] |= kCandidate;
    for (unsigned char c : std::string_view("(<%"))
        t[c] |= kCandidate;
    return t;
}
constexpr std::array<std::uint8_t, 256> kTable = MakeTable();

bool Regular(char c) {
    return (kTable[static_cast<unsigned char>(c)] & kRegular) != 0;
}

bool Candidate(char c) {
    return (kTable[static_cast<unsigned char>(c)] & kCandidate) != 0;
}

using Block = unsigned char __attribute__((vector_size(16)));

bool Any(const Block& hits) {
    std::uint64_t halves[2];
    static_assert(sizeof hits == sizeof halves);
    std::memcpy(halves, &hits, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

// Sixteen bytes at a time through the stretches without a candidate (most
// of a drawing's numbers and operators, most of a text's strings), one
// compare per byte that matters.
std::size_t SkipPlainBlocks(const char* d, std::size_t n, std::size_t i) {
    for (Block v; i + 16 <= n; i += 16) {
        std::memcpy(&v, d + i, sizeof v);
        if (Any((v == 'q') | (v == 'Q') | (v == 'B') | (v == '(') | (v == '<') | (v == '%')))
            break;
    }
    return i;
}

std::size_t SkipStringBlocks(const char* d, std::size_t n, std::size_t i) {
    for (Block v; i + 16 <= n; i += 16) {
        std::memcpy(&v, d + i, sizeof v);
        if (Any((v == '(') | (v == ')') | (v == '\\')))
            break;
    }
    return i;
}

std::size_t NextCandidate(const char* d, std::size_t n, std::size_t i) {
    while (i < n) {
        i = SkipPlainBlocks(d, n, i);
        // The candidate is in the next sixteen bytes, or fewer are left.
        for (const std::size_t end = std::min(n, i + 16); i < end; ++i)
            if (Candidate(d[i]))
                return i;
    }
    return n;
}

// From the opening parenthesis to one past the one that closes it.
std::size_t LiteralStringEnd(const char* d, std::size_t n, std::size_t i) {
    int depth = 0;
    std::size_t byteByByte = i; // up to here a skip found something
    while (i < n) {
        if (depth > 0 && i >= byteByByte) {
            i = SkipStringBlocks(d, n, i);
            byteByByte = i + 16;
            if (i >= n)
                break;
        }
        const char c = d[i++];
        if (c == '\\') {
            if (i < n)
                ++i;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth == 0)
                return i;
        }
    }
    return n;
}

std::size_t After(const char* d, std::size_t n, std::size_t from, char c) {
    const void* at = from < n ? std::memchr(d + from, c, n - from) : nullptr;
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - d) : n;
}

} // namespace

// Equivalent to counting the bare words of ContentLexer::NextWord, without
// producing them: a regular byte run is a word unless a slash makes it a
// name, and only strings, comments and inline images hide bytes from that
// rule, so the scan only stops where one of those begins or where a run
// could be "q", "Q" or "BI".
ContentBalance ContentBalance::Measure(std::string_view content) {
    ContentBalance b;
    const char* d = content.data();
    const std::size_t n = content.size();
    std::size_t i = 0;
    while ((i = NextCandidate(d, n, i)) < n) {
        const char c = d[i];
        if (c == '(') {
            i = LiteralStringEnd(d, n, i);
            continue;
        }
        if (c == '<') {
            i = i + 1 < n && d[i + 1] == '<' ? i + 2 : std::min(After(d, n, i + 1, '>') + 1, n);
            continue;
        }
        if (c == '%') {
            while (i < n && d[i] != '\n' && d[i] != '\r')
                ++i;
            continue;
        }
        const bool startsWord = i == 0 || (!Regular(d[i - 1]) && d[i - 1] != '/');
        if (!startsWord) {
            ++i;
            continue;
        }
        if (c == 'B') {
            if (i + 1 < n && d[i + 1] == 'I' && (i + 2 >= n || !Regular(d[i + 2])))
                i = ContentLexer::InlineImageEnd(content, i + 2);
            else
                ++i;
            continue;
        }
        const bool endsWord = i + 1 >= n || !Regular(d[i + 1]);
        if (endsWord) {
            if (c == 'q') {
                ++b.openSaves;
            } else if (b.openSaves > 0) {
                --b.openSaves;
            } else {
                ++b.unmatchedRestores;
            }
        }
        ++i;
    }
    return b;
}

ContentBalance ContentBalance::Then(const ContentBalance& a, const ContentBalance& b) {
    // b's unmatched restores first use up a's open saves.
    ContentBalance r;
    if (b.unmatchedRestores <= a.openSaves) {
        r.unmatchedRestores = a.unmatchedRestores;
        r.openSaves = a.openSaves - b.unmatchedRestores + b.openSaves;
    } else {
        r.unmatchedRestores = a.unmatchedRestores + (b.unmatchedRestores - a.openSaves);
        r.openSaves = b.openSaves;
    }
    return r;
}

} // namespace pdfhost::pdf
