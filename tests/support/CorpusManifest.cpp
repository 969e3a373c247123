#include "CorpusManifest.h"

#include <fstream>
#include <sstream>
#include <utility>

#include <gtest/gtest.h>

namespace testsupport {
namespace {

using Expect = CorpusEntry::Expect;

Expect FromWord(const std::string& word) {
    static const std::pair<const char*, Expect> kWords[] = {
        {"load", Expect::Load},         {"reject", Expect::Reject},
        {"no-crash", Expect::NoCrash},  {"parse", Expect::Parse},
        {"password", Expect::Password}, {"reference", Expect::Reference},
        {"refuse", Expect::Refuse},     {"stamp", Expect::Stamp},
    };
    for (const auto& [text, expect] : kWords)
        if (word == text)
            return expect;
    return Expect::Unknown;
}

} // namespace

CorpusManifest::CorpusManifest(const std::filesystem::path& corpus) : corpus_(corpus) {
    std::ifstream in(corpus / "MANIFEST.tsv");
    present_ = static_cast<bool>(in);
    bool header = true;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (std::exchange(header, false) && !fields.empty() && fields[0] == "path")
            continue;
        if (fields.size() < 4) {
            entries_.push_back(CorpusEntry{
                fields.empty() ? line : fields[0], {}, Expect::Unknown, "(missing)", {}});
            continue;
        }
        entries_.push_back(CorpusEntry{fields[0], corpus / fields[0], FromWord(fields[3]),
                                       fields[3], fields.size() > 4 ? fields[4] : std::string()});
    }
}

std::vector<CorpusEntry> CorpusManifest::Entries(const std::string& under) const {
    std::vector<CorpusEntry> chosen;
    for (const CorpusEntry& e : entries_) {
        if (e.path.rfind(under, 0) != 0)
            continue;
        if (e.expect == Expect::Unknown)
            ADD_FAILURE() << corpus_ / "MANIFEST.tsv"
                          << ": " << e.path << " expects \"" << e.expectWord
                          << "\", which is no known expectation";
        chosen.push_back(e);
    }
    return chosen;
}

} // namespace testsupport
