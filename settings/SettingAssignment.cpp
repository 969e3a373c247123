#include "settings/SettingAssignment.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include "settings/ParameterFile.h"

namespace {

enum class Kind { Int, Colour, Text, Flag, Font };

struct Key {
    std::string_view name;
    Kind kind;
};

constexpr Key kKeys[] = {
    {"STARTPROC", Kind::Int},       {"ENDPROC", Kind::Int},        {"POSITION", Kind::Text},
    {"VERTICAL", Kind::Int},        {"HORIZONTAL", Kind::Int},     {"1NTH", Kind::Int},
    {"OPACITY", Kind::Int},         {"IMAGEFILENAME", Kind::Text}, {"IMAGEWIDTH", Kind::Int},
    {"IMAGEHEIGHT", Kind::Int},     {"IMAGEWIDTHPDF", Kind::Int},  {"IMAGEHEIGHTPDF", Kind::Int},
    {"CALCRIGHT", Kind::Flag},      {"CALCTOP", Kind::Flag},       {"FORCEPORTRAIT", Kind::Flag},
    {"CONSTRAINIMAGE", Kind::Flag}, {"TEXTONIMAGE", Kind::Int},    {"T_TRANSPARENT", Kind::Int},
    {"T_TEXT", Kind::Text},         {"T_FONTNAME", Kind::Text},    {"T_HORIZPOS", Kind::Int},
    {"T_VERTPOS", Kind::Int},       {"T_FONTSIZE", Kind::Int},     {"T_TEXTCOLOR", Kind::Colour},
    {"T_FONTINFO", Kind::Font},
};

const Key* Find(std::string_view name) {
    const auto it = std::find_if(std::begin(kKeys), std::end(kKeys),
                                 [&](const Key& k) { return k.name == name; });
    return it == std::end(kKeys) ? nullptr : it;
}

template <typename T> bool ParseExact(std::string_view text, T& value) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// The writer pads each number of the font record with spaces; those are
// allowed, anything else around the digits is not.
bool FontRecordIsExact(std::string_view value) {
    int numbers = 0;
    size_t start = 0;
    while (numbers < 13) {
        const size_t bar = value.find('|', start);
        if (bar == std::string_view::npos)
            return false;
        int32_t n = 0;
        if (!ParseExact(Trimmed(value.substr(start, bar - start)), n))
            return false;
        ++numbers;
        start = bar + 1;
    }
    const std::string_view face = value.substr(start);
    return !face.empty() && face.size() <= LogFont::kMaxFaceName &&
           face.find('|') == std::string_view::npos && face.find(';') == std::string_view::npos;
}

int32_t& IntMember(std::string_view key, StampSettings& s) {
    if (key == "STARTPROC")
        return s.nStartProc;
    if (key == "ENDPROC")
        return s.nEndProc;
    if (key == "VERTICAL")
        return s.nVertical;
    if (key == "HORIZONTAL")
        return s.nHorizontal;
    if (key == "1NTH")
        return s.nNth;
    if (key == "OPACITY")
        return s.nOpacity;
    if (key == "IMAGEWIDTH")
        return s.nImageWidth;
    if (key == "IMAGEHEIGHT")
        return s.nImageHeight;
    if (key == "IMAGEWIDTHPDF")
        return s.nImageWidthPdf;
    if (key == "IMAGEHEIGHTPDF")
        return s.nImageHeightPdf;
    if (key == "TEXTONIMAGE")
        return s.nTextOnImage;
    if (key == "T_TRANSPARENT")
        return s.text.nTransparent;
    if (key == "T_HORIZPOS")
        return s.text.nHorizPos;
    if (key == "T_VERTPOS")
        return s.text.nVertPos;
    return s.text.nFontSize; // T_FONTSIZE, the last integer key
}

std::string& TextMember(std::string_view key, StampSettings& s) {
    if (key == "POSITION")
        return s.szPosition;
    if (key == "IMAGEFILENAME")
        return s.szImageFileName;
    if (key == "T_TEXT")
        return s.text.szText;
    return s.text.szFontName; // T_FONTNAME
}

bool& FlagMember(std::string_view key, StampSettings& s) {
    if (key == "CALCRIGHT")
        return s.bCalcRight;
    if (key == "CALCTOP")
        return s.bCalcTop;
    if (key == "FORCEPORTRAIT")
        return s.bForcePortrait;
    return s.bConstrainImage; // CONSTRAINIMAGE
}

} // namespace

const std::vector<std::string_view>& SettingAssignment::Keys() {
    static const std::vector<std::string_view> keys = [] {
        std::vector<std::string_view> k;
        for (const Key& key : kKeys)
            k.push_back(key.name);
        return k;
    }();
    return keys;
}

std::string SettingAssignment::Check(std::string_view key, std::string_view value) {
    const Key* k = Find(key);
    if (!k)
        return "\"" + std::string(key) + "\" is not a parameter-file key";
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return std::string(key) + ": a value cannot hold a line break";
    const std::string quoted = "\"" + std::string(value) + "\"";
    switch (k->kind) {
    case Kind::Int: {
        int32_t n = 0;
        if (!ParseExact(value, n))
            return std::string(key) + " needs a whole number from -2147483648 to 2147483647, not " +
                   quoted;
        return {};
    }
    case Kind::Colour: {
        uint32_t n = 0;
        if (value.starts_with('-') || !ParseExact(value, n))
            return std::string(key) + " needs a whole number from 0 to 4294967295, not " + quoted;
        return {};
    }
    case Kind::Flag:
        if (value != "0" && value != "1")
            return std::string(key) + " needs 1 (on) or 0 (off), not " + quoted;
        return {};
    case Kind::Font:
        if (!FontRecordIsExact(value))
            return std::string(key) +
                   " needs 13 whole numbers and a face name of 1 to 31 characters, each "
                   "after a \"|\", not " +
                   quoted;
        return {};
    case Kind::Text:
        return {};
    }
    return {};
}

void SettingAssignment::Apply(std::string_view key, std::string_view value,
                              StampSettings& settings) {
    const Key* k = Find(key);
    if (!k)
        return;
    switch (k->kind) {
    case Kind::Int:
        ParseExact(value, IntMember(key, settings));
        break;
    case Kind::Colour:
        ParseExact(value, settings.text.crTextColor);
        break;
    case Kind::Text:
        TextMember(key, settings) = std::string(value);
        break;
    case Kind::Flag:
        FlagMember(key, settings) = value == "1";
        break;
    case Kind::Font: {
        // The record reads exactly as the file's line does; only the font
        // is taken from that read, so no other member is touched.
        StampSettings scratch = settings;
        if (ParameterFile::Apply("T_FONTINFO;" + std::string(value), scratch))
            settings.text.lfFontInfo = scratch.text.lfFontInfo;
        break;
    }
    }
}
