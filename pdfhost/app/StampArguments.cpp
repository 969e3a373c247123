#include "pdfhost/app/StampArguments.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "settings/SettingAssignment.h"

namespace pdfhost::app {
namespace {

namespace fs = std::filesystem;

bool TakesValue(const std::string& option) {
    return option == "-o" || option == "--out-dir" || option == "--params" || option == "--set";
}

} // namespace

std::string StampArguments::OutputFor(size_t i) const {
    if (output)
        return *output;
    return (fs::path(*outDir) / fs::path(inputs[i]).filename()).string();
}

std::optional<StampArguments> StampArguments::Parse(const std::vector<std::string>& words,
                                                    std::string& error) {
    StampArguments a;
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        std::string word = words[i];
        if (optionsEnded || word == "-" || !word.starts_with("-")) {
            a.inputs.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        if (const auto eq = word.find('='); word.starts_with("--") && eq != std::string::npos) {
            value = word.substr(eq + 1);
            word.resize(eq);
            if (!TakesValue(word)) {
                error = "stamp: unknown option " + word;
                return std::nullopt;
            }
        } else if (TakesValue(word)) {
            if (i + 1 >= words.size()) {
                error = "stamp: " + word + " needs a value";
                return std::nullopt;
            }
            value = words[++i];
        }
        if (word == "-o") {
            a.output = value;
        } else if (word == "--out-dir") {
            a.outDir = value;
        } else if (word == "--params") {
            a.parameterFile = value;
        } else if (word == "--set") {
            const auto eq = value.find('=');
            if (eq == std::string::npos || eq == 0) {
                error = "stamp: --set needs KEY=VALUE, not \"" + value + "\"";
                return std::nullopt;
            }
            std::string key = value.substr(0, eq);
            std::string setting = value.substr(eq + 1);
            if (const std::string problem = SettingAssignment::Check(key, setting);
                !problem.empty()) {
                error = "stamp: --set " + problem;
                return std::nullopt;
            }
            a.settings.emplace_back(std::move(key), std::move(setting));
        } else if (word == "--undo") {
            a.undo = true;
        } else if (word == "--rewrite" || word == "--incremental") {
            const auto choice = word == "--rewrite" ? Save::Rewrite : Save::Incremental;
            if (a.save != Save::Default && a.save != choice) {
                error = "stamp takes either --rewrite or --incremental, not both";
                return std::nullopt;
            }
            a.save = choice;
        } else {
            error = "stamp: unknown option " + word;
            return std::nullopt;
        }
    }
    if (a.inputs.empty()) {
        error = "stamp needs IN.pdf -o OUT.pdf or IN.pdf... --out-dir DIR";
    } else if (a.output && a.outDir) {
        error = "stamp takes either -o or --out-dir, not both";
    } else if (!a.output && !a.outDir) {
        error = "stamp needs -o OUT.pdf (one input) or --out-dir DIR";
    } else if (a.output && a.inputs.size() > 1) {
        error = "stamp: -o takes one input; use --out-dir DIR for several";
    } else if (a.undo && a.inputs.size() > 1) {
        error = "stamp: --undo takes one input (a second undo in a row is refused)";
    }
    if (!error.empty())
        return std::nullopt;
    if (a.outDir) {
        std::set<std::string> names;
        for (size_t i = 0; i < a.inputs.size(); ++i) {
            if (!names.insert(a.OutputFor(i)).second) {
                error = "stamp: two inputs would both be written to " + a.OutputFor(i);
                return std::nullopt;
            }
        }
    }
    return a;
}

} // namespace pdfhost::app
