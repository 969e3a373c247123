#include "pdfhost/app/DocumentCommands.h"

#include "pdfhost/app/ScriptCommands.h"
#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"

namespace pdfhost::app {
namespace {

using av::ActiveDocument;

std::string PathOf(const std::string& text, const char* command) {
    if (text.empty())
        throw ScriptError(std::string(command) + " needs a file name");
    return text;
}

PDDoc Active(const char* command) {
    PDDoc doc = ActiveDocument::Doc();
    if (!doc)
        throw ScriptError(std::string(command) + ": no document is open");
    return doc;
}

void Open(const ScriptLine& line) {
    const std::string path = PathOf(line.rest, "open");
    if (PDDoc doc = ActiveDocument::Doc())
        throw ScriptError("open: \"" + pdf::Document::FromHandle(doc).Path() +
                          "\" is still open; close it first");
    try {
        ActiveDocument::Set(pdf::Documents::Open(path));
    } catch (const HostError& e) {
        throw ScriptError(e.what());
    }
}

void Close(const ScriptLine&) {
    PDDoc doc = Active("close");
    ActiveDocument::Clear();
    pdf::Documents::Close(doc);
}

// Leading "--replace" and "--incremental" words, in any order; the rest
// of the line is the path.
void Save(const ScriptLine& line) {
    PDDoc doc = Active("save");
    bool replace = false;
    bool incremental = false;
    std::string rest = line.rest;
    for (;;) {
        const std::size_t end = rest.find(' ');
        const std::string word = rest.substr(0, end);
        if (word == "--replace")
            replace = true;
        else if (word == "--incremental")
            incremental = true;
        else
            break;
        rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
        rest.erase(0, rest.find_first_not_of(' '));
    }
    try {
        pdf::DocumentSaver::Save(pdf::Document::FromHandle(doc), PathOf(rest, "save"), replace,
                                 incremental ? pdf::SaveKind::Incremental : pdf::SaveKind::Rewrite);
    } catch (const HostError& e) {
        throw ScriptError(e.what());
    }
}

} // namespace

void RegisterDocumentCommands() {
    ScriptCommands::Register("open", &Open);
    ScriptCommands::Register("close", &Close);
    ScriptCommands::Register("save", &Save);
}

} // namespace pdfhost::app
