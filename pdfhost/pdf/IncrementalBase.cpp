#include "pdfhost/pdf/IncrementalBase.h"

#include <cctype>

#include "pdfhost/pdf/OpenFile.h"

namespace pdfhost::pdf {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads digits at pos (after white space); false when there are none.
bool Number(const std::string& s, std::size_t& pos, std::uint64_t& value) {
    while (pos < s.size() && IsSpace(s[pos]))
        ++pos;
    const std::size_t start = pos;
    value = 0;
    while (pos < s.size() && IsDigit(s[pos]) && pos - start < 19)
        value = value * 10 + static_cast<std::uint64_t>(s[pos++] - '0');
    return pos > start && (pos == s.size() || !IsDigit(s[pos]));
}

std::optional<IncrementalBase> Refuse(std::string* why, const std::string& reason) {
    if (why)
        *why = reason;
    return std::nullopt;
}

} // namespace

std::optional<IncrementalBase> IncrementalBase::Read(const OpenFile& file, std::string* why) {
    IncrementalBase base;
    base.size = file.Size();
    if (file.ReadAt(0, 5) != "%PDF-")
        return Refuse(why, "the file does not start with its %PDF- header");
    const std::uint64_t tailStart = base.size > 1024 ? base.size - 1024 : 0;
    const std::string tail =
        file.ReadAt(tailStart, static_cast<std::size_t>(base.size - tailStart));
    base.endsInNewline = !tail.empty() && (tail.back() == '\n' || tail.back() == '\r');
    const std::size_t at = tail.rfind("startxref");
    std::size_t pos = at + 9;
    if (at == std::string::npos || !Number(tail, pos, base.lastSection) ||
        base.lastSection >= base.size)
        return Refuse(why, "the file's last cross-reference section cannot be found");

    const std::string head = file.ReadAt(base.lastSection, 64);
    pos = 0;
    while (pos < head.size() && IsSpace(head[pos]))
        ++pos;
    if (head.compare(pos, 4, "xref") == 0) {
        base.kind = Kind::Table;
        return base;
    }
    std::uint64_t number = 0, generation = 0;
    if (Number(head, pos, number) && Number(head, pos, generation)) {
        while (pos < head.size() && IsSpace(head[pos]))
            ++pos;
        if (head.compare(pos, 3, "obj") == 0) {
            base.kind = Kind::Stream;
            return base;
        }
    }
    return Refuse(why, "the file's startxref does not lead to a cross-reference section");
}

} // namespace pdfhost::pdf
