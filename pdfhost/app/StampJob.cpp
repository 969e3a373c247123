#include "pdfhost/app/StampJob.h"

#include <memory>
#include <optional>
#include <vector>

#include "pdfhost/app/ScriptCommands.h"
#include "pdfhost/app/ScriptRunner.h"
#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentReader.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/pdf/IncrementalWriter.h"
#include "pdfhost/pdf/OpenFile.h"
#include "platform/DialogAnswers.h"
#include "platform/FileDraft.h"
#include "platform/Messages.h"
#include "platform/PresetSettings.h"

namespace pdfhost::app {
namespace {

constexpr const char* kDone = "Done.\nPlease scroll page to show changes.";
constexpr const char* kParametersUnreadable = "Can't open parameters file";
constexpr const char* kStampButton = "1003";
constexpr const char* kUndoButton = "1032";

void RunCommand(const std::string& text) {
    ScriptLine line;
    ScriptRunner::ParseLine(text, 1, line);
    const ScriptCommand* command = ScriptCommands::Find(line.command);
    if (!command)
        throw ScriptError("the host has no \"" + line.command + "\" command");
    (*command)(line);
}

// Remembers the messages shown while it lives; answers nothing itself.
class MessageWatch {
  public:
    MessageWatch()
        : previous_(platform::Messages::SetResponder([this](const platform::Message& m) {
              texts_.push_back(m.text);
              return 0;
          })) {}
    ~MessageWatch() { platform::Messages::SetResponder(std::move(previous_)); }
    MessageWatch(const MessageWatch&) = delete;
    MessageWatch& operator=(const MessageWatch&) = delete;
    std::optional<std::string> Last() const {
        return texts_.empty() ? std::nullopt : std::optional<std::string>(texts_.back());
    }
    bool Saw(const std::string& text) const {
        for (const std::string& t : texts_)
            if (t == text)
                return true;
        return false;
    }

