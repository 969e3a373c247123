#include "pdfhost/app/PickerAnswers.h"

#include <charconv>
#include <optional>
#include <sstream>

namespace pdfhost::app {
namespace {

std::optional<int> Number(const std::string& word) {
    int value = 0;
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    if (ec != std::errc() || ptr != end || word.empty())
        return std::nullopt;
    return value;
}

std::optional<PickerAnswer> ParseColour(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        parts.push_back(part);
    if (parts.size() != 3)
        return std::nullopt;
    PickerAnswer answer;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<int> v = Number(parts[i]);
        if (!v || *v < 0 || *v > 255)
            return std::nullopt;
        answer.colorref |= static_cast<std::uint32_t>(*v) << (8 * i);
    }
    return answer;
}

std::optional<PickerAnswer> ParseFont(std::vector<std::string> words) {
    PickerAnswer answer;
    if (!words.empty() && words.back() == "italic") {
        answer.font.lfItalic = 1;
        words.pop_back();
    }
    // FACE HEIGHT WEIGHT, or FACE HEIGHT: numbers are taken from the end.
    std::vector<int> numbers;
    while (!words.empty() && numbers.size() < 2 && Number(words.back())) {
        numbers.insert(numbers.begin(), *Number(words.back()));
        words.pop_back();
    }
    if (numbers.empty() || words.empty())
        return std::nullopt;
    std::string face;
    for (const std::string& w : words)
        face += (face.empty() ? "" : " ") + w;
    if (!answer.font.SetFaceName(face))
        return std::nullopt;
    answer.font.lfHeight = numbers[0];
    answer.font.lfWeight = numbers.size() > 1 ? numbers[1] : 400;
    if (answer.font.lfWeight < 0 || answer.font.lfWeight > 1000)
        return std::nullopt;
    return answer;
}

std::optional<PickerAnswer> Read(const platform::DialogAnswer& step) {
    if (step.rest == "cancel") {
        PickerAnswer answer;
        answer.cancelled = true;
        return answer;
    }
    if (step.step == "file") {
        if (step.rest.empty())
            return std::nullopt;
        PickerAnswer answer;
        answer.path = step.rest;
        return answer;
    }
    if (step.step == "color")
        return ParseColour(step.rest);
    if (step.step == "font")
        return ParseFont(step.words);
    return std::nullopt;
}

} // namespace

std::string PickerAnswers::Check(const platform::DialogAnswer& step) {
    if (Read(step))
        return {};
    if (step.step == "file")
        return "file needs a path or \"cancel\"";
    if (step.step == "color")
        return "color needs R,G,B (each 0 to 255) or \"cancel\"";
    return "font needs FACE HEIGHT [WEIGHT] [italic] or \"cancel\"";
}

PickerAnswer PickerAnswers::Parse(const platform::DialogAnswer& step) {
    return Read(step).value_or(PickerAnswer{});
}

} // namespace pdfhost::app
