#include "TestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace pdfhost::pdf::test {
namespace {

QPDFObjectHandle BoxArray(const Box& b) {
    return QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(b.llx, b.lly, b.urx, b.ury));
}

} // namespace

void MakePdf(const std::string& path, const std::vector<TestPage>& pages,
             const PdfOptions& options) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle font = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    auto makeResources = [&] {
        QPDFObjectHandle fonts = QPDFObjectHandle::newDictionary();
        fonts.replaceKey("/F1", font);
        QPDFObjectHandle r = QPDFObjectHandle::newDictionary();
        r.replaceKey("/Font", fonts);
        return r;
    };
    QPDFObjectHandle shared = pdf.makeIndirectObject(makeResources());
    QPDFObjectHandle root = pdf.getRoot().getKey("/Pages");
    if (options.inheritedMediaBox)
        root.replaceKey("/MediaBox", BoxArray(*options.inheritedMediaBox));
    if (options.inheritedCropBox)
        root.replaceKey("/CropBox", BoxArray(*options.inheritedCropBox));
    if (options.inheritedRotate)
        root.replaceKey("/Rotate", QPDFObjectHandle::newInteger(*options.inheritedRotate));
    if (std::any_of(pages.begin(), pages.end(), [](const TestPage& p) { return !p.ownResources; }))
        root.replaceKey("/Resources", shared);

    QPDFObjectHandle kids = QPDFObjectHandle::newArray();
    for (const TestPage& wanted : pages) {
        QPDFObjectHandle page = QPDFObjectHandle::newDictionary();
        page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
        page.replaceKey("/Parent", root);
        if (wanted.mediaBox)
            page.replaceKey("/MediaBox", BoxArray(*wanted.mediaBox));
        if (wanted.cropBox)
            page.replaceKey("/CropBox", BoxArray(*wanted.cropBox));
        if (wanted.rotate)
            page.replaceKey("/Rotate", QPDFObjectHandle::newInteger(*wanted.rotate));
        if (wanted.ownResources)
            page.replaceKey("/Resources", options.sharedResources ? shared : makeResources());
        if (wanted.contents.size() == 1) {
            page.replaceKey("/Contents", pdf.newStream(wanted.contents[0]));
        } else if (wanted.contents.size() > 1) {
            QPDFObjectHandle array = QPDFObjectHandle::newArray();
            for (const std::string& c : wanted.contents)
                array.appendItem(pdf.newStream(c));
            page.replaceKey("/Contents", array);
        }
        kids.appendItem(pdf.makeIndirectObject(page));
    }
    root.replaceKey("/Kids", kids);
    root.replaceKey("/Count", QPDFObjectHandle::newInteger(static_cast<long long>(pages.size())));
    if (!options.info.empty()) {
        QPDFObjectHandle info = QPDFObjectHandle::newDictionary();
        for (const auto& [key, value] : options.info)
            info.replaceKey("/" + key, QPDFObjectHandle::newString(value));
        pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(info));
    }

    QPDFWriter writer(pdf, path.c_str());
    writer.setStaticID(true);
    if (options.encrypt || !options.userPassword.empty())
        writer.setR6EncryptionParameters(options.userPassword.c_str(), "owner", true, true, true,
                                         true, true, options.allowModify, qpdf_r3p_full, true);
    writer.write();
}

std::set<std::string> ResourceNames(QPDFObjectHandle page) {
    QPDFObjectHandle resources = QPDFPageObjectHelper(page).getAttribute("/Resources", false);
    std::set<std::string> names;
    if (!resources.isDictionary())
        return names;
    for (const std::string& category : resources.getKeys())
        if (QPDFObjectHandle sub = resources.getKey(category); sub.isDictionary())
            for (const std::string& key : sub.getKeys())
                names.insert(category + key);
    return names;
}

PixelRect ToPixels(const Box& u, const Box& crop, int rotate, int dpi) {
    const double s = dpi / 72.0;
    const double w = crop.urx - crop.llx;
    const double h = crop.ury - crop.lly;
    double xs[2] = {u.llx - crop.llx, u.urx - crop.llx};
    double ys[2] = {u.lly - crop.lly, u.ury - crop.lly};
    double px[4], py[4];
    int n = 0;
    for (double dx : xs) {
        for (double dy : ys) {
            switch (rotate) {
            case 90:
                px[n] = dy, py[n] = dx;
                break;
            case 180:
                px[n] = w - dx, py[n] = dy;
                break;
            case 270:
                px[n] = h - dy, py[n] = w - dx;
                break;
            default:
                px[n] = dx, py[n] = h - dy;
            }
            ++n;
        }
    }
    return PixelRect{static_cast<int>(std::floor(*std::min_element(px, px + 4) * s)),
                     static_cast<int>(std::floor(*std::min_element(py, py + 4) * s)),
                     static_cast<int>(std::ceil(*std::max_element(px, px + 4) * s)),
                     static_cast<int>(std::ceil(*std::max_element(py, py + 4) * s))};
}

int DiffOutside(const Raster& a, const Raster& b, const PixelRect& except, int margin) {
    if (a.width != b.width || a.height != b.height) {
        ADD_FAILURE() << "renders differ in size: " << a.width << "x" << a.height << " vs "
                      << b.width << "x" << b.height;
        return -1;
    }
    int diffs = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const bool near = x >= except.x0 - margin && x < except.x1 + margin &&
                              y >= except.y0 - margin && y < except.y1 + margin;
            if (!near && !std::equal(a.Pixel(x, y), a.Pixel(x, y) + 3, b.Pixel(x, y)))
                ++diffs;
        }
    }
    return diffs;
}

int CountUnlike(const Raster& r, const PixelRect& rect, int margin, const std::uint8_t rgb[3],
                int tolerance) {
    int unlike = 0;
    for (int y = std::max(0, rect.y0 + margin); y < std::min(r.height, rect.y1 - margin); ++y) {
        for (int x = std::max(0, rect.x0 + margin); x < std::min(r.width, rect.x1 - margin); ++x) {
            const std::uint8_t* p = r.Pixel(x, y);
            for (int c = 0; c < 3; ++c) {
                if (std::abs(int(p[c]) - int(rgb[c])) > tolerance) {
                    ++unlike;
                    break;
                }
            }
        }
    }
    return unlike;
}

} // namespace pdfhost::pdf::test
