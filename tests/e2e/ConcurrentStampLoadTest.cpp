// Eight `pdfhost stamp` processes at once on one installation folder, round
// after round, on the corpus documents a stamp run accepts: every output
// passes qpdf --check and holds its own process's picture of that round, and
// nothing is left in the installation folder.
//
// The pictures change colour from round to round, so a JPEG left over from
// another process or an earlier round is caught as well as a shared one.
// TALVANE_LOAD_ROUNDS sets the number of rounds (the suite runs a few;
// scripts/load-test runs the full load).
#include "StampScenario.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "tests/support/CorpusManifest.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kHosts = 8;
constexpr int kDocumentsPerHost = 2;
constexpr int kSide = 300;
constexpr int kDefaultRounds = 3;
constexpr Rgb kColours[kHosts] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255}, {255, 255, 0},
                                  {255, 0, 255}, {0, 255, 255}, {0, 0, 0},   {128, 128, 128}};

int Rounds() {
    const char* text = std::getenv("TALVANE_LOAD_ROUNDS");
    const int rounds = text ? std::atoi(text) : 0;
    return rounds > 0 ? rounds : kDefaultRounds;
}

class ConcurrentStampLoadTest : public StampScenario {};

TEST_F(ConcurrentStampLoadTest, EightHostsOnOneInstallationEachEmbedTheirOwnPicture) {
    const testsupport::CorpusManifest manifest(TALVANE_CORPUS_DIR);
    if (!manifest.Present())
        GTEST_SKIP() << "the corpus is not at " << manifest.Folder();
    std::vector<fs::path> documents;
    for (const testsupport::CorpusEntry& e : manifest.Entries("pdf/"))
        if (e.expect == testsupport::CorpusEntry::Expect::Stamp)
            documents.push_back(e.file);
    ASSERT_GE(documents.size(), size_t{kHosts * kDocumentsPerHost});

    // The picture is named relative to each host's working folder.
    StandardSettings("pic.bmp", kSide, kSide).Write(folder.SettingsPath());
    fs::path dirs[kHosts];
    for (int h = 0; h < kHosts; ++h) {
        dirs[h] = folder.Path("host" + std::to_string(h));
        fs::create_directory(dirs[h]);
    }

    const int rounds = Rounds();
    size_t next = 0; // walks the corpus, so that every document gets its turn
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        struct Host {
            Rgb colour;
            std::vector<fs::path> inputs;
            std::unique_ptr<HostProcess> process;
        } hosts[kHosts];
        for (int h = 0; h < kHosts; ++h) {
            Host& host = hosts[h];
            host.colour = kColours[(h + round) % kHosts];
            WriteBmp(dirs[h] / "pic.bmp", kSide, kSide, Solid(host.colour));
            fs::remove_all(dirs[h] / "out");
            fs::create_directory(dirs[h] / "out");
            for (int d = 0; d < kDocumentsPerHost; ++d)
                host.inputs.push_back(documents[next++ % documents.size()]);
        }
        for (int h = 0; h < kHosts; ++h) {
            std::vector<std::string> args = {"stamp", "--out-dir", "out"};
            for (const fs::path& in : hosts[h].inputs)
                args.push_back(in.string());
            hosts[h].process = folder.Start(args, dirs[h]);
        }
        for (int h = 0; h < kHosts; ++h) {
            SCOPED_TRACE("host " + std::to_string(h));
            Host& host = hosts[h];
            const HostResult r = host.process->Wait(300);
            ASSERT_EQ(r.status, 0) << r.Describe();
            EXPECT_EQ(r.messages, std::vector<TranscriptMessage>(host.inputs.size(), Done()));
            for (const fs::path& in : host.inputs) {
                const fs::path out = dirs[h] / "out" / in.filename();
                SCOPED_TRACE(out.string());
                ASSERT_TRUE(fs::exists(out));
                EXPECT_EQ(QpdfCheck(out), 0);
                std::vector<ImageFacts> stamps = PdfInspector(out).Images();
                std::erase_if(stamps, [](const ImageFacts& i) { return !i.stampMarked; });
                ASSERT_EQ(stamps.size(), 1u);
                const auto decoded = DecodeJpeg(stamps[0].rawData);
                ASSERT_TRUE(decoded);
                ASSERT_EQ(decoded->width, kSide);
                for (const auto& [x, y] :
                     {std::pair{0, 0}, {kSide / 2, kSide / 2}, {kSide - 1, kSide - 1}})
                    EXPECT_TRUE(Near(decoded->At(x, y), host.colour, 8))
                        << "at " << x << "," << y << ": " << decoded->At(x, y);
            }
        }
        ASSERT_EQ(folder.InstallFiles(), std::vector<std::string>{"PDFTalvane.ini"});
    }
}

} // namespace
} // namespace e2e
