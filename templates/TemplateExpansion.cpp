#include "templates/TemplateExpansion.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace templates {
namespace {

constexpr std::array<const char*, 7> kDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

void ReplaceAll(std::string& text, std::string_view placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size()))
        text.replace(at, placeholder.size(), value);
}

std::string Printf(const char* format, int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// The text before the last of `chars` found at position 1 or later; the
// whole text when there is none (position 0 is never a cut).
std::string CutAtLast(const std::string& text, const char* chars) {
    const std::size_t at = text.find_last_of(chars);
    return at == std::string::npos || at == 0 ? text : text.substr(0, at);
}

std::string TopFolder(const std::string& path) {
    std::size_t found = std::string::npos;
    int separators = 0;
    for (std::size_t i = path.size(); i-- > 1 && separators < 2;)
        if (path[i] == '\\' || path[i] == '/') {
            found = i;
            ++separators;
        }
    if (found == std::string::npos)
        return path;
    return CutAtLast(path.substr(found + 1), "\\/");
}

std::string FileTime(const std::optional<std::time_t>& at) {
    if (!at)
        return {};
    const std::tm t = platform::Clock::LocalTime(*at);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4d-%.2d-%.2d %.2d:%.2d:%.2d", t.tm_year + 1900,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return buffer;
}

const char* OrdinalSuffix(int day) {
    switch (day) {
    case 1:
    case 21:
    case 31:
        return "st";
    case 2:
    case 22:
        return "nd";
    case 3:
    case 23:
        return "rd";
    default:
        return "th";
    }
}

void ReplaceValueList(std::string& text, int32_t& counter) {
    static constexpr std::string_view kOpen = "[VAR(";
    static constexpr std::string_view kClose = ")]";
    const std::size_t s = text.find(kOpen);
    if (s == std::string::npos)
        return;
    const std::size_t e = text.find(kClose, s);
    if (e == std::string::npos)
        return;
    const std::string token = text.substr(s, e + kClose.size() - s);
    const std::string_view list =
        std::string_view(token).substr(kOpen.size(), token.size() - kOpen.size() - kClose.size());

    std::vector<std::string_view> items;
    for (std::size_t from = 0;;) {
        const std::size_t comma = list.find(',', from);
        items.push_back(
            list.substr(from, comma == std::string_view::npos ? list.npos : comma - from));
        if (comma == std::string_view::npos)
            break;
        from = comma + 1;
    }
    if (counter < 0 || static_cast<std::size_t>(counter) >= items.size())
        counter = 0;
    const std::string chosen(items[static_cast<std::size_t>(counter)]);
    ReplaceAll(text, token, chosen);
    ++counter;
}

} // namespace

std::string ExpandTemplateText(std::string text, const DocumentFacts& facts, const std::tm& now,
                               int32_t& counter) {
    const std::string& path = facts.path;
    const std::string titleExt = platform::FileFacts::Title(path);
    const int year = now.tm_year + 1900;
    const int month = now.tm_mon + 1;
    const int day = now.tm_mday;
    const int wday = ((now.tm_wday % 7) + 7) % 7;
    const int mon = ((now.tm_mon % 12) + 12) % 12;

    ReplaceAll(text, "[FILENAME]", path);
    ReplaceAll(text, "[FILETITLE]", CutAtLast(titleExt, "."));
    ReplaceAll(text, "[FILETITLEEXT]", titleExt);
    ReplaceAll(text, "[FOLDERPATH]", CutAtLast(path, "\\/"));
    ReplaceAll(text, "[TOPFOLDERPATH]", TopFolder(path));
    ReplaceAll(text, "[MM]", Printf("%.2d", month));
    ReplaceAll(text, "[DD]", Printf("%.2d", day));
    ReplaceAll(text, "[YY]", Printf("%.2d", year));
    ReplaceAll(text, "[YYYY]", Printf("%.4d", year));
    ReplaceAll(text, "[M]", Printf("%d", month));
    ReplaceAll(text, "[D]", Printf("%d", day));
    ReplaceAll(text, "[hh]", Printf("%.2d", now.tm_hour));
    ReplaceAll(text, "[mm]", Printf("%.2d", now.tm_min));
    ReplaceAll(text, "[ss]", Printf("%.2d", now.tm_sec));
    ReplaceAll(text, "[DW]", Printf("%d", wday + 1));
    ReplaceAll(text, "[DY]", Printf("%.3d", now.tm_yday + 1));
    ReplaceAll(text, "[DN]", kDays[static_cast<std::size_t>(wday)]);
    ReplaceAll(text, "[ADN]", std::string(kDays[static_cast<std::size_t>(wday)], 3));
    ReplaceAll(text, "[MN]", kMonths[static_cast<std::size_t>(mon)]);
    ReplaceAll(text, "[AMN]", std::string(kMonths[static_cast<std::size_t>(mon)], 3));
    ReplaceAll(text, "[AMPM]", now.tm_hour < 12 ? "AM" : "PM");
    ReplaceAll(text, "[ampm]", now.tm_hour < 12 ? "am" : "pm");
    ReplaceAll(text, "[WYS]", Printf("%.2d", (now.tm_yday + 7 - wday) / 7 + 1));
    ReplaceAll(text, "[WYM]", Printf("%.2d", (now.tm_yday + 7 - (wday + 6) % 7) / 7 + 1));
    ReplaceAll(text, "[WD]", Printf("%d", wday + 1));
    ReplaceAll(text, "[DEX]", OrdinalSuffix(day));
    static constexpr std::array<const char*, 5> kInfoPlaceholders = {
        "[TITLE]", "[AUTHOR]", "[SUBJECT]", "[KEYWORDS]", "[PRODUCER]"};
    for (std::size_t i = 0; i < kInfoPlaceholders.size(); ++i)
        ReplaceAll(text, kInfoPlaceholders[i], facts.info[i]);
    ReplaceAll(text, "[CREATEDTIME]", FileTime(facts.times.birth));
    ReplaceAll(text, "[MODIFIEDTIME]", FileTime(facts.times.modified));
    ReplaceValueList(text, counter);
    return text;
}

} // namespace templates
