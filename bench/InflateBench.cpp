// libdeflate against zlib for the balance scan's decoding, and the scan
// against decoding: every Flate content stream of a PDF is inflated with each
// engine and scanned, best of five.
//
//     inflate_bench FILE.pdf
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "pdfhost/pdf/ContentBalance.h"
#include "pdfhost/pdf/FlateInflater.h"

using namespace pdfhost::pdf;

namespace {

template <typename F> double BestOf(F&& f) {
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: inflate_bench FILE.pdf\n");
        return 2;
    }
    QPDF pdf;
    pdf.processFile(argv[1]);
    std::vector<std::string> raw;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
        for (QPDFObjectHandle& s : page.getPageContents())
            if (s.getDict().getKey("/Filter").isNameAndEquals("/FlateDecode")) {
                auto b = s.getRawStreamData();
                raw.emplace_back(reinterpret_cast<const char*>(b->getBuffer()), b->getSize());
            }
    std::size_t in = 0, out = 0;
    std::vector<std::string> decoded;
    for (const std::string& r : raw) {
        in += r.size();
        decoded.push_back(FlateInflater::Inflate(r).value_or(""));
        out += decoded.back().size();
    }
    std::printf("%zu streams, %.1f MB raw, %.1f MB decoded\n", raw.size(), in / 1e6, out / 1e6);
    for (auto [name, engine] : {std::pair{"libdeflate", FlateInflater::Engine::Deflate},
                                std::pair{"zlib", FlateInflater::Engine::Zlib}}) {
        const double t = BestOf([&] {
            for (const std::string& r : raw)
                (void)FlateInflater::Inflate(r, engine);
        });
        std::printf("%-10s %.3f s  %.0f MB/s decoded\n", name, t, out / 1e6 / t);
    }
    std::size_t opens = 0;
    const double scan = BestOf([&] {
        for (const std::string& d : decoded)
            opens += ContentBalance::Measure(d).openSaves;
    });
    std::printf("%-10s %.3f s  %.0f MB/s (%zu)\n", "scan", scan, out / 1e6 / scan, opens % 2);
    return 0;
}
