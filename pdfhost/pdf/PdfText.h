// PDF text strings as UTF-8.
//
// Contract: ToUtf8 decodes a text string written in UTF-16 (big- or
// little-endian, with its byte-order mark), in UTF-8 with its byte-order
// mark, or else in PDFDocEncoding. CopyCut writes text into a buffer of
// size bytes as NUL-terminated text, cut at a UTF-8 character boundary when
// it does not fit, and returns the number of bytes before the NUL.
#pragma once

#include <cstddef>
#include <string>

namespace pdfhost::pdf {

std::string ToUtf8(const std::string& pdfText);
std::size_t CopyCut(const std::string& utf8, char* buffer, std::size_t size);

} // namespace pdfhost::pdf