  private:
    std::vector<std::string> texts_;
    platform::MessageResponder previous_;
};

enum class Outcome { Written, Failed, ParametersUnreadable };

// Opens input as the active document while its pages are still being read:
// the file is opened here (a file that is no PDF fails at once, as "open"
// fails), the rest is read on a thread of its own while the stamp dialog
// opens, and the document is made at the host's first question about it.
// Should the pages turn out unreadable then, there is no active document and
// `failure` says why. (The opening may outlive the caller, unasked, when a
// job leaves its last document open: it holds what it writes to.)
using ReadFailure = std::shared_ptr<std::optional<std::string>>;

std::shared_ptr<pdf::DocumentReader> OpenAhead(const std::string& input, const ReadFailure& failure,
                                               FirstInput started) {
    if (started.failure)
        std::rethrow_exception(started.failure);
    std::shared_ptr<pdf::DocumentReader> reader =
        started.reader ? std::move(started.reader) : std::make_shared<pdf::DocumentReader>(input);
    av::ActiveDocument::SetPending([reader, failure]() -> PDDoc {
        try {
            return pdf::Documents::Adopt(reader->Take());
        } catch (const HostError& e) {
            *failure = e.what();
            return nullptr;
        }
    });
    return reader;
}

// An incremental update begins with the input's bytes: they are copied and
// synced into the output's temporary file while the run goes on, so the save
// only appends. Nothing is drafted where the save would rewrite the file.
std::unique_ptr<platform::FileDraft> DraftOriginal(const pdf::DocumentReader& reader,
                                                   const std::string& output, bool incremental) {
    std::shared_ptr<const pdf::OpenFile> file = reader.File();
    if (!incremental || reader.Encrypted() || file->IsSameFileAs(output))
        return nullptr;
    return std::make_unique<platform::FileDraft>(
        output, platform::FileReplacement::Options{},
        [file](int fd) { pdf::IncrementalWriter::WriteOriginal(*file, fd); });
}

void Save(const std::string& output, bool incremental, platform::FileDraft* draft) {
    PDDoc doc = av::ActiveDocument::Doc();
    if (!doc)
        throw ScriptError("save: no document is open");
    pdf::DocumentSaver::Save(pdf::Document::FromHandle(doc), output, false,
                             incremental ? pdf::SaveKind::Incremental : pdf::SaveKind::Rewrite,
                             nullptr, draft);
}

Outcome StampOne(const std::string& input, const std::string& output, bool undo, bool incremental,
                 bool leaveOpen, FirstInput started, std::ostream& errors) {
    const auto readFailure = std::make_shared<std::optional<std::string>>();
    std::unique_ptr<platform::FileDraft> draft;
    Outcome outcome = Outcome::Failed;
    try {
        draft =
            DraftOriginal(*OpenAhead(input, readFailure, std::move(started)), output, incremental);
        MessageWatch watch;
        const std::string button = undo ? kUndoButton : kStampButton;
        platform::DialogAnswers::Push({"click", {button}, button, 0});
        RunCommand("menu ADBE:PDFTalvane");
        // An answer the dialog did not take (it never opened) must not
        // press a button in the next document's dialog.
        platform::DialogAnswers::Clear();
        if (*readFailure) {
            errors << "pdfhost: " << input << ": " << **readFailure << "\n";
        } else if (watch.Saw(kParametersUnreadable)) {
            errors << "pdfhost: " << input
                   << ": the parameter file could not be read, nothing was written\n";
            outcome = Outcome::ParametersUnreadable;
        } else if (watch.Last() == kDone) {
            Save(output, incremental, draft.get());
            outcome = Outcome::Written;
        } else {
            const std::optional<std::string> last = watch.Last();
            errors << "pdfhost: " << input
                   << ": the stamp run did not finish, nothing was written: "
                   << (last ? "\"" + platform::Messages::Escape(*last) + "\""
                            : std::string("it showed no message"))
                   << "\n";
        }
    } catch (const std::exception& e) {
        errors << "pdfhost: " << input << ": " << e.what() << "\n";
        outcome = Outcome::Failed;
    }
    if (leaveOpen)
        return outcome;
    // A run that never asked for the document (its dialog was not answered
    // with STAMP!) still finishes the opening here, so the reading thread
    // is done with the document before it closes.
    if (av::ActiveDocument::Doc()) {
        try {
            RunCommand("close");
        } catch (const std::exception& e) {
            errors << "pdfhost: " << input << ": " << e.what() << "\n";
        }
    }
    av::ActiveDocument::Clear();
    return outcome;
}

} // namespace

FirstInput StartFirstInput(const StampArguments& request) {
    FirstInput first;
    if (request.inputs.empty())
        return first;
    try {
        first.reader = std::make_shared<pdf::DocumentReader>(request.inputs.front());
    } catch (...) {
        first.failure = std::current_exception();
    }
    return first;
}

int RunStampJob(const StampArguments& request, std::ostream& errors, LastDocument last,
                FirstInput first) {
    platform::PresetSettings::Store({request.parameterFile, request.settings});
    int status = 0;
    for (size_t i = 0; i < request.inputs.size(); ++i) {
        const bool leaveOpen = last == LastDocument::LeaveOpen && i + 1 == request.inputs.size();
        const Outcome outcome =
            StampOne(request.inputs[i], request.OutputFor(i), request.undo, request.Incremental(),
                     leaveOpen, i == 0 ? std::move(first) : FirstInput{}, errors);
        if (outcome == Outcome::Written)
            continue;
        status = 1;
        if (outcome == Outcome::ParametersUnreadable) {
            for (size_t j = i + 1; j < request.inputs.size(); ++j)
                errors << "pdfhost: " << request.inputs[j] << ": not stamped\n";
            break;
        }
    }
    // Presets no dialog took (no input opened) go with the job.
    platform::PresetSettings::Take();
    return status;
}

} // namespace pdfhost::app
