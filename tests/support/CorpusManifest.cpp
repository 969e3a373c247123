#include "CorpusManifest.h"

#include <utility>

#include <gtest/gtest.h>

#include "TsvRows.h"

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
    const auto rows = ReadTsvRows(corpus / "MANIFEST.tsv");
    present_ = rows.has_value();
    if (!rows)
        return;
    bool header = true;
    for (const TsvRow& fields : *rows) {
        if (std::exchange(header, false) && !fields.empty() && fields[0] == "path")
            continue;
        if (fields.size() < 4) {
            entries_.push_back(CorpusEntry{
                fields.empty() ? std::string() : fields[0], {}, Expect::Unknown, "(missing)", {}});
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
