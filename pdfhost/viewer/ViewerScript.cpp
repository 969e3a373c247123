#include "pdfhost/viewer/ViewerScript.h"

#include <QPixmap>
#include <QTimer>
#include <charconv>
#include <fstream>
#include <iostream>

#include "pdfhost/app/ScriptCommands.h"
#include "pdfhost/app/ScriptRunner.h"
#include "pdfhost/viewer/PageRenderer.h"
#include "pdfhost/viewer/PageView.h"
#include "pdfhost/viewer/ViewerWindow.h"
#include "platform/Messages.h"

namespace pdfhost::viewer {
namespace {

using app::ScriptError;
using app::ScriptLine;

constexpr int kRenderTimeoutMs = 60000;

void WaitForPages(ViewerWindow& window) {
    if (!window.WaitForPages(kRenderTimeoutMs))
        throw ScriptError("the pages in view were not rendered within " +
                          std::to_string(kRenderTimeoutMs / 1000) + " seconds");
}

// Runs the command registered before the window's own, then `after`.
void Wrap(const std::string& name, std::function<void()> after) {
    const app::ScriptCommand* found = app::ScriptCommands::Find(name);
    if (!found)
        return;
    app::ScriptCommand original = *found;
    app::ScriptCommands::Register(name, [original, after](const ScriptLine& line) {
        original(line);
        after();
    });
}

} // namespace

ViewerScript::ViewerScript(ViewerWindow& window, std::string path, std::ostream& errors,
                           std::function<void(int)> finished)
    : window_(window), path_(std::move(path)), errors_(errors), finished_(std::move(finished)) {}

void ViewerScript::RegisterCommands() {
    Wrap("open", [this] { window_.ShowActiveDocument(); });
    Wrap("close", [this] { window_.ShowActiveDocument(); });
    Wrap("save", [this] { window_.MarkSaved(); });
    app::ScriptCommands::Register("grab-window", [this](const ScriptLine& line) {
        if (line.rest.empty())
            throw ScriptError("grab-window needs a file name");
        WaitForPages(window_);
        if (!window_.grab().save(QString::fromStdString(line.rest), "PNG"))
            throw ScriptError("cannot write the PNG \"" + line.rest + "\"");
    });
    app::ScriptCommands::Register("page", [this](const ScriptLine& line) {
        int page = 0;
        const std::string& word = line.words.size() == 1 ? line.words[0] : std::string();
        const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), page);
        const int count = window_.Renderer().PageCount();
        if (word.empty() || ec != std::errc() || end != word.data() + word.size())
            throw ScriptError("page needs one page number");
        if (page < 1 || page > count)
            throw ScriptError("page " + word + " is not a page of the document (1 to " +
                              std::to_string(count) + ")");
        window_.View().ShowPage(page - 1);
        WaitForPages(window_);
    });
    app::ScriptCommands::Register("title", [this](const ScriptLine&) {
        std::cout << "TITLE \"" << platform::Messages::Escape(window_.windowTitle().toStdString())
                  << "\"" << std::endl;
    });
}

void ViewerScript::Start() {
    RegisterCommands();
    std::ifstream in(path_);
    if (!in) {
        errors_ << "pdfhost: cannot read the script " << path_ << '\n';
        QTimer::singleShot(0, this, [this] { Finish(2); });
        return;
    }
    for (std::string text; std::getline(in, text);)
        lines_.push_back(text);
    QTimer::singleShot(0, this, [this] { Step(); });
}

void ViewerScript::Step() {
    while (next_ < lines_.size()) {
        const int number = static_cast<int>(++next_);
        ScriptLine line;
        if (!app::ScriptRunner::ParseLine(lines_[next_ - 1], number, line))
            continue;
        std::string failure;
        if (!app::ScriptRunner::RunLine(line, failure)) {
            if (!failure.empty()) {
                errors_ << "pdfhost: " << path_ << ":" << number << ": " << failure << '\n';
                errors_.flush();
            }
            return Finish(1);
        }
        // Let the window draw and render between lines.
        QTimer::singleShot(0, this, [this] { Step(); });
        return;
    }
    Finish(0);
}

void ViewerScript::Finish(int status) {
    window_.CloseWithoutPrompt();
    finished_(status);
}

} // namespace pdfhost::viewer
