// What a run leaves behind besides the document: temporary files, and the
// host process itself.
#include "StampScenario.h"

#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};

class RunHygieneTest : public StampScenario {};

TEST_F(RunHygieneTest, AFinishedRunLeavesNoTemporaryJpeg) {
    WritePdf(folder.Path("in.pdf"), NumberedPages(2));
    struct Case {
        const char* what;
        fs::path picture;
    } cases[] = {
        {"a BMP, embedded through the temporary JPEG", Picture("black.bmp", 40, 30, Solid(kBlack))},
        // The temporary JPEG is written in every run, also when the picture
        // file itself is embedded.
        {"a .jpg embedded as it is", Picture("black.jpg", 40, 30, Solid(kBlack))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandardSettings(c.picture, 40, 30).Write(folder.SettingsPath());
        const HostResult r =
            folder.RunScript("open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nclick 1032\nmenu "
                             "ADBE:PDFTalvane\nclose\n");
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, (std::vector<TranscriptMessage>{Done(), Done()}));
        EXPECT_EQ(folder.InstallFiles(), std::vector<std::string>{"PDFTalvane.ini"});
    }
}

TEST_F(RunHygieneTest, TheFirstRunClearsWhatEndedHostsLeftBehind) {
    // A host killed mid-run leaves its temporary JPEG; with one name per
    // process they would pile up. A running host's file is its own business.
    WritePdf(folder.Path("in.pdf"), NumberedPages(1));
    UseBlackPicture();
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    const std::string ended = "temp-" + std::to_string(child) + ".jpg";
    const std::string running = "temp-" + std::to_string(::getpid()) + ".jpg";
    for (const std::string& name : {ended, running, std::string("notes.jpg")})
        std::ofstream(folder.Install() / name) << "x";

    const HostResult r = folder.RunScript("open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nclose\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
    EXPECT_EQ(folder.InstallFiles(),
              (std::vector<std::string>{"PDFTalvane.ini", "notes.jpg", running}));
}

// The HANDLES lines a script printed, in order.
std::vector<std::string> HandleLines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("HANDLES ", 0) == 0)
            lines.push_back(line);
    return lines;
}

