#include "settings/ParameterFile.h"

#include <array>
#include <cstdio>
#include <limits>
#include <vector>

namespace {

// ---- numbers ---------------------------------------------------------------

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Leading white space, an optional sign, then decimal digits up to the first
// other character; 0 when there are none. Out-of-range values saturate at the
// bounds of int64 instead of overflowing.
int64_t ParseWide(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsCSpace(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    constexpr uint64_t kLimit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1;
    uint64_t magnitude = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        const uint64_t digit = static_cast<uint64_t>(s[i] - '0');
        magnitude = magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
    }
    if (negative)
        return magnitude == kLimit ? std::numeric_limits<int64_t>::min()
                                   : -static_cast<int64_t>(magnitude);
    return magnitude >= kLimit ? std::numeric_limits<int64_t>::max()
                               : static_cast<int64_t>(magnitude);
}

// atoi and a 32-bit atol: out-of-range values saturate, as the home
// platform's runtime does.
int32_t ParseInt(std::string_view s) {
    const int64_t v = ParseWide(s);
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// The colour is written unsigned, so it is read modulo 2^32: every value the
// writer can produce, 4294967295 included, reads back unchanged.
uint32_t ParseColour(std::string_view s) {
    return static_cast<uint32_t>(ParseWide(s));
}

uint8_t ParseByte(std::string_view s) {
    return static_cast<uint8_t>(ParseInt(s) & 0xff);
}

// ---- tokens ----------------------------------------------------------------

bool IsSeparator(char c) {
    return c == ';' || c == '|' || c == '\n';
}

std::vector<std::string_view> Tokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i]))
            ++i;
        const size_t start = i;
        while (i < line.size() && !IsSeparator(line[i]))
            ++i;
        if (i > start)
            tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

// ---- keys ------------------------------------------------------------------

using IntField = int32_t& (*)(StampSettings&);
using TextField = std::string& (*)(StampSettings&);

struct IntKey {
    std::string_view key;
    IntField field;
};

struct TextKey {
    std::string_view key;
    TextField field;
};

constexpr std::array<IntKey, 15> kIntKeys = {{
    {"STARTPROC", [](StampSettings& s) -> int32_t& { return s.nStartProc; }},
    {"ENDPROC", [](StampSettings& s) -> int32_t& { return s.nEndProc; }},
    {"VERTICAL", [](StampSettings& s) -> int32_t& { return s.nVertical; }},
    {"HORIZONTAL", [](StampSettings& s) -> int32_t& { return s.nHorizontal; }},
    {"1NTH", [](StampSettings& s) -> int32_t& { return s.nNth; }},
    {"OPACITY", [](StampSettings& s) -> int32_t& { return s.nOpacity; }},
    {"IMAGEWIDTH", [](StampSettings& s) -> int32_t& { return s.nImageWidth; }},
    {"IMAGEHEIGHT", [](StampSettings& s) -> int32_t& { return s.nImageHeight; }},
    {"IMAGEWIDTHPDF", [](StampSettings& s) -> int32_t& { return s.nImageWidthPdf; }},
    {"IMAGEHEIGHTPDF", [](StampSettings& s) -> int32_t& { return s.nImageHeightPdf; }},
    {"TEXTONIMAGE", [](StampSettings& s) -> int32_t& { return s.nTextOnImage; }},
    {"T_TRANSPARENT", [](StampSettings& s) -> int32_t& { return s.text.nTransparent; }},
    {"T_FONTSIZE", [](StampSettings& s) -> int32_t& { return s.text.nFontSize; }},
    {"T_HORIZPOS", [](StampSettings& s) -> int32_t& { return s.text.nHorizPos; }},
    {"T_VERTPOS", [](StampSettings& s) -> int32_t& { return s.text.nVertPos; }},
}};

