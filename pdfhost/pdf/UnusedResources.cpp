#include "pdfhost/pdf/UnusedResources.h"

#include <map>
#include <vector>

#include "pdfhost/pdf/ContentLexer.h"
#include "pdfhost/pdf/ContentStreams.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/PageTree.h"

namespace pdfhost::pdf {
namespace {

bool LacksResources(QPDFObjectHandle dict) {
    return !dict.getKey("/Resources").isDictionary();
}

// Old files leave forms and Type 3 glyphs without resources, and viewers
// then look names up in the page's dictionary: what such content draws
// cannot be told from the page's content alone.
bool MayDrawThroughPage(QPDFObjectHandle resources) {
    QPDFObjectHandle xobjects = resources.getKey("/XObject");
    if (xobjects.isDictionary()) {
        for (auto const& item : xobjects.ditems()) {
            QPDFObjectHandle x = item.second;
            if (x.isStream() && x.getDict().getKey("/Subtype").isNameAndEquals("/Form") &&
                LacksResources(x.getDict()))
                return true;
        }
    }
    QPDFObjectHandle fonts = resources.getKey("/Font");
    if (fonts.isDictionary()) {
        for (auto const& item : fonts.ditems()) {
            QPDFObjectHandle f = item.second;
            if (f.isDictionary() && f.getKey("/Subtype").isNameAndEquals("/Type3") &&
                LacksResources(f))
                return true;
        }
    }
    return false;
}

} // namespace

UnusedResources::Names UnusedResources::DrawnBy(std::string_view content) {
    Names names;
    ContentLexer lexer(content);
    ContentOp op;
    while (lexer.Next(op)) {
        if (op.lastName.empty())
            continue;
        if (op.op == "Do")
            names.emplace("/XObject", ContentLexer::NameKey(op.lastName));
        else if (op.op == "gs")
            names.emplace("/ExtGState", ContentLexer::NameKey(op.lastName));
    }
    return names;
}

void UnusedResources::Drop(Document& doc, QPDFObjectHandle page, const Names& candidates) {
    if (candidates.empty())
        return;
    QPDFObjectHandle resources = Inherited(page, "/Resources").value;
    if (!resources.isDictionary())
        return;
    std::string content;
    for (const QPDFObjectHandle& s : ContentStreams::Of(page)) {
        const auto data = ContentStreams::Decode(s);
        if (!data)
            return;
        content += *data;
        content += '\n';
    }
    const Names used = DrawnBy(content);
    std::map<std::string, std::vector<std::string>> gone;
    for (const auto& [category, key] : candidates) {
        QPDFObjectHandle sub = resources.getKey(category);
        if (!used.count({category, key}) && sub.isDictionary() && sub.hasKey(key))
            gone[category].push_back(key);
    }
    if (gone.empty() || MayDrawThroughPage(resources))
        return;
    // Copies down to the first indirect object, so nothing the copy holds
    // directly is shared with another page.
    QPDFObjectHandle copy = resources.shallowCopy();
    for (const auto& [category, keys] : gone) {
        QPDFObjectHandle sub = copy.getKey(category).shallowCopy();
        for (const std::string& key : keys)
            sub.removeKey(key);
        if (sub.getKeys().empty())
            copy.removeKey(category);
        else
            copy.replaceKey(category, sub);
    }
    page.replaceKey("/Resources", copy);
    doc.Changes().Mark(page);
}

} // namespace pdfhost::pdf
