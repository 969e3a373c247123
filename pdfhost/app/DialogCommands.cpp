#include "pdfhost/app/DialogCommands.h"

#include <algorithm>
#include <cctype>

#include "pdfhost/app/PickerAnswers.h"
#include "pdfhost/app/ScriptCommands.h"
#include "platform/DialogAnswers.h"

namespace pdfhost::app {
namespace {

bool IsControlId(const std::string& word) {
    return !word.empty() && word.size() < 10 &&
           std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); });
}

void Queue(const ScriptLine& line) {
    platform::DialogAnswers::Push({line.command, line.words, line.rest, line.number});
}

// Steps of the form "STEP ID [TEXT]".
ScriptCommand WithControl(const std::string& usage, bool needsText) {
    return [usage, needsText](const ScriptLine& line) {
        if (line.words.empty() || !IsControlId(line.words[0]) ||
            (needsText && line.words.size() < 2))
            throw ScriptError(usage);
        Queue(line);
    };
}

void Key(const ScriptLine& line) {
    const auto& w = line.words;
    if (w.empty() || w.size() > 2 || (w[0] != "escape" && w[0] != "enter") ||
        (w.size() == 2 && !IsControlId(w[1])))
        throw ScriptError("key needs \"escape\" or \"enter\" and an optional control id");
    Queue(line);
}

void Dump(const ScriptLine& line) {
    if (!line.words.empty())
        throw ScriptError("dump takes nothing after it");
    Queue(line);
}

void Grab(const ScriptLine& line) {
    if (line.rest.empty())
        throw ScriptError("grab needs the path of the PNG to write");
    Queue(line);
}

void Picker(const ScriptLine& line) {
    const platform::DialogAnswer step{line.command, line.words, line.rest, line.number};
    if (const std::string problem = PickerAnswers::Check(step); !problem.empty())
        throw ScriptError(problem);
    platform::DialogAnswers::Push(step);
}

} // namespace

void RegisterDialogCommands() {
    ScriptCommands::Register("click", WithControl("click needs one numeric control id", false));
    ScriptCommands::Register("type", WithControl("type needs a control id and a text", true));
    ScriptCommands::Register("set", WithControl("set needs a control id and a text", false));
    ScriptCommands::Register("select", WithControl("select needs a control id and an entry", true));
    ScriptCommands::Register("expect", WithControl("expect needs a control id and a text", true));
    ScriptCommands::Register("key", &Key);
    ScriptCommands::Register("dump", &Dump);
    ScriptCommands::Register("grab", &Grab);
    ScriptCommands::Register("file", &Picker);
    ScriptCommands::Register("color", &Picker);
    ScriptCommands::Register("font", &Picker);
}

std::string FinishDialogAnswers() {
    const std::size_t left = platform::DialogAnswers::Pending();
    platform::DialogAnswers::Clear();
    if (left == 0)
        return {};
    return std::to_string(left) + " dialog answer(s) were queued but no dialog took them";
}

} // namespace pdfhost::app
