#include "pdfhost/av/DocumentCommands.h"

#include "pdfhost/app/ScriptCommands.h"
#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"

namespace pdfhost::av {
namespace {

using app::ScriptError;
using app::ScriptLine;

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

void Save(const ScriptLine& line) {
    PDDoc doc = Active("save");
    const std::string flag = "--replace";
    const bool replace = line.rest.compare(0, flag.size(), flag) == 0 &&
                         (line.rest.size() == flag.size() || line.rest[flag.size()] == ' ');
    std::string path = replace ? line.rest.substr(flag.size()) : line.rest;
    path.erase(0, path.find_first_not_of(' '));
    try {
        pdf::DocumentSaver::Save(pdf::Document::FromHandle(doc), PathOf(path, "save"), replace);
    } catch (const HostError& e) {
        throw ScriptError(e.what());
    }
}

} // namespace

void RegisterDocumentCommands() {
    app::ScriptCommands::Register("open", &Open);
    app::ScriptCommands::Register("close", &Close);
    app::ScriptCommands::Register("save", &Save);
}

} // namespace pdfhost::av
