#include "pdfhost/app/CommandLine.h"

#include <algorithm>
#include <charconv>

#include "pdfhost/av/Menubar.h"
#include "platform/Clock.h"

namespace pdfhost::app {
namespace {

template <typename T> bool ParseNumber(std::string_view text, T& value, int base = 10) {
    if (base == 16 && (text.starts_with("0x") || text.starts_with("0X")))
        text.remove_prefix(2);
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

// "0x40D0002" or "1074593794".
bool ParseCode(std::string_view text, ASErrorCode& code) {
    ASUns32 value = 0;
    const bool hex = text.starts_with("0x") || text.starts_with("0X");
    if (!ParseNumber(text, value, hex ? 16 : 10) || value == 0)
        return false;
    code = static_cast<ASErrorCode>(value);
    return true;
}

bool KnownTable(const std::string& name) {
    const auto& names = TableRegistry::Names();
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool KnownMenu(const std::string& name) {
    const auto& names = av::Menubar::HostMenuNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Applies one option with its value; returns an error text or "".
std::string Apply(CommandLine& cl, const std::string& option, const std::string& value) {
    if (option == "--plugins") {
        cl.pluginFolder = value;
    } else if (option == "--registry") {
        cl.registryFile = value;
    } else if (option == "--offer") {
        const auto eq = value.find('=');
        const std::string name = value.substr(0, eq);
        // Without "=" the version text is empty, which ParseVersion refuses.
        const std::string_view versionText =
            eq == std::string::npos ? std::string_view() : std::string_view(value).substr(eq + 1);
        const auto version = TableRegistry::ParseVersion(versionText);
        if (!KnownTable(name))
            return "--offer: the host has no table named \"" + name + "\"";
        if (!version)
            return "--offer needs NAME=MAJOR.MINOR, not \"" + value + "\"";
        cl.session.offers.emplace_back(name, *version);
    } else if (option == "--withhold") {
        if (!KnownTable(value))
            return "--withhold: the host has no table named \"" + value + "\"";
        cl.session.withheld.push_back(value);
    } else if (option == "--no-menu") {
        if (!KnownMenu(value))
            return "--no-menu: the host has no menu named \"" + value + "\"";
        cl.session.withoutMenus.push_back(value);
    } else if (option == "--fault") {
        Fault fault;
        const auto eq = value.find('=');
        const auto at = value.find('@', eq == std::string::npos ? 0 : eq);
        fault.operation = value.substr(0, eq);
        const std::string code =
            eq == std::string::npos
                ? ""
                : value.substr(eq + 1, at == std::string::npos ? at : at - eq - 1);
        const bool nthOk = at == std::string::npos ||
                           (ParseNumber(std::string_view(value).substr(at + 1), fault.nthCall) &&
                            fault.nthCall >= 1);
        if (fault.operation.empty() || !ParseCode(code, fault.code) || !nthOk)
            return "--fault needs OP=CODE[@N] with a non-zero CODE and N >= 1, not \"" + value +
                   "\"";
        cl.session.faults.push_back(fault);
    } else if (option == "--clock") {
        cl.session.clock = platform::Clock::ParseLocal(value.c_str());
        if (!cl.session.clock)
            return "--clock needs a local time YYYY-MM-DDTHH:MM:SS, not \"" + value + "\"";
    } else {
        return "unknown option " + option;
    }
    return {};
}

bool TakesValue(const std::string& option) {
    static const char* const options[] = {"--plugins", "--registry", "--offer", "--withhold",
                                          "--no-menu", "--fault",    "--clock"};
    return std::find(std::begin(options), std::end(options), option) != std::end(options);
}

// view [--script SCRIPT] [FILE.pdf]
void ParseView(CommandLine& cl, const std::vector<std::string>& words) {
    cl.command = Command::View;
    std::size_t i = 1;
    if (i < words.size() && words[i].starts_with("--script")) {
        if (words[i].starts_with("--script=")) {
            cl.script = words[i].substr(9);
        } else if (words[i] == "--script" && i + 1 < words.size()) {
            cl.script = words[++i];
        } else {
            cl.error = "view --script needs a SCRIPT";
            return;
        }
        cl.viewScript = !cl.script.empty();
        if (!cl.viewScript) {
            cl.error = "view --script needs a SCRIPT";
            return;
        }
        ++i;
    }
    if (i < words.size())
        cl.viewFile = words[i++];
    if (i < words.size())
        cl.error = "view takes at most one FILE.pdf";
}

} // namespace

CommandLine CommandLine::Parse(int argc, const char* const* argv) {
    CommandLine cl;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            cl.help = true;
            return cl;
        }
        if (!arg.starts_with("--") || !positional.empty()) {
            positional.push_back(arg);
            continue;
        }
        std::string value;
        if (const auto eq = arg.find('='); eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            if (!TakesValue(arg)) {
                cl.error = "unknown option " + arg;
                return cl;
            }
        } else if (TakesValue(arg)) {
            if (i + 1 >= argc) {
                cl.error = arg + " needs a value";
                return cl;
            }
            value = argv[++i];
        }
        if (cl.error = Apply(cl, arg, value); !cl.error.empty())
            return cl;
    }
    if (positional.empty()) {
        cl.error = "no command given";
    } else if (positional[0] == "info" && positional.size() == 1) {
        cl.command = Command::Info;
    } else if (positional[0] == "run" && positional.size() == 2) {
        cl.command = Command::Run;
        cl.script = positional[1];
    } else if (positional[0] == "stamp") {
        const std::vector<std::string> words(positional.begin() + 1, positional.end());
        if (auto stamp = StampArguments::Parse(words, cl.error)) {
            cl.command = Command::Stamp;
            cl.stamp = std::move(*stamp);
        }
    } else if (positional[0] == "view") {
        ParseView(cl, positional);
    } else if (positional[0] == "info" || positional[0] == "run") {
        cl.error = positional[0] == "info" ? "info takes no arguments" : "run needs one SCRIPT";
    } else {
        cl.error = "unknown command \"" + positional[0] + "\"";
    }
    return cl;
}

const char* CommandLine::Usage() {
    return R"(Usage: pdfhost [OPTIONS] info
       pdfhost [OPTIONS] run SCRIPT
       pdfhost [OPTIONS] stamp [STAMP-OPTIONS] IN.pdf -o OUT.pdf
       pdfhost [OPTIONS] stamp [STAMP-OPTIONS] IN.pdf... --out-dir DIR
       pdfhost [OPTIONS] view [--script SCRIPT] [FILE.pdf]

Loads every plug-in (*.api) of the plug-in folder, then:
  info        prints the plug-ins, the tables each obtained, and every menu
              item and toolbar button (format below)
  run SCRIPT  runs SCRIPT, one command a line; blank lines and lines starting
              with '#' are skipped. Commands include:
                menu NAME      run the menu item with internal name NAME
                toolbar NAME   run the toolbar button named NAME
                open PATH      open a PDF as the active document
                save PATH      save it atomically (save --replace PATH may
                               overwrite the file it was read from;
                               save --incremental PATH appends the changes
                               to the original bytes, see --rewrite)
                close          close it, dropping unsaved changes
                click ID       press control ID in the next dialog shown
                key KEY        press "escape" or "enter" in the next dialog
                handles        print the host objects still alive:
                               HANDLES path=N file=N stream=N page=N
                               pde-object=N sys-font=N
  stamp IN.pdf -o OUT.pdf
              opens IN.pdf, runs the "ADBE:PDFTalvane" menu item once,
              answers its dialog with STAMP! and saves to OUT.pdf, only when
              the run ended with its "Done." message; otherwise writes
              nothing and exits 1
  stamp IN.pdf... --out-dir DIR
              the same for each input in turn, in one process (so a [VAR(
              list steps from one document to the next), each written to
              DIR under its input's file name; an input that fails is
              reported and skipped, the others are still written, and the
              exit status is 1 at the end
  view [--script SCRIPT] [FILE.pdf]
              opens the viewer window (with FILE.pdf). With --script, runs
              SCRIPT inside the window, with these steps besides run's:
                grab-window PNG  write a picture of the whole window
                page N           scroll to page N
                title            print TITLE "<window title>"
              and closes the window when the script ends, with its status

Stamp options (after "stamp"; the installation folder is never written):
  --params FILE.tvp  load FILE.tvp over the settings, as the dialog's "Load
                     Settings" does (same reader, same messages); when it
                     cannot be read nothing is stamped and the exit status is 1
  --set KEY=VALUE    set one parameter-file key (STARTPROC, OPACITY, T_TEXT,
                     ...), after --params; repeatable, applied in order.
                     Numbers are whole decimal numbers; the flags CALCRIGHT,
                     CALCTOP, FORCEPORTRAIT and CONSTRAINIMAGE take 1 (on) or
                     0 (off), CONSTRAINIMAGE=1 meaning proportions kept;
                     T_FONTINFO takes the record as a parameter file holds it;
                     texts are taken as given. An unknown key, a bad value or a
                     line break in a value is a usage error.
  --undo             answer the dialog with Undo instead of STAMP! (removes the
                     last stamp; one input only)
  --rewrite          write each output in full; without it an output is the
                     input's bytes unchanged with the changes appended (an
                     incremental update: it grows by little more than the
                     picture, and a signature stays valid), except for --undo
                     and for inputs that are encrypted or were repaired while
                     read, which are rewritten
  --incremental      append the changes even for --undo (the removed picture
                     then stays in the file's earlier revision)

Options:
  --plugins DIR    the plug-in folder (default: <dir of pdfhost>/../plug_ins)
  --registry FILE  the registry file plug-ins read their settings from
  -h, --help       this text

Test-only options (to play a different host):
  --offer NAME=MAJOR.MINOR  offer table NAME at most at this version
  --withhold NAME           do not offer table NAME at all
  --no-menu NAME            leave the host's menu NAME out of the menu bar
  --fault OP=CODE[@N]       make host operation OP raise CODE (0x... or
                            decimal): on every call, or only on the N-th
  --clock YYYY-MM-DDTHH:MM:SS
                            pin the clock plug-ins read to this local time

Everything shown to the user is printed as transcript lines on standard output:
  MESSAGE <kind> "<caption>" "<text>"
Problems in plug-in code are reported on standard error as "pdfhost: ..." lines.

info output, one record a line, texts in double quotes with \\ \" \r \n escaped:
  plug-in "<file>" name "<extension>" version <M.m> entry <s> setup <s>
      handshake <s> export <s> import <s> init <s>   (one line; <s> is
      ok, failed or not-run)
    table "<name>" <M.m>              (each table the plug-in obtained)
  menu "<name>" title "<title>"
    item "<name>" title "<title>" help "<text>" enabled|disabled
  toolbar
    button "<name>" help "<text>" enabled [icon <W>x<H> <B>-bit]

Exit status: 0 success; 1 a script line failed (the message names the line)
or a stamp run did not end with "Done.";
2 usage error or unreadable script; 3 a plug-in callback left the exception
frame stack unbalanced (reported on standard error).
)";
}

} // namespace pdfhost::app
