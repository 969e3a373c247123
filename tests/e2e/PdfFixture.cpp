#include "PdfFixture.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <string>

namespace e2e {
namespace {

QPDFObjectHandle GreenImage(QPDF& pdf) {
    std::string pixels;
    for (int i = 0; i < 4; ++i)
        pixels += std::string("\x00\xC0\x00", 3);
    QPDFObjectHandle image = QPDFObjectHandle::newStream(&pdf, pixels);
    QPDFObjectHandle dict = image.getDict();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dict.replaceKey("/Width", QPDFObjectHandle::newInteger(2));
    dict.replaceKey("/Height", QPDFObjectHandle::newInteger(2));
    dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceRGB"));
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    return image;
}

std::string ContentOf(const FixturePage& p) {
    std::string content = "0.2 0.4 0.8 rg 10 " + std::to_string(p.height - 20) + " " +
                          std::to_string(12 * p.number) + " 12 re f\n";
    if (p.ownImageLast)
        content += "q 40 0 0 40 140 100 cm /Own Do Q\n";
    return content;
}

} // namespace

std::vector<FixturePage> NumberedPages(int count, const FixturePage& like) {
    std::vector<FixturePage> pages;
    for (int n = 1; n <= count; ++n) {
        FixturePage p = like;
        p.number = n;
        pages.push_back(p);
    }
    return pages;
}

void WritePdf(const std::filesystem::path& path, const std::vector<FixturePage>& pages,
              const FixtureOptions& options) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper document(pdf);
    auto resourcesFor = [&](const FixturePage& p) {
        QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
        if (p.ownImageLast) {
            QPDFObjectHandle xobjects = QPDFObjectHandle::newDictionary();
            xobjects.replaceKey("/Own", GreenImage(pdf));
            resources.replaceKey("/XObject", xobjects);
        }
        return resources;
    };
    QPDFObjectHandle shared;
    if (options.sharedResources && !pages.empty())
        shared = pdf.makeIndirectObject(resourcesFor(pages.front()));
    for (const FixturePage& p : pages) {
        QPDFObjectHandle resources = shared.isInitialized() ? shared : resourcesFor(p);
        QPDFObjectHandle page = QPDFObjectHandle::newDictionary();
        page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
        page.replaceKey(
            "/MediaBox",
            QPDFObjectHandle::newArray(std::vector<QPDFObjectHandle>{
                QPDFObjectHandle::newInteger(0), QPDFObjectHandle::newInteger(0),
                QPDFObjectHandle::newInteger(p.width), QPDFObjectHandle::newInteger(p.height)}));
        if (p.rotate != 0)
            page.replaceKey("/Rotate", QPDFObjectHandle::newInteger(p.rotate));
        page.replaceKey("/Resources", resources);
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, ContentOf(p)));
        document.addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    }
    QPDFWriter writer(pdf, path.c_str());
    if (options.forbidChanges)
        writer.setR6EncryptionParameters("", "owner", true, true, true, true, true, false,
                                         qpdf_r3p_full, true);
    writer.write();
}

} // namespace e2e
