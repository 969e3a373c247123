#include "pdfhost/app/ScriptRunner.h"

#include <fstream>
#include <sstream>

#include "pdfhost/app/DialogAutomation.h"

namespace pdfhost::app {
namespace {

constexpr const char* kBlanks = " \t\r\n\f\v";

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

bool ScriptRunner::ParseLine(const std::string& text, int number, ScriptLine& line) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty() || trimmed[0] == '#')
        return false;
    line = ScriptLine{};
    line.number = number;
    const auto end = trimmed.find_first_of(kBlanks);
    line.command = trimmed.substr(0, end);
    line.rest = end == std::string::npos ? std::string() : Trim(trimmed.substr(end));
    std::istringstream words(line.rest);
    for (std::string word; words >> word;)
        line.words.push_back(word);
    return true;
}

bool ScriptRunner::RunLine(const ScriptLine& line, std::string& failure) {
    failure.clear();
    DialogAutomation* automation = DialogAutomation::Current();
    if (automation)
        automation->SetLine(line.number);
    if (const ScriptCommand* command = ScriptCommands::Find(line.command)) {
        try {
            (*command)(line);
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "the command failed";
        }
    } else {
        failure = "unknown command \"" + line.command + "\"";
    }
    if (automation && automation->Failed()) {
        failure.clear(); // the automation has said why, when it happened
        return false;
    }
    return failure.empty();
}

int ScriptRunner::Run(std::istream& script, const std::string& name, std::ostream& errors) {
    int number = 0;
    for (std::string text; std::getline(script, text);) {
        ScriptLine line;
        if (!ParseLine(text, ++number, line))
            continue;
        std::string failure;
        if (RunLine(line, failure))
            continue;
        if (!failure.empty()) {
            errors << "pdfhost: " << name << ":" << number << ": " << failure << '\n';
            errors.flush();
        }
        return 1;
    }
    return 0;
}

int ScriptRunner::RunFile(const std::string& path, std::ostream& errors) {
    std::ifstream in(path);
    if (!in) {
        errors << "pdfhost: cannot read the script " << path << '\n';
        return 2;
    }
    return Run(in, path, errors);
}

} // namespace pdfhost::app
