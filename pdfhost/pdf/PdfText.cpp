#include "pdfhost/pdf/PdfText.h"

#include <cstring>

#include <qpdf/QUtil.hh>

namespace pdfhost::pdf {

std::string ToUtf8(const std::string& s) {
    auto starts = [&](const char* bom) { return s.compare(0, std::strlen(bom), bom) == 0; };
    if (starts("\xEF\xBB\xBF"))
        return s.substr(3);
    if (starts("\xFE\xFF"))
        return QUtil::utf16_to_utf8(s);
    if (starts("\xFF\xFE")) {
        std::string be = s;
        for (std::size_t i = 0; i + 1 < be.size(); i += 2)
            std::swap(be[i], be[i + 1]);
        return QUtil::utf16_to_utf8(be);
    }
    return QUtil::pdf_doc_to_utf8(s);
}

std::size_t CopyCut(const std::string& utf8, char* buffer, std::size_t size) {
    if (size == 0)
        return 0;
    std::size_t n = utf8.size() < size - 1 ? utf8.size() : size - 1;
    if (n < utf8.size())
        while (n > 0 && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80)
            --n;
    std::memcpy(buffer, utf8.data(), n);
    buffer[n] = '\0';
    return n;
}

} // namespace pdfhost::pdf
