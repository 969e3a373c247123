#include "PictureFiles.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include <jpeglib.h>

namespace e2e {

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "rgb(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

PixelFunction Solid(Rgb colour) {
    return [colour](int, int) { return colour; };
}

PixelFunction TopBottom(Rgb top, Rgb bottom, int height) {
    return [top, bottom, height](int, int y) { return y < height / 2 ? top : bottom; };
}

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void JumpOnError(j_common_ptr info) {
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    std::longjmp(failure->jump, 1);
}

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

void WriteJpeg(const std::filesystem::path& path, int width, int height, const PixelFunction& pixel,
               bool grey) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw std::runtime_error("cannot write " + path.string());
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file.get());
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * info.input_components);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            if (grey) {
                row[x] = static_cast<JSAMPLE>((c.r * 299 + c.g * 587 + c.b * 114) / 1000);
            } else {
                row[3 * x] = c.r;
                row[3 * x + 1] = c.g;
                row[3 * x + 2] = c.b;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
}

void WriteBmp(const std::filesystem::path& path, int width, int height,
              const PixelFunction& pixel) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride) * height;
    std::string out = "BM";
    PutLe(out, 54 + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(width), 4);
    PutLe(out, static_cast<std::uint32_t>(height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4); // BI_RGB
    PutLe(out, imageSize, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            row += static_cast<char>(c.b);
            row += static_cast<char>(c.g);
            row += static_cast<char>(c.r);
        }
        row.resize(static_cast<std::size_t>(stride), '\0');
        out += row;
    }
    std::ofstream(path, std::ios::binary) << out;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Rgb DecodedJpeg::At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * components;
    if (components == 1)
        return {samples[i], samples[i], samples[i]};
    return {samples[i], samples[i + 1], samples[i + 2]};
}

std::optional<DecodedJpeg> DecodeJpeg(const std::string& bytes) {
    jpeg_decompress_struct info{};
    JpegFailure failure{};
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = &JumpOnError;
    failure.manager.output_message = [](j_common_ptr) {};
    // The samples live on the heap behind a pointer that is not changed
    // after setjmp, so a jump back leaves nothing indeterminate.
    const auto samples = std::make_unique<std::vector<std::uint8_t>>();
    if (setjmp(failure.jump)) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const std::size_t rowBytes = static_cast<std::size_t>(info.output_width) *
                                 static_cast<std::size_t>(info.output_components);
    samples->resize(rowBytes * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = samples->data() + rowBytes * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    DecodedJpeg decoded;
    decoded.width = static_cast<int>(info.output_width);
    decoded.height = static_cast<int>(info.output_height);
    decoded.components = info.output_components;
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    decoded.samples = std::move(*samples);
    return decoded;
}

} // namespace e2e
