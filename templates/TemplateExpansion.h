// Filling the placeholders of an overlay template from known facts.
//
// Contract: ExpandTemplateText(text, facts, now, counter) returns the
// template with its placeholders replaced, in their fixed order, each one at
// every occurrence from left to right without rescanning what it inserted;
// text inserted earlier is subject to every later placeholder. now is the
// one local time every date and time placeholder reads. Names of days,
// months and AM/PM are always English (the C locale's). The first
// "[VAR(" ... ")]" token is replaced last: it picks item `counter` of its
// comma-separated list (item 0, with the counter reset to 0, when the list
// is shorter), and then advances the counter by 1. Empty items count as
// items. Without such a token the counter is left alone. The file-name
// placeholders of an empty path, and the file times that are unknown, give
// empty text. Never fails.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "templates/DocumentFacts.h"

namespace templates {

std::string ExpandTemplateText(std::string text, const DocumentFacts& facts, const std::tm& now,
                               int32_t& counter);

} // namespace templates
