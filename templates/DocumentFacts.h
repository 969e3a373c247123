// What the template expander knows about the active document.
//
// Contract: plain data. path is the document's file path as the host gives
// it, empty when the document has no file. info holds the values of the
// document-information keys kInfoKeys, in that order, as UTF-8 (empty for
// an absent key). times are the file's times (platform::FileFacts).
//
// GatherActiveDocumentFacts() asks the host: nullopt when there is no
// active document view or no PDF document behind it. The whole path is
// fetched, whatever its length; every information value is fetched into a
// 255-byte buffer, which the host fills NUL-terminated and cut at a
// character boundary. A host call that raises propagates to the caller; the
// path object obtained from the host is released on every path out.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/FileFacts.h"

namespace templates {

inline constexpr std::array<const char*, 5> kInfoKeys = {"Title", "Author", "Subject", "Keywords",
                                                         "Producer"};
inline constexpr int kInfoBufferSize = 255;

struct DocumentFacts {
    std::string path;
    std::array<std::string, 5> info;
    platform::FileTimes times;
};

std::optional<DocumentFacts> GatherActiveDocumentFacts();

} // namespace templates