constexpr std::array<TextKey, 4> kTextKeys = {{
    {"POSITION", [](StampSettings& s) -> std::string& { return s.szPosition; }},
    {"IMAGEFILENAME", [](StampSettings& s) -> std::string& { return s.szImageFileName; }},
    {"T_TEXT", [](StampSettings& s) -> std::string& { return s.text.szText; }},
    {"T_FONTNAME", [](StampSettings& s) -> std::string& { return s.text.szFontName; }},
}};

// The thirteen numbers of the font record, then its face name.
constexpr size_t kFontInfoTokens = 14;

bool ApplyFontInfo(const std::vector<std::string_view>& t, LogFont& font) {
    // A short record, or a face name too long for the record, leaves the
    // whole description as it was: a font is only meaningful with its face,
    // and a cut name would name another font.
    if (t.size() < 1 + kFontInfoTokens || t[kFontInfoTokens].size() > LogFont::kMaxFaceName)
        return false;
    LogFont f = font;
    f.lfHeight = ParseInt(t[1]);
    f.lfWidth = ParseInt(t[2]);
    f.lfEscapement = ParseInt(t[3]);
    f.lfOrientation = ParseInt(t[4]);
    f.lfWeight = ParseInt(t[5]);
    f.lfItalic = ParseByte(t[6]);
    f.lfUnderline = ParseByte(t[7]);
    f.lfStrikeOut = ParseByte(t[8]);
    f.lfCharSet = ParseByte(t[9]);
    f.lfOutPrecision = ParseByte(t[10]);
    f.lfClipPrecision = ParseByte(t[11]);
    f.lfQuality = ParseByte(t[12]);
    f.lfPitchAndFamily = ParseByte(t[13]);
    f.SetFaceName(t[14]);
    font = f;
    return true;
}

// Applies one line. Decisions for what the writer never produces:
// - a line with no token (empty, or separators only) is skipped;
// - a numeric key with no value token is skipped, the member keeps its
//   value (a missing number is not a 0);
// - a text key with no value token sets the empty text, which is how the
//   writer stores an empty text ("T_TEXT;");
// - T_FONTINFO with fewer than fourteen value tokens: see ApplyFontInfo.
void ApplyLine(std::string_view line, StampSettings& s, ParameterFile::Applied& applied) {
    const std::vector<std::string_view> t = Tokens(line);
    if (t.empty())
        return;
    const std::string_view key = t[0];
    for (const IntKey& k : kIntKeys) {
        if (key == k.key) {
            if (t.size() > 1)
                k.field(s) = ParseInt(t[1]);
            return;
        }
    }
    for (const TextKey& k : kTextKeys) {
        if (key == k.key) {
            k.field(s) = t.size() > 1 ? std::string(t[1]) : std::string();
            return;
        }
    }
    if (key == "CALCRIGHT") {
        s.bCalcRight = true;
    } else if (key == "CALCTOP") {
        s.bCalcTop = true;
    } else if (key == "FORCEPORTRAIT") {
        s.bForcePortrait = true;
    } else if (key == "CONSTRAINIMAGE") {
        s.bConstrainImage = false;
    } else if (key == "T_TEXTCOLOR") {
        if (t.size() > 1) {
            s.text.crTextColor = ParseColour(t[1]);
            applied.textColor = true;
        }
    } else if (key == "T_FONTINFO") {
        if (ApplyFontInfo(t, s.text.lfFontInfo))
            applied.fontInfo = true;
    }
}

// A line break inside a value would end its line early and let the rest be
// read as lines of their own (a file name holding "\nSTARTPROC;9" would move
// the page range), so each CR or LF is written as a space.
void AppendLine(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += ';';
    for (const char c : value)
        out += (c == '\r' || c == '\n') ? ' ' : c;
    out += "\r\n";
}

