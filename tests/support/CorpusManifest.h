// The shared corpus's MANIFEST.tsv: one row per file, tab-separated
// (path, bytes, sha256, expect, facts, exercises, origin, licence), with a
// header row.
//
// Contract: the constructor reads `corpus`/MANIFEST.tsv; when there is none,
// Present() is false and there are no entries (tests then skip). Empty
// lines, lines starting with '#' and the header row are passed over. An
// expectation that is none of the known words reads as Expect::Unknown;
// Entries() fails the running test for each such entry it returns, so a
// misspelt word is reported instead of getting the weakest check.
// All() does not, for code that runs before any test (parameter lists):
// those tests must fail on Unknown themselves.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

struct CorpusEntry {
    enum class Expect { Load, Reject, NoCrash, Parse, Password, Reference, Refuse, Stamp, Unknown };

    std::string path;           // relative to the corpus
    std::filesystem::path file; // the file itself
    Expect expect = Expect::Unknown;
    std::string expectWord; // as written
    std::string facts;      // "127x64", "pages=3", ...
};

class CorpusManifest {
  public:
    explicit CorpusManifest(const std::filesystem::path& corpus);

    bool Present() const { return present_; }
    const std::filesystem::path& Folder() const { return corpus_; }

    // Entries whose path starts with `under` ("pdf/"), every entry when it is
    // empty; each whose expectation is unknown fails the running test.
    std::vector<CorpusEntry> Entries(const std::string& under = "") const;
    // Every entry, without judging expectations.
    const std::vector<CorpusEntry>& All() const { return entries_; }

  private:
    std::filesystem::path corpus_;
    bool present_ = false;
    std::vector<CorpusEntry> entries_;
};

} // namespace testsupport
