// pdfhost's command line.
//
//     pdfhost [OPTIONS] info
//     pdfhost [OPTIONS] run SCRIPT
//     pdfhost [OPTIONS] stamp [STAMP-OPTIONS] IN.pdf -o OUT.pdf
//     pdfhost [OPTIONS] stamp [STAMP-OPTIONS] IN.pdf... --out-dir DIR
//     pdfhost [OPTIONS] view [--script SCRIPT] [FILE.pdf]
//
// The words after "stamp" are its own (StampArguments.h).
// Contract: Parse() never exits; it returns the options, or an error text
// (exit status 2), or a request for help. Options may come as "--opt VALUE"
// or "--opt=VALUE". Every test-only option is checked here (table and menu
// names against the host's, versions as MAJOR.MINOR, error codes as numbers
// above 0, N as a number of 1 or more), so a mistyped name is a usage error,
// not a silently different host. Usage() is the --help text.
#pragma once

#include <optional>
#include <string>

#include "pdfhost/app/HostSession.h"
#include "pdfhost/app/StampArguments.h"

namespace pdfhost::app {

enum class Command { Info, Run, Stamp, View };

struct CommandLine {
    Command command = Command::Info;
    std::string script;
    StampArguments stamp;
    std::optional<std::string> viewFile;     // view: the document to open first
    bool viewScript = false;                 // view: `script` runs in the window
    std::optional<std::string> pluginFolder; // default: <exe dir>/../plug_ins
    std::optional<std::string> registryFile;
    SessionOptions session;

    bool help = false;
    std::string error;

    static CommandLine Parse(int argc, const char* const* argv);
    static const char* Usage();
};

} // namespace pdfhost::app
