#include "ToolRuns.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/wait.h>

#include <gtest/gtest.h>

namespace testsupport {
namespace {

std::string Quote(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct PipeCloser {
    void operator()(std::FILE* f) const { ::pclose(f); }
};

// Reads one header token of a PPM, skipping white space and comments.
bool ReadToken(std::FILE* in, std::string& token) {
    token.clear();
    int c = std::fgetc(in);
    while (c == '#' || c == ' ' || c == '\n' || c == '\r' || c == '\t') {
        if (c == '#')
            while (c != '\n' && c != EOF)
                c = std::fgetc(in);
        c = std::fgetc(in);
    }
    while (c != EOF && c != ' ' && c != '\n' && c != '\r' && c != '\t') {
        token += static_cast<char>(c);
        c = std::fgetc(in);
    }
    return !token.empty(); // the one white space after maxval is consumed
}

bool ReadPpm(std::FILE* in, Raster& raster) {
    std::string magic, width, height, maxval;
    if (!ReadToken(in, magic) || magic != "P6" || !ReadToken(in, width) || !ReadToken(in, height) ||
        !ReadToken(in, maxval) || maxval != "255")
        return false;
    raster.width = std::atoi(width.c_str());
    raster.height = std::atoi(height.c_str());
    if (raster.width <= 0 || raster.height <= 0)
        return false;
    raster.rgb.resize(static_cast<std::size_t>(raster.width) * raster.height * 3);
    return std::fread(raster.rgb.data(), 1, raster.rgb.size(), in) == raster.rgb.size();
}

} // namespace

std::vector<Raster> RenderPages(const std::filesystem::path& pdf, int first, int last, int dpi,
                                PageBox box) {
    const std::string command = std::string("pdftoppm -q") +
                                (box == PageBox::Crop ? " -cropbox" : "") + " -r " +
                                std::to_string(dpi) + " -f " + std::to_string(first) + " -l " +
                                std::to_string(last) + " " + Quote(pdf.string());
    std::unique_ptr<std::FILE, PipeCloser> in(::popen(command.c_str(), "r"));
    if (!in)
        return {};
    std::vector<Raster> pages;
    for (int page = first; page <= last; ++page) {
        Raster raster;
        if (!ReadPpm(in.get(), raster))
            return {};
        pages.push_back(std::move(raster));
    }
    return pages;
}

Raster RenderPage(const std::filesystem::path& pdf, int page, int dpi, PageBox box) {
    std::vector<Raster> pages = RenderPages(pdf, page, page, dpi, box);
    if (pages.size() != 1) {
        ADD_FAILURE() << "pdftoppm could not render page " << page << " of " << pdf;
        return Raster{};
    }
    return std::move(pages[0]);
}

int QpdfCheck(const std::filesystem::path& pdf) {
    const int raw =
        std::system(("qpdf --check " + Quote(pdf.string()) + " >/dev/null 2>&1").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

} // namespace testsupport
