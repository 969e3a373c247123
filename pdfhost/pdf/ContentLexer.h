// Splits decoded page-content bytes into operations: operands followed by
// their operator.
//
// Contract: accepts any bytes and never reads outside the view it was given.
// Malformed input (unterminated strings, stray delimiters, an inline image
// without "EI", operands with no operator at the end) still yields
// operations, so that every operator and operand lies in exactly one
// operation, in order; only whitespace and comments fall between them.
// Offsets refer to the view. An inline image (BI ... ID data EI) is one
// operation whose operator is "BI". The views handed out point into the
// lexer's input and live as long as it does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pdfhost::pdf {

struct ContentOp {
    std::size_t begin = 0;     // first byte of the first operand, or of the operator
    std::size_t end = 0;       // one past the last byte of the operation
    std::string_view op;       // the operator; empty for operands left at the end
    std::string_view lastName; // the last name operand, without its slash
};

class ContentLexer {
  public:
    explicit ContentLexer(std::string_view data) : data_(data) {}

    // The next operation, or false at the end of the data.
    bool Next(ContentOp& out);
    // The next bare word (an operator, a number, true/false/null), skipping
    // strings, names, comments and inline image data the way Next() does:
    // a cheaper walk for callers that only look for some operators.
    bool NextWord(std::string_view& word);

    static bool IsOperator(std::string_view word);
    // Where the inline image whose "BI" ends just before `from` ends, by the
    // same rule Next() and NextWord() use: one past its "EI", or the end of
    // the data when it has none.
    static std::size_t InlineImageEnd(std::string_view data, std::size_t from);
    // A name as written in content ("Im#20a", without its slash) as a
    // dictionary keys it ("/Im a").
    static std::string NameKey(std::string_view raw);

  private:
    void SkipSpaceAndComments();
    void SkipLiteralString();
    void SkipHexString();
    std::string_view ReadRegular();
    void SkipInlineImage();

    std::string_view data_;
    std::size_t pos_ = 0;
};

} // namespace pdfhost::pdf
