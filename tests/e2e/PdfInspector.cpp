#include "PdfInspector.h"

#include <cstdlib>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <regex>
#include <set>
#include <stdexcept>

namespace e2e {
namespace {

std::string NameOrEmpty(QPDFObjectHandle h) {
    if (h.isArray() && h.getArrayNItems() == 1)
        h = h.getArrayItem(0);
    return h.isName() ? h.getName() : "";
}

int IntOrZero(QPDFObjectHandle h) {
    return h.isInteger() ? static_cast<int>(h.getIntValue()) : 0;
}

bool IsImage(QPDFObjectHandle h) {
    return h.isStream() && h.getDict().getKey("/Subtype").isNameAndEquals("/Image");
}

} // namespace

PdfInspector::PdfInspector(const std::filesystem::path& pdf, const std::string& password)
    : pdf_(std::make_unique<QPDF>()) {
    try {
        pdf_->setSuppressWarnings(true);
        pdf_->processFile(pdf.c_str(), password.c_str());
    } catch (const std::exception& e) {
        throw std::runtime_error("qpdf cannot read " + pdf.string() + ": " + e.what());
    }
}

PdfInspector::~PdfInspector() = default;

int PdfInspector::PageCount() const {
    return static_cast<int>(QPDFPageDocumentHelper(*pdf_).getAllPages().size());
}

std::vector<ImageFacts> PdfInspector::Images() const {
    std::vector<ImageFacts> images;
    for (QPDFObjectHandle h : pdf_->getAllObjects()) {
        if (!IsImage(h))
            continue;
        QPDFObjectHandle dict = h.getDict();
        ImageFacts f;
        f.objectId = h.getObjectID();
        f.filter = NameOrEmpty(dict.getKey("/Filter"));
        f.colorSpace = NameOrEmpty(dict.getKey("/ColorSpace"));
        f.bitsPerComponent = IntOrZero(dict.getKey("/BitsPerComponent"));
        f.width = IntOrZero(dict.getKey("/Width"));
        f.height = IntOrZero(dict.getKey("/Height"));
        f.stampMarked = dict.getKey("/TalvaneStamp").isNameAndEquals("/Image");
        auto raw = h.getRawStreamData();
        f.rawData.assign(reinterpret_cast<const char*>(raw->getBuffer()), raw->getSize());
        images.push_back(std::move(f));
    }
    return images;
}

std::string PdfInspector::PageContent(int index) const {
    auto pages = QPDFPageDocumentHelper(*pdf_).getAllPages();
    Pl_Buffer buffer("content");
    pages.at(static_cast<std::size_t>(index)).pipeContents(&buffer);
    auto data = buffer.getBufferSharedPointer();
    return std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
}

std::vector<int> PdfInspector::DrawnImages(int index) const {
    auto pages = QPDFPageDocumentHelper(*pdf_).getAllPages();
    QPDFPageObjectHelper page = pages.at(static_cast<std::size_t>(index));
    const std::map<std::string, QPDFObjectHandle> named = page.getImages();
    const std::string content = PageContent(index);
    static const std::regex kDo(R"(/([^\s/\[\]()<>{}%]+)\s*Do\b)");
    std::set<int> ids;
    for (auto it = std::sregex_iterator(content.begin(), content.end(), kDo);
         it != std::sregex_iterator(); ++it) {
        const auto found = named.find("/" + (*it)[1].str());
        if (found != named.end())
            ids.insert(found->second.getObjectID());
    }
    return {ids.begin(), ids.end()};
}

std::vector<std::string> PdfInspector::ResourceNames(int index) const {
    auto pages = QPDFPageDocumentHelper(*pdf_).getAllPages();
    QPDFObjectHandle resources =
        pages.at(static_cast<std::size_t>(index)).getAttribute("/Resources", false);
    std::vector<std::string> names;
    if (!resources.isDictionary())
        return names;
    for (const std::string& category : resources.getKeys()) {
        QPDFObjectHandle sub = resources.getKey(category);
        if (!sub.isDictionary())
            continue;
        for (const std::string& key : sub.getKeys())
            names.push_back(category + key);
    }
    return names; // getKeys() is sorted
}

} // namespace e2e
