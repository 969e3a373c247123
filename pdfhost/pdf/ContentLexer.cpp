#include "pdfhost/pdf/ContentLexer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace pdfhost::pdf {
namespace {

enum : std::uint8_t { kRegular = 0, kSpace = 1, kDelimiter = 2 };

constexpr std::array<std::uint8_t, 256> MakeClasses() {
    std::array<std::uint8_t, 256> c{};
    for (unsigned char s : {0, 9, 10, 12, 13, 32})
        c[s] = kSpace;
    for (unsigned char d : std::string_view("()<>[]{}/%"))
        c[d] = kDelimiter;
    return c;
}
constexpr std::array<std::uint8_t, 256> kClasses = MakeClasses();

std::uint8_t ClassOf(char c) {
    return kClasses[static_cast<unsigned char>(c)];
}

bool IsNumber(std::string_view w) {
    return std::all_of(w.begin(), w.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-';
    });
}

constexpr std::string_view kOperators[] = {
    "b",  "B",  "b*", "B*", "BDC", "BI",  "BMC", "BT", "BX", "c",  "cm", "CS", "cs", "d",  "d0",
    "d1", "Do", "DP", "EI", "EMC", "ET",  "EX",  "f",  "F",  "f*", "G",  "g",  "gs", "h",  "i",
    "ID", "j",  "J",  "K",  "k",   "l",   "m",   "M",  "MP", "n",  "q",  "Q",  "re", "RG", "rg",
    "ri", "s",  "S",  "SC", "sc",  "SCN", "scn", "sh", "T*", "Tc", "Td", "TD", "Tf", "Tj", "TJ",
    "TL", "Tm", "Tr", "Ts", "Tw",  "Tz",  "v",   "w",  "W",  "W*", "y",  "'",  "\""};

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool ContentLexer::IsOperator(std::string_view word) {
    return std::find(std::begin(kOperators), std::end(kOperators), word) != std::end(kOperators);
}

void ContentLexer::SkipSpaceAndComments() {
    while (pos_ < data_.size()) {
        const char c = data_[pos_];
        if (c == '%') {
            while (pos_ < data_.size() && data_[pos_] != '\n' && data_[pos_] != '\r')
                ++pos_;
        } else if (ClassOf(c) == kSpace) {
            ++pos_;
        } else {
            return;
        }
    }
}

void ContentLexer::SkipLiteralString() {
    int depth = 0;
    while (pos_ < data_.size()) {
        const char c = data_[pos_++];
        if (c == '\\') {
            if (pos_ < data_.size())
                ++pos_;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth == 0)
                return;
        }
    }
}

void ContentLexer::SkipHexString() {
    const std::size_t close = data_.find('>', pos_);
    pos_ = close == std::string_view::npos ? data_.size() : close + 1;
}

std::string_view ContentLexer::ReadRegular() {
    const std::size_t start = pos_;
    while (pos_ < data_.size() && ClassOf(data_[pos_]) == kRegular)
        ++pos_;
    return data_.substr(start, pos_ - start);
}

// After "BI": the image dictionary up to "ID", one white-space byte, the
// data, and "EI" standing as a word of its own.
void ContentLexer::SkipInlineImage() {
    while (true) {
        SkipSpaceAndComments();
        if (pos_ >= data_.size())
            return;
        if (ClassOf(data_[pos_]) != kRegular) {
            ++pos_;
            continue;
        }
        if (ReadRegular() == "ID")
            break;
    }
    if (pos_ < data_.size() && ClassOf(data_[pos_]) == kSpace)
        ++pos_;
    const std::size_t dataStart = pos_;
    for (std::size_t at = data_.find("EI", pos_); at != std::string_view::npos;
         at = data_.find("EI", at + 1)) {
        const bool spaceBefore = at == dataStart || ClassOf(data_[at - 1]) == kSpace;
        const bool endAfter = at + 2 >= data_.size() || ClassOf(data_[at + 2]) != kRegular;
        if (spaceBefore && endAfter) {
            pos_ = at + 2;
            return;
        }
    }
    pos_ = data_.size();
}

std::size_t ContentLexer::InlineImageEnd(std::string_view data, std::size_t from) {
    ContentLexer lexer(data);
    lexer.pos_ = std::min(from, data.size());
    lexer.SkipInlineImage();
    return std::min(lexer.pos_, data.size());
}

bool ContentLexer::NextWord(std::string_view& word) {
    while (true) {
        SkipSpaceAndComments();
        if (pos_ >= data_.size())
            return false;
        const char c = data_[pos_];
        if (ClassOf(c) == kRegular) {
            word = ReadRegular();
            if (word == "BI")
                SkipInlineImage();
            return true;
        }
        ++pos_;
        if (c == '(') {
            --pos_;
            SkipLiteralString();
        } else if (c == '<' && pos_ < data_.size() && data_[pos_] != '<') {
            SkipHexString();
        } else if (c == '<' || (c == '>' && pos_ < data_.size() && data_[pos_] == '>')) {
            ++pos_;
        } else if (c == '/') {
            ReadRegular();
        }
    }
}

bool ContentLexer::Next(ContentOp& out) {
    out = ContentOp{};
    bool haveOperand = false;
    std::size_t lastEnd = 0;
    int depth = 0; // arrays and dictionaries among the operands
    while (true) {
        SkipSpaceAndComments();
        if (pos_ >= data_.size()) {
            if (!haveOperand)
                return false;
            out.end = lastEnd;
            return true;
        }
        const std::size_t start = pos_;
        if (!haveOperand)
            out.begin = start;
        const char c = data_[pos_];
        const char next = pos_ + 1 < data_.size() ? data_[pos_ + 1] : '\0';
        switch (c) {
        case '(':
            SkipLiteralString();
            break;
        case '<':
            if (next == '<') {
                pos_ += 2;
                ++depth;
            } else {
                ++pos_;
                SkipHexString();
            }
            break;
        case '>':
            pos_ += next == '>' ? 2 : 1;
            depth = std::max(0, depth - 1);
            break;
        case '[':
        case '{':
            ++pos_;
            ++depth;
            break;
        case ']':
        case '}':
            ++pos_;
            depth = std::max(0, depth - 1);
            break;
        case ')':
            ++pos_;
            break;
        case '/':
            ++pos_;
            out.lastName = ReadRegular();
            break;
        default: {
            const std::string_view word = ReadRegular();
            const bool operand = IsNumber(word) || word == "true" || word == "false" ||
                                 word == "null" || (depth > 0 && !IsOperator(word));
            if (operand)
                break;
            out.op = word;
            if (word == "BI")
                SkipInlineImage();
            out.end = pos_;
            return true;
        }
        }
        haveOperand = true;
        lastEnd = pos_;
    }
}

std::string ContentLexer::NameKey(std::string_view raw) {
    std::string out = "/";
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '#' && i + 2 < raw.size()) {
            const int hi = HexValue(raw[i + 1]);
            const int lo = HexValue(raw[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += raw[i];
    }
    return out;
}

} // namespace pdfhost::pdf
