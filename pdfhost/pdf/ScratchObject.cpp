#include "pdfhost/pdf/ScratchObject.h"

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/Documents.h"

namespace pdfhost::pdf {

ScratchObject::ScratchObject(const std::function<QPDFObjectHandle(QPDF&)>& make)
    : pdf_(std::make_unique<QPDF>()) {
    pdf_->emptyPDF();
    original_ = pdf_->makeIndirectObject(make(*pdf_));
}

ScratchObject::~ScratchObject() = default;

QPDFObjectHandle ScratchObject::In(Document& doc) {
    auto it = copies_.find(doc.Serial());
    if (it != copies_.end())
        return it->second;
    QPDFObjectHandle copy = doc.Pdf().copyForeignObject(original_);
    copies_.emplace(doc.Serial(), copy);
    return copy;
}

CosObj ScratchObject::CosHandle() {
    if (!cos_)
        cos_ = std::make_unique<CosPool>(pdf_.get(), this);
    QPDFObjectHandle dict = original_.isStream() ? original_.getDict() : original_;
    return cos_->WrapMirrored(dict);
}

void ScratchObject::Put(const std::string& key, QPDFObjectHandle value) {
    auto put = [&](QPDFObjectHandle target, QPDFObjectHandle v) {
        QPDFObjectHandle dict = target.isStream() ? target.getDict() : target;
        if (v.isNull())
            dict.removeKey(key);
        else
            dict.replaceKey(key, v);
    };
    put(original_, value.isIndirect() ? value : value.shallowCopy());
    for (auto it = copies_.begin(); it != copies_.end();) {
        auto doc = Documents::Find(it->first);
        if (!doc) {
            it = copies_.erase(it);
            continue;
        }
        put(it->second,
            value.isIndirect() ? doc->Pdf().copyForeignObject(value) : value.shallowCopy());
        ++it;
    }
}

} // namespace pdfhost::pdf
