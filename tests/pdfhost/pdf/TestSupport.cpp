#include "TestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include <jpeglib.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "pdfhost/core/Atoms.h"
#include "pdfhost/pdf/PdfTables.h"

namespace pdfhost::pdf::test {
namespace {

QPDFObjectHandle BoxArray(const Box& b) {
    return QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(b.llx, b.lly, b.urx, b.ury));
}

std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

int Run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

HostTableSet& Tables() {
    static HostTableSet* set = [] {
        static HostTableSet s;
        HostTableSet::FillWithStubs(s);
        InstallPdfTables(s);
        return &s;
    }();
    return *set;
}

ASAtom Atom(const std::string& name) {
    return Atoms::FromString(name);
}

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::path(::testing::TempDir()) / "pdfengine-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

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

std::string MakeJpeg(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    for (int x = 0; x < width; ++x) {
        row[static_cast<std::size_t>(x) * 3] = r;
        row[static_cast<std::size_t>(x) * 3 + 1] = g;
        row[static_cast<std::size_t>(x) * 3 + 2] = b;
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Raster Render(const std::string& pdf, int page, int dpi) {
    const std::string prefix = pdf + ".render-" + std::to_string(page);
    const std::string command = "pdftoppm -q -cropbox -r " + std::to_string(dpi) + " -f " +
                                std::to_string(page) + " -l " + std::to_string(page) +
                                " -singlefile " + Quote(pdf) + " " + Quote(prefix);
    Raster r;
    if (Run(command) != 0) {
        ADD_FAILURE() << "pdftoppm failed on " << pdf;
        return r;
    }
    const std::string ppm = ReadFile(prefix + ".ppm");
    std::remove((prefix + ".ppm").c_str());
    std::istringstream in(ppm);
    std::string magic;
    int maxval = 0;
    in >> magic >> r.width >> r.height >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255) {
        ADD_FAILURE() << "unexpected pdftoppm output for " << pdf;
        return Raster{};
    }
    r.rgb.resize(static_cast<std::size_t>(r.width) * r.height * 3);
    in.read(reinterpret_cast<char*>(r.rgb.data()), static_cast<std::streamsize>(r.rgb.size()));
    return r;
}

int QpdfCheck(const std::string& pdf) {
    return Run("qpdf --check " + Quote(pdf) + " >/dev/null 2>&1");
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
            if (!near && !std::equal(a.At(x, y), a.At(x, y) + 3, b.At(x, y)))
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
            const std::uint8_t* p = r.At(x, y);
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