std::string FontRecord(const LogFont& f) {
    std::array<char, 160> numbers;
    std::snprintf(numbers.data(), numbers.size(),
                  "%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|%4d|", f.lfHeight, f.lfWidth,
                  f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline,
                  f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality,
                  f.lfPitchAndFamily);
    const std::string_view face = f.FaceName();
    return std::string(numbers.data()) + (face.empty() ? std::string(" ") : std::string(face));
}

} // namespace

std::string ParameterFile::Format(const StampSettings& s) {
    std::string out;
    AppendLine(out, "STARTPROC", std::to_string(s.nStartProc));
    AppendLine(out, "ENDPROC", std::to_string(s.nEndProc));
    AppendLine(out, "POSITION", s.szPosition);
    AppendLine(out, "VERTICAL", std::to_string(s.nVertical));
    AppendLine(out, "HORIZONTAL", std::to_string(s.nHorizontal));
    AppendLine(out, "1NTH", std::to_string(s.nNth));
    AppendLine(out, "OPACITY", std::to_string(s.nOpacity));
    AppendLine(out, "IMAGEFILENAME", s.szImageFileName);
    AppendLine(out, "IMAGEWIDTH", std::to_string(s.nImageWidth));
    AppendLine(out, "IMAGEHEIGHT", std::to_string(s.nImageHeight));
    AppendLine(out, "IMAGEWIDTHPDF", std::to_string(s.nImageWidthPdf));
    AppendLine(out, "IMAGEHEIGHTPDF", std::to_string(s.nImageHeightPdf));
    if (s.bCalcRight)
        out += "CALCRIGHT\r\n";
    if (s.bCalcTop)
        out += "CALCTOP\r\n";
    if (s.bForcePortrait)
        out += "FORCEPORTRAIT\r\n";
    if (!s.bConstrainImage)
        out += "CONSTRAINIMAGE\r\n";
    AppendLine(out, "TEXTONIMAGE", std::to_string(s.nTextOnImage));
    AppendLine(out, "T_TRANSPARENT", std::to_string(s.text.nTransparent));
    AppendLine(out, "T_TEXT", s.text.szText);
    AppendLine(out, "T_FONTNAME", s.text.szFontName);
    AppendLine(out, "T_HORIZPOS", std::to_string(s.text.nHorizPos));
    AppendLine(out, "T_VERTPOS", std::to_string(s.text.nVertPos));
    AppendLine(out, "T_FONTSIZE", std::to_string(s.text.nFontSize));
    AppendLine(out, "T_TEXTCOLOR", std::to_string(s.text.crTextColor));
    AppendLine(out, "T_FONTINFO", FontRecord(s.text.lfFontInfo));
    return out;
}

// A file holding a NUL byte is not text (a picture or document picked by
// mistake): nothing of it is applied, rather than resetting the presence-
// coded switches and applying whatever lines happen to parse.
bool ParameterFile::IsParameterText(std::string_view content) {
    return content.find('\0') == std::string_view::npos;
}

std::optional<ParameterFile::Applied> ParameterFile::Apply(std::string_view content,
                                                           StampSettings& settings) {
    if (!IsParameterText(content))
        return std::nullopt;
    StampSettings next = settings;
    next.bCalcRight = false;
    next.bCalcTop = false;
    next.bForcePortrait = false;
    next.bConstrainImage = true;
    Applied applied;
    // Lines end at LF, and the CR of a CR LF end is dropped (also on a last
    // line without LF). A line is read whole, whatever its length: the
    // writer stores long texts on one line, and reading them back cut, or
    // reading their tail as a line of its own, would change the settings.
    // Every other byte, Ctrl-Z included, is data.
    while (!content.empty()) {
        const size_t lf = content.find('\n');
        std::string_view line = content.substr(0, lf);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        ApplyLine(line, next, applied);
        if (lf == std::string_view::npos)
            break;
        content.remove_prefix(lf + 1);
    }
    settings = std::move(next);
    return applied;
}

bool ParameterFile::IsSettingsFile(std::string_view path) {
    return path.find(kSettingsFileName) != std::string_view::npos;
}