TEST_F(RunHygieneTest, EveryRunReleasesWhatItTookFromTheHost) {
    // The open document keeps its own file; the system font belongs to the
    // host once found. Nothing else may stay alive after any kind of run.
    const std::string before = "HANDLES path=0 file=1 stream=0 page=0 pde-object=0 sys-font=0";
    const std::string after = "HANDLES path=0 file=1 stream=0 page=0 pde-object=0 sys-font=1";
    WritePdf(folder.Path("in.pdf"), NumberedPages(3));
    UseBlackPicture();
    struct Case {
        const char* what;
        std::vector<std::string> options;
        std::string run;
    } cases[] = {
        {"a finished apply and undo",
         {},
         "click 1003\nmenu ADBE:PDFTalvane\nclick 1032\nmenu ADBE:PDFTalvane\n"},
        {"the image element refused",
         {"--fault", "PDEImageCreate=0x400C0005"},
         "click 1003\nmenu ADBE:PDFTalvane\n"},
        {"a page refused half-way",
         {"--fault", "PDDocAcquirePage=0x400B0001@4"},
         "click 1003\nmenu ADBE:PDFTalvane\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HostResult r =
            folder.RunScript("open in.pdf\nhandles\n" + c.run + "handles\nclose\n", c.options);
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(HandleLines(r.out), (std::vector<std::string>{before, after}));
    }
}

TEST_F(RunHygieneTest, AHostLeftWithItsStampedDocumentOpenExitsCleanly) {
    // A script need not close its document: the host closes it on exit.
    WritePdf(folder.Path("in.pdf"), NumberedPages(2));
    UseBlackPicture();
    const HostResult r =
        folder.RunScript("open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\n");
    EXPECT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
    EXPECT_EQ(StampedPages(folder.Path("out.pdf")), (std::vector<int>{0, 1}));
}

TEST_F(RunHygieneTest, ARunNeverWritesTheInstallationsSharedJpegName) {
    // Hosts sharing one installation would overwrite each other's picture
    // if a run wrote "temp.jpg" itself. Here that name is a folder that
    // cannot be written or removed, so a run that wrote or deleted it would
    // end without its picture; whether two hosts overlap plays no part.
    WritePdf(folder.Path("in.pdf"), NumberedPages(2));
    UseBlackPicture();
    fs::create_directory(folder.Install() / "temp.jpg");
    std::ofstream(folder.Install() / "temp.jpg" / "keep") << "x";

    const HostResult r =
        folder.RunScript("open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out.pdf\nclose\n");
    ASSERT_EQ(r.status, 0) << r.Describe();
    EXPECT_EQ(r.messages, std::vector<TranscriptMessage>{Done()});
    ExpectBlackStampOn(folder.Path("in.pdf"), folder.Path("out.pdf"), 2, {0, 1});
    EXPECT_EQ(folder.InstallFiles(), (std::vector<std::string>{"PDFTalvane.ini", "temp.jpg"}));
    EXPECT_TRUE(fs::exists(folder.Install() / "temp.jpg" / "keep"));
}

TEST_F(RunHygieneTest, TwoHostsStampingAtOnceEachEmbedTheirOwnPicture) {
    // Both hosts share the installation folder, so the settings and the
    // place of the temporary JPEG; the picture is named relative to each
    // host's working folder, so each has a picture of its own colour. Each
    // host stamps several times so that their JPEG writes are likely to
    // overlap; that they never share a file name does not rest on it (see
    // the test above, and ConcurrentStampLoadTest for many hosts).
    constexpr int kSide = 1000;
    constexpr int kRuns = 6;
    StandardSettings("pic.bmp", kSide, kSide).Write(folder.SettingsPath());
    struct Host {
        fs::path dir;
        Rgb colour;
        std::unique_ptr<HostProcess> process;
    } hosts[] = {{folder.Path("red"), kRed, nullptr}, {folder.Path("blue"), kBlue, nullptr}};
    std::string script;
    for (int run = 1; run <= kRuns; ++run)
        script += "open in.pdf\nclick 1003\nmenu ADBE:PDFTalvane\nsave out" + std::to_string(run) +
                  ".pdf\nclose\n";
    for (Host& h : hosts) {
        fs::create_directory(h.dir);
        WriteBmp(h.dir / "pic.bmp", kSide, kSide, Solid(h.colour));
        WritePdf(h.dir / "in.pdf", NumberedPages(1));
        std::ofstream(h.dir / "stamp.script") << script;
    }
    for (Host& h : hosts)
        h.process = folder.Start({"run", "stamp.script"}, h.dir);
    for (Host& h : hosts) {
        SCOPED_TRACE(h.dir.filename().string());
        const HostResult r = h.process->Wait();
        ASSERT_EQ(r.status, 0) << r.Describe();
        EXPECT_EQ(r.messages, std::vector<TranscriptMessage>(kRuns, Done()));
        for (int run = 1; run <= kRuns; ++run) {
            const fs::path out = h.dir / ("out" + std::to_string(run) + ".pdf");
            const std::vector<ImageFacts> images = PdfInspector(out).Images();
            ASSERT_EQ(images.size(), 1u) << out;
            const auto decoded = DecodeJpeg(images[0].rawData);
            ASSERT_TRUE(decoded) << out;
            for (const auto& [x, y] :
                 {std::pair{0, 0}, {kSide / 2, kSide / 2}, {kSide - 1, kSide - 1}})
                EXPECT_TRUE(Near(decoded->At(x, y), h.colour, 8))
                    << out << " at " << x << "," << y << ": " << decoded->At(x, y);
        }
    }
    EXPECT_EQ(folder.InstallFiles(), std::vector<std::string>{"PDFTalvane.ini"});
}

} // namespace
} // namespace e2e
