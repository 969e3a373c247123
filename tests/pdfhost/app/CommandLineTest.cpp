#include <gtest/gtest.h>

#include <sstream>

#include "pdfhost/app/CommandLine.h"
#include "pdfhost/app/ScriptRunner.h"
#include "sdk/ASErrors.h"

namespace pdfhost::app {
namespace {

CommandLine Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "pdfhost");
    return CommandLine::Parse(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineTest, ReadsCommandsAndTestOnlyOptions) {
    const CommandLine cl = Parse({"--plugins", "/p", "--registry=/r.reg", "--offer",
                                  "PDSysFont=4.0", "--withhold=ASExtra", "--no-menu", "Extensions",
                                  "--fault", "AVToolButtonNew=0x400D0002@2", "--fault",
                                  "PDDocAcquirePage=1074462721", "run", "s.txt"});
    ASSERT_EQ(cl.error, "");
    EXPECT_EQ(cl.command, Command::Run);
    EXPECT_EQ(cl.script, "s.txt");
    EXPECT_EQ(cl.pluginFolder, "/p");
    EXPECT_EQ(cl.registryFile, "/r.reg");
    ASSERT_EQ(cl.session.offers.size(), 1u);
    EXPECT_EQ(cl.session.offers[0], (std::pair<std::string, ASVersion>{"PDSysFont", 0x00040000}));
    EXPECT_EQ(cl.session.withheld, std::vector<std::string>{"ASExtra"});
    EXPECT_EQ(cl.session.withoutMenus, std::vector<std::string>{"Extensions"});
    ASSERT_EQ(cl.session.faults.size(), 2u);
    EXPECT_EQ(cl.session.faults[0].operation, "AVToolButtonNew");
    EXPECT_EQ(cl.session.faults[0].code, kErrToolbarFailed);
    EXPECT_EQ(cl.session.faults[0].nthCall, 2);
    EXPECT_EQ(cl.session.faults[1].code, kErrBadPageIndex);
    EXPECT_EQ(cl.session.faults[1].nthCall, 0);

    EXPECT_EQ(Parse({"info"}).command, Command::Info);
    EXPECT_TRUE(Parse({"info", "--help"}).help);
}

TEST(CommandLineTest, RefusesWhatWouldSilentlyPlayADifferentHost) {
    struct Case {
        std::vector<const char*> args;
        const char* error;
    } cases[] = {
        {{}, "no command given"},
        {{"frob"}, "unknown command \"frob\""},
        {{"run"}, "run needs one SCRIPT"},
        {{"run", "a", "b"}, "run needs one SCRIPT"},
        {{"info", "x"}, "info takes no arguments"},
        {{"--plugins"}, "--plugins needs a value"},
        {{"--bogus", "info"}, "unknown option --bogus"},
        {{"--bogus=1", "info"}, "unknown option --bogus"},
        {{"--offer", "PDSysfont=4.0", "info"},
         "--offer: the host has no table named \"PDSysfont\""},
        {{"--offer", "PDSysFont=4", "info"}, "--offer needs NAME=MAJOR.MINOR, not \"PDSysFont=4\""},
        {{"--offer", "PDSysFont", "info"}, "--offer needs NAME=MAJOR.MINOR, not \"PDSysFont\""},
        {{"--withhold", "Nope", "info"}, "--withhold: the host has no table named \"Nope\""},
        {{"--no-menu", "Tools", "info"}, "--no-menu: the host has no menu named \"Tools\""},
        {{"--fault", "X=0", "info"},
         "--fault needs OP=CODE[@N] with a non-zero CODE and N >= 1, not \"X=0\""},
        {{"--fault", "X", "info"},
         "--fault needs OP=CODE[@N] with a non-zero CODE and N >= 1, not \"X\""},
        {{"--fault", "X=12@0", "info"},
         "--fault needs OP=CODE[@N] with a non-zero CODE and N >= 1, not \"X=12@0\""},
        {{"--fault", "X=0xZZ", "info"},
         "--fault needs OP=CODE[@N] with a non-zero CODE and N >= 1, not \"X=0xZZ\""},
        {{"--fault", "=5", "info"},
         "--fault needs OP=CODE[@N] with a non-zero CODE and N >= 1, not \"=5\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.args).error, c.error) << (c.args.empty() ? "" : c.args[0]);
}

TEST(CommandLineTest, ReadsStampRequestsWithTheirOwnOptions) {
    const CommandLine one =
        Parse({"--plugins", "/p", "stamp", "--params", "job.tvp", "--set", "OPACITY=50", "in.pdf",
               "--set=T_TEXT=a;b|c = d", "-o", "out.pdf", "--undo"});
    ASSERT_EQ(one.error, "");
    EXPECT_EQ(one.command, Command::Stamp);
    EXPECT_EQ(one.pluginFolder, "/p");
    EXPECT_EQ(one.stamp.inputs, std::vector<std::string>{"in.pdf"});
    EXPECT_EQ(one.stamp.OutputFor(0), "out.pdf");
    EXPECT_EQ(one.stamp.parameterFile, "job.tvp");
    const std::vector<std::pair<std::string, std::string>> settings = {{"OPACITY", "50"},
                                                                       {"T_TEXT", "a;b|c = d"}};
    EXPECT_EQ(one.stamp.settings, settings);
    EXPECT_TRUE(one.stamp.undo);

    const CommandLine many =
        Parse({"stamp", "a/x.pdf", "b/y.pdf", "--out-dir=out", "--", "-z.pdf"});
    ASSERT_EQ(many.error, "");
    EXPECT_EQ(many.stamp.inputs, (std::vector<std::string>{"a/x.pdf", "b/y.pdf", "-z.pdf"}));
    EXPECT_EQ(many.stamp.OutputFor(0), "out/x.pdf");
    EXPECT_EQ(many.stamp.OutputFor(2), "out/-z.pdf");
    EXPECT_FALSE(many.stamp.undo);
    EXPECT_FALSE(many.stamp.parameterFile);
}

// An undo would leave the removed picture in the earlier revision of an
// update, so it is rewritten unless asked otherwise.
TEST(CommandLineTest, StampSavesIncrementallyExceptForAnUndo) {
    struct Case {
        std::vector<const char*> options;
        bool incremental;
    } cases[] = {
        {{}, true},
        {{"--undo"}, false},
        {{"--rewrite"}, false},
        {{"--undo", "--incremental"}, true},
        {{"--incremental", "--incremental"}, true},
        {{"--rewrite", "--undo", "--rewrite"}, false},
    };
    for (const auto& c : cases) {
        std::vector<const char*> args = {"stamp", "in.pdf", "-o", "out.pdf"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CommandLine cl = Parse(args);
        ASSERT_EQ(cl.error, "");
        EXPECT_EQ(cl.stamp.Incremental(), c.incremental) << c.options.size();
    }
}

TEST(CommandLineTest, RefusesStampRequestsThatCannotMeanWhatTheUserWants) {
    struct Case {
        std::vector<const char*> args;
        const char* error;
    } cases[] = {
        {{"stamp"}, "stamp needs IN.pdf -o OUT.pdf or IN.pdf... --out-dir DIR"},
        {{"stamp", "in.pdf"}, "stamp needs -o OUT.pdf (one input) or --out-dir DIR"},
        {{"stamp", "in.pdf", "-o"}, "stamp: -o needs a value"},
        {{"stamp", "a.pdf", "b.pdf", "-o", "o.pdf"},
         "stamp: -o takes one input; use --out-dir DIR for several"},
        {{"stamp", "a.pdf", "-o", "o.pdf", "--out-dir", "d"},
         "stamp takes either -o or --out-dir, not both"},
        {{"stamp", "a.pdf", "b.pdf", "--undo", "--out-dir", "d"},
         "stamp: --undo takes one input (a second undo in a row is refused)"},
        {{"stamp", "x/a.pdf", "y/a.pdf", "--out-dir", "d"},
         "stamp: two inputs would both be written to d/a.pdf"},
        {{"stamp", "--frob", "a.pdf", "-o", "o.pdf"}, "stamp: unknown option --frob"},
        {{"stamp", "--undo=1", "a.pdf", "-o", "o.pdf"}, "stamp: unknown option --undo"},
        {{"stamp", "--rewrite", "a.pdf", "-o", "o.pdf", "--incremental"},
         "stamp takes either --rewrite or --incremental, not both"},
        {{"stamp", "--set", "OPACITY", "a.pdf", "-o", "o.pdf"},
         "stamp: --set needs KEY=VALUE, not \"OPACITY\""},
        {{"stamp", "--set", "opacity=5", "a.pdf", "-o", "o.pdf"},
         "stamp: --set \"opacity\" is not a parameter-file key"},
        {{"stamp", "--set", "T_TEXT=two\nlines", "a.pdf", "-o", "o.pdf"},
         "stamp: --set T_TEXT: a value cannot hold a line break"},
        {{"stamp", "--set", "OPACITY=5O", "a.pdf", "-o", "o.pdf"},
         "stamp: --set OPACITY needs a whole number from -2147483648 to 2147483647, not \"5O\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.args).error, c.error) << c.args.size() << " " << c.args.back();
}

TEST(ScriptRunnerTest, SplitsLinesAndSkipsBlanksAndComments) {
    struct Case {
        const char* text;
        bool isCommand;
        std::string command;
        std::vector<std::string> words;
        std::string rest;
    } cases[] = {
        {"", false, "", {}, ""},
        {"   \t ", false, "", {}, ""},
        {"# menu X", false, "", {}, ""},
        {"   # indented comment", false, "", {}, ""},
        {"menu ADBE:PDFTalvane", true, "menu", {"ADBE:PDFTalvane"}, "ADBE:PDFTalvane"},
        {"  open  /tmp/a b.pdf \r", true, "open", {"/tmp/a", "b.pdf"}, "/tmp/a b.pdf"},
        {"close", true, "close", {}, ""},
        {"save out#1.pdf", true, "save", {"out#1.pdf"}, "out#1.pdf"},
    };
    for (const auto& c : cases) {
        ScriptLine line;
        ASSERT_EQ(ScriptRunner::ParseLine(c.text, 7, line), c.isCommand) << c.text;
        if (!c.isCommand)
            continue;
        EXPECT_EQ(line.number, 7);
        EXPECT_EQ(line.command, c.command);
        EXPECT_EQ(line.words, c.words);
        EXPECT_EQ(line.rest, c.rest);
    }
}

TEST(ScriptRunnerTest, StopsAtTheFirstFailingLineAndNamesIt) {
    std::vector<std::string> ran;
    ScriptCommands::Register("note", [&](const ScriptLine& l) { ran.push_back(l.rest); });
    ScriptCommands::Register("fail",
                             [](const ScriptLine& l) { throw ScriptError("no " + l.rest); });
    struct Case {
        const char* script;
        int status;
        std::vector<std::string> ran;
        const char* errors;
    } cases[] = {
        {"note a\n\n# c\nnote b\n", 0, {"a", "b"}, ""},
        {"note a\nfail x\nnote b\n", 1, {"a"}, "pdfhost: s.txt:2: no x\n"},
        {"# c\n\nfrob\nnote a\n", 1, {}, "pdfhost: s.txt:3: unknown command \"frob\"\n"},
        {"", 0, {}, ""},
    };
    for (const auto& c : cases) {
        ran.clear();
        std::istringstream in(c.script);
        std::ostringstream errors;
        EXPECT_EQ(ScriptRunner::Run(in, "s.txt", errors), c.status) << c.script;
        EXPECT_EQ(ran, c.ran) << c.script;
        EXPECT_EQ(errors.str(), c.errors) << c.script;
    }
    std::ostringstream errors;
    EXPECT_EQ(ScriptRunner::RunFile("/nonexistent/script.txt", errors), 2);
    EXPECT_EQ(errors.str(), "pdfhost: cannot read the script /nonexistent/script.txt\n");
}

} // namespace
} // namespace pdfhost::app
