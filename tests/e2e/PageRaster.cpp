#include "PageRaster.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace e2e {
namespace {

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

Rgb Raster::At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

Rgb Raster::Average(int x0, int y0, int x1, int y1) const {
    long sum[3] = {0, 0, 0};
    long count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Rgb c = At(x, y);
            sum[0] += c.r;
            sum[1] += c.g;
            sum[2] += c.b;
            ++count;
        }
    }
    if (count == 0)
        return {};
    return {static_cast<std::uint8_t>(sum[0] / count), static_cast<std::uint8_t>(sum[1] / count),
            static_cast<std::uint8_t>(sum[2] / count)};
}

std::vector<Raster> RenderPages(const std::filesystem::path& pdf, int first, int last, int dpi) {
    const std::string command = "pdftoppm -q -r " + std::to_string(dpi) + " -f " +
                                std::to_string(first) + " -l " + std::to_string(last) + " '" +
                                pdf.string() + "'";
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

int CountDifferent(const Raster& a, const Raster& b, int tolerance) {
    if (a.width != b.width || a.height != b.height)
        return a.width * a.height + b.width * b.height;
    int count = 0;
    for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
        for (int k = 0; k < 3; ++k) {
            if (std::abs(a.rgb[i + k] - b.rgb[i + k]) > tolerance) {
                ++count;
                break;
            }
        }
    }
    return count;
}

} // namespace e2e
