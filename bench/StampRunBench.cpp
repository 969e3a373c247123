// How long pdfhost takes to stamp every page of a large document, compared
// with a plain qpdf rewrite of the same document.
//
//     stamp_run_bench [PAGES [LINES]]      (defaults 2000 and 50)
//
// Makes a document of PAGES pages of LINES lines of text that share one
// /Resources dictionary, then times, best of three:
//   rewrite  reading it with qpdf and writing it with qpdf's default
//            settings (what `qpdf in.pdf out.pdf` does);
//   run      what one stamp run asks of the host: one image element, then
//            for every page an empty text element and the image, each
//            through acquire, add, write back, release;
//   save     writing the stamped document.
// and prints each time and its ratio to the rewrite.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/DocumentSaver.h"
#include "pdfhost/pdf/Documents.h"
#include "tests/support/EngineTables.h"
#include "tests/support/StampRun.h"

namespace {

namespace fs = std::filesystem;
using namespace pdfhost;

std::string PageText(int page, int lines) {
    std::string c = "0.2 0.2 0.2 rg\n";
    for (int line = 0; line < lines; ++line) {
        c += "BT /F1 10 Tf 72 " + std::to_string(740 - (line % 50) * 13) + " Td (Page " +
             std::to_string(page + 1) + ", line " + std::to_string(line + 1) +
             ": the quick brown fox jumps over the lazy dog again and again) Tj ET\n";
    }
    c += "0.5 w 72 60 m 540 60 l S\n";
    return c;
}

void MakeDocument(const std::string& path, int pages, int lines) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle resources = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >>"));
    QPDFObjectHandle root = pdf.getRoot().getKey("/Pages");
    QPDFObjectHandle kids = QPDFObjectHandle::newArray();
    for (int i = 0; i < pages; ++i) {
        QPDFObjectHandle page =
            QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] >>");
        page.replaceKey("/Parent", root);
        page.replaceKey("/Resources", resources);
        page.replaceKey("/Contents", pdf.newStream(PageText(i, lines)));
        kids.appendItem(pdf.makeIndirectObject(page));
    }
    root.replaceKey("/Kids", kids);
    root.replaceKey("/Count", QPDFObjectHandle::newInteger(pages));
    QPDFWriter writer(pdf, path.c_str());
    writer.write(); // streams compressed, as real files have them
}

std::string SmallJpeg() {
    // A 1x1 baseline JPEG; the run does not look inside it.
    static const unsigned char bytes[] = {
        0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00,
        0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x08, 0x06, 0x06, 0x07, 0x06,
        0x05, 0x08, 0x07, 0x07, 0x07, 0x09, 0x09, 0x08, 0x0A, 0x0C, 0x14, 0x0D, 0x0C, 0x0B, 0x0B,
        0x0C, 0x19, 0x12, 0x13, 0x0F, 0x14, 0x1D, 0x1A, 0x1F, 0x1E, 0x1D, 0x1A, 0x1C, 0x1C, 0x20,
        0x24, 0x2E, 0x27, 0x20, 0x22, 0x2C, 0x23, 0x1C, 0x1C, 0x28, 0x37, 0x29, 0x2C, 0x30, 0x31,
        0x34, 0x34, 0x34, 0x1F, 0x27, 0x39, 0x3D, 0x38, 0x32, 0x3C, 0x2E, 0x33, 0x34, 0x32, 0xFF,
        0xC0, 0x00, 0x0B, 0x08, 0x00, 0x01, 0x00, 0x01, 0x01, 0x01, 0x11, 0x00, 0xFF, 0xC4, 0x00,
        0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x09, 0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xDA, 0x00,
        0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x2A, 0x9F, 0xFF, 0xD9};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// The host calls of one stamp run over every page: the plug-in's own
// sequence, as the tests drive it.
void StampEveryPage(PDDoc doc, const std::string& jpeg) {
    ASErrorCode err = 0;
    const int pages = testsupport::EngineTables().pdModel.PDDocGetNumPages(&err, doc);
    if (err)
        throw std::runtime_error("host error " + ErrorTexts::For(err));
    const ASFixedMatrix m{ASInt32ToFixed(100), 0, 0, ASInt32ToFixed(100), ASInt32ToFixed(20),
                          ASInt32ToFixed(20)};
    testsupport::StampRun run(doc, jpeg, 1, 1, m, ASFixed{32768});
    for (int i = 0; i < pages; ++i)
        run.Append(i);
}

double Seconds(const std::function<void()>& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Best(int runs, const std::function<double()>& once) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, once());
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    const int lines = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
    std::string folder = (fs::temp_directory_path() / "stamp-run-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string input = folder + "/in.pdf";
    const std::string jpeg = folder + "/stamp.jpg";
    MakeDocument(input, pages, lines);
    std::ofstream(jpeg, std::ios::binary) << SmallJpeg();

    const double rewrite = Best(3, [&] {
        return Seconds([&] {
            QPDF pdf;
            pdf.processFile(input.c_str());
            QPDFWriter writer(pdf, (folder + "/rewritten.pdf").c_str());
            writer.write();
        });
    });
    double save = 1e30;
    const double run = Best(3, [&] {
        PDDoc doc = pdf::Documents::Open(input);
        const double t = Seconds([&] { StampEveryPage(doc, jpeg); });
        save = std::min(save, Seconds([&] {
                            pdf::DocumentSaver::Save(pdf::Document::FromHandle(doc),
                                                     folder + "/stamped.pdf", false);
                        }));
        pdf::Documents::Close(doc);
        return t;
    });

    std::printf("pages                 %d of %d lines (%.1f MB)\n", pages, lines,
                fs::file_size(input) / 1e6);
    std::printf("qpdf rewrite          %.3f s\n", rewrite);
    std::printf("stamp run             %.3f s   ratio to rewrite %.3f\n", run, run / rewrite);
    std::printf("stamp run + save      %.3f s   ratio to rewrite %.3f\n", run + save,
                (run + save) / rewrite);
    fs::remove_all(folder);
    return 0;
}
