#include "pdfhost/pdf/SystemFonts.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <vector>

#include <fontconfig/fontconfig.h>

#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::pdf {
namespace {

std::string Normalised(const std::string& s) {
    std::string out;
    for (unsigned char c : s)
        if (!std::isspace(c) && c != '-' && c != '_')
            out += static_cast<char>(std::tolower(c));
    return out;
}

// Families designed to share their metrics with the requested one.
const std::map<std::string, std::vector<std::string>>& compatible() {
    static const std::map<std::string, std::vector<std::string>> table = {
        {"arial", {"Liberation Sans", "Arimo"}},
        {"arialmt", {"Arial", "Liberation Sans", "Arimo"}},
        {"helvetica", {"Liberation Sans", "Arimo"}},
        {"arialnarrow", {"Liberation Sans Narrow"}},
        {"timesnewroman", {"Liberation Serif", "Tinos"}},
        {"timesnewromanpsmt", {"Times New Roman", "Liberation Serif", "Tinos"}},
        {"times", {"Liberation Serif", "Tinos"}},
        {"timesroman", {"Liberation Serif", "Tinos"}},
        {"couriernew", {"Liberation Mono", "Cousine"}},
        {"couriernewpsmt", {"Courier New", "Liberation Mono", "Cousine"}},
        {"courier", {"Liberation Mono", "Cousine"}},
    };
    return table;
}

bool FormatFits(const std::string& type, const std::string& format) {
    const std::string t = Normalised(type);
    if (t == "truetype" || t == "truetype1")
        return format == "TrueType";
    if (t == "type1")
        return format == "Type 1";
    return false;
}

struct Candidate {
    std::string file;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    std::string format;
};

std::vector<Candidate> ListFamily(const std::string& family) {
    FcInit();
    std::vector<Candidate> out;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_WEIGHT, FC_SLANT, FC_FONTFORMAT, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    for (int i = 0; set && i < set->nfont; ++i) {
        Candidate c;
        FcChar8* s = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &s) == FcResultMatch)
            c.file = reinterpret_cast<const char*>(s);
        if (FcPatternGetString(set->fonts[i], FC_FONTFORMAT, 0, &s) == FcResultMatch)
            c.format = reinterpret_cast<const char*>(s);
        FcPatternGetInteger(set->fonts[i], FC_WEIGHT, 0, &c.weight);
        FcPatternGetInteger(set->fonts[i], FC_SLANT, 0, &c.slant);
        out.push_back(c);
    }
    if (set)
        FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return out;
}

// The face of the family closest to the style, or none.
const Candidate* BestFace(const std::vector<Candidate>& faces, bool bold, bool italic,
                          const std::string& type, bool matchType) {
    const Candidate* best = nullptr;
    int bestScore = 0;
    for (const Candidate& c : faces) {
        if (matchType && !FormatFits(type, c.format))
            continue;
        const bool isBold = c.weight >= FC_WEIGHT_BOLD;
        const bool isItalic = c.slant != FC_SLANT_ROMAN;
        const int score = 1 + (isBold == bold ? 2 : 0) + (isItalic == italic ? 2 : 0) +
                          (c.weight == FC_WEIGHT_REGULAR || c.weight == FC_WEIGHT_BOLD ? 1 : 0);
        if (score > bestScore) {
            best = &c;
            bestScore = score;
        }
    }
    return best;
}

struct Found {
    std::deque<SystemFont> fonts; // never moves: handles point into it
    std::map<std::string, const SystemFont*> byRequest;
};

Found& found() {
    static Found f;
    return f;
}

} // namespace

const SystemFont& SystemFont::FromHandle(PDSysFont font) {
    return *HandleRegistry::Check<const SystemFont>(font, HandleKind::PDSysFont);
}

const SystemFont* SystemFonts::Find(const std::string& name, const std::string& type,
                                    bool matchType) {
    std::string family = name;
    std::string style;
    if (const auto comma = name.find(','); comma != std::string::npos) {
        family = name.substr(0, comma);
        style = Normalised(name.substr(comma + 1));
    }
    const bool bold = style.find("bold") != std::string::npos;
    const bool italic =
        style.find("italic") != std::string::npos || style.find("oblique") != std::string::npos;

    const std::string key = name + "\n" + (matchType ? type : std::string());
    Found& f = found();
    if (auto it = f.byRequest.find(key); it != f.byRequest.end())
        return it->second;

    std::vector<std::string> families{family};
    if (auto it = compatible().find(Normalised(family)); it != compatible().end())
        families.insert(families.end(), it->second.begin(), it->second.end());

    const SystemFont* result = nullptr;
    for (const std::string& candidate : families) {
        const std::vector<Candidate> faces = ListFamily(candidate);
        if (const Candidate* face = BestFace(faces, bold, italic, type, matchType)) {
            f.fonts.push_back(SystemFont{name, candidate, face->file, bold, italic});
            SystemFont& font = f.fonts.back();
            font.handle = HandleRegistry::As<PDSysFont>(
                HandleRegistry::Register(&font, HandleKind::PDSysFont));
            result = &font;
            break;
        }
    }
    f.byRequest.emplace(key, result);
    return result;
}

} // namespace pdfhost::pdf
