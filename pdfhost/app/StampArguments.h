// The arguments of `pdfhost stamp`, after the word "stamp".
//
//     stamp [STAMP-OPTIONS] IN.pdf -o OUT.pdf
//     stamp [STAMP-OPTIONS] IN.pdf... --out-dir DIR
//
// Contract: Parse() takes the words after "stamp" (options and inputs may
// be mixed; "--opt VALUE" or "--opt=VALUE"; after "--" every word is an
// input) and returns the request or an error text for a usage error:
// neither or both of -o and --out-dir, -o with several inputs, no input,
// --set without "=", a --set that SettingAssignment::Check refuses (unknown
// key named, line break, bad value), --undo with several inputs (the
// plug-in refuses a second undo in a row, so only the first document could
// be undone), two inputs whose outputs would have the same name, both
// --rewrite and --incremental.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pdfhost::app {

struct StampArguments {
    std::vector<std::string> inputs;
    std::optional<std::string> output; // -o: the one output
    std::optional<std::string> outDir; // --out-dir: each input's name in DIR
    std::optional<std::string> parameterFile;
    std::vector<std::pair<std::string, std::string>> settings;
    bool undo = false;
    // How outputs are saved: an incremental update of the input, except for
    // an undo (the update would keep the removed picture in the earlier
    // revision); --rewrite and --incremental choose.
    enum class Save { Default, Rewrite, Incremental } save = Save::Default;
    bool Incremental() const { return save == Save::Default ? !undo : save == Save::Incremental; }

    // Where input i is written.
    std::string OutputFor(size_t i) const;

    static std::optional<StampArguments> Parse(const std::vector<std::string>& words,
                                               std::string& error);
};

} // namespace pdfhost::app
