#include "pdfhost/app/DialogCommands.h"

#include <algorithm>
#include <cctype>

#include "pdfhost/app/ScriptCommands.h"
#include "platform/DialogAnswers.h"

namespace pdfhost::app {
namespace {

void Click(const ScriptLine& line) {
    if (line.words.size() != 1 || line.words[0].empty() ||
        !std::all_of(line.words[0].begin(), line.words[0].end(),
                     [](unsigned char c) { return std::isdigit(c); }))
        throw ScriptError("click needs one numeric control id");
    platform::DialogAnswers::Push(line.words[0]);
}

void Key(const ScriptLine& line) {
    if (line.words.size() != 1 || (line.words[0] != "escape" && line.words[0] != "enter"))
        throw ScriptError("key needs \"escape\" or \"enter\"");
    platform::DialogAnswers::Push(line.words[0]);
}

} // namespace

void RegisterDialogCommands() {
    ScriptCommands::Register("click", &Click);
    ScriptCommands::Register("key", &Key);
}

std::string FinishDialogAnswers() {
    const std::size_t left = platform::DialogAnswers::Pending();
    platform::DialogAnswers::Clear();
    if (left == 0)
        return {};
    return std::to_string(left) + " dialog answer(s) were queued but no dialog took them";
}

} // namespace pdfhost::app
