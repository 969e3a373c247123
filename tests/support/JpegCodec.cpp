#include "JpegCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace testsupport {
namespace {

struct Trap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void Jump(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<Trap*>(cinfo->err)->jump, 1);
}
void Quiet(j_common_ptr) {}

struct EncodeState {
    jpeg_compress_struct cinfo;
    Trap trap;
    unsigned char* buffer;
    unsigned long size;
};

// Nothing with a destructor may live in this frame: libjpeg errors
// longjmp out of it.
bool RunEncode(EncodeState* s, int width, int height, const PixelFunction* pixel,
               const JpegOptions* options) {
    if (setjmp(s->trap.jump))
        return false;
    jpeg_create_compress(&s->cinfo);
    jpeg_mem_dest(&s->cinfo, &s->buffer, &s->size);
    s->cinfo.image_width = static_cast<JDIMENSION>(width);
    s->cinfo.image_height = static_cast<JDIMENSION>(height);
    s->cinfo.input_components = 3;
    s->cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&s->cinfo);
    if (options->grey)
        jpeg_set_colorspace(&s->cinfo, JCS_GRAYSCALE);
    jpeg_set_quality(&s->cinfo, options->quality, TRUE);
    if (options->progressive)
        jpeg_simple_progression(&s->cinfo);
    s->cinfo.restart_in_rows = options->restartRows;
    jpeg_start_compress(&s->cinfo, TRUE);
    JSAMPARRAY rows = (*s->cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&s->cinfo),
                                                    JPOOL_IMAGE, 3 * s->cinfo.image_width, 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = (*pixel)(x, y);
            rows[0][3 * x] = c.r;
            rows[0][3 * x + 1] = c.g;
            rows[0][3 * x + 2] = c.b;
        }
        jpeg_write_scanlines(&s->cinfo, rows, 1);
    }
    jpeg_finish_compress(&s->cinfo);
    return true;
}

struct DecodeState {
    jpeg_decompress_struct cinfo;
    Trap trap;
};

bool RunDecode(DecodeState* s, const std::uint8_t* data, std::size_t size, DecodedJpeg* out) {
    if (setjmp(s->trap.jump))
        return false;
    jpeg_create_decompress(&s->cinfo);
    jpeg_mem_src(&s->cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&s->cinfo, TRUE);
    jpeg_start_decompress(&s->cinfo);
    out->width = static_cast<int>(s->cinfo.output_width);
    out->height = static_cast<int>(s->cinfo.output_height);
    out->components = s->cinfo.output_components;
    const std::size_t stride = std::size_t(out->width) * std::size_t(out->components);
    out->samples.resize(stride * std::size_t(out->height));
    while (s->cinfo.output_scanline < s->cinfo.output_height) {
        JSAMPROW rows[1] = {out->samples.data() + stride * s->cinfo.output_scanline};
        jpeg_read_scanlines(&s->cinfo, rows, 1);
    }
    jpeg_finish_decompress(&s->cinfo);
    return true;
}

} // namespace

Bytes EncodeJpeg(int width, int height, const PixelFunction& pixel, const JpegOptions& options) {
    EncodeState s{};
    s.cinfo.err = jpeg_std_error(&s.trap.manager);
    s.trap.manager.error_exit = Jump;
    s.trap.manager.output_message = Quiet;
    const bool ok = RunEncode(&s, width, height, &pixel, &options);
    Bytes bytes;
    if (ok)
        bytes.assign(s.buffer, s.buffer + s.size);
    jpeg_destroy_compress(&s.cinfo);
    std::free(s.buffer);
    return bytes;
}

void WriteJpeg(const std::filesystem::path& path, int width, int height, const PixelFunction& pixel,
               const JpegOptions& options) {
    const Bytes bytes = EncodeJpeg(width, height, pixel, options);
    if (bytes.empty())
        throw std::runtime_error("cannot encode a JPEG for " + path.string());
    WriteFile(path, bytes);
    if (ReadBytes(path) != bytes)
        throw std::runtime_error("cannot write " + path.string());
}

Rgb DecodedJpeg::At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * components;
    if (components == 1)
        return {samples[i], samples[i], samples[i]};
    return {samples[i], samples[i + 1], samples[i + 2]};
}

std::optional<DecodedJpeg> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
    DecodeState s{};
    s.cinfo.err = jpeg_std_error(&s.trap.manager);
    s.trap.manager.error_exit = Jump;
    s.trap.manager.output_message = Quiet;
    DecodedJpeg out;
    const bool ok = RunDecode(&s, data, size, &out);
    jpeg_destroy_decompress(&s.cinfo);
    if (!ok)
        return std::nullopt;
    return out;
}

std::optional<DecodedJpeg> DecodeJpeg(const Bytes& file) {
    return DecodeJpeg(file.data(), file.size());
}

std::optional<DecodedJpeg> DecodeJpeg(const std::string& file) {
    return DecodeJpeg(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
}

std::vector<JpegSegment> JpegSegments(const Bytes& f) {
    std::vector<JpegSegment> segments;
    std::size_t at = 0;
    while (at + 1 < f.size()) {
        if (f[at] != 0xFF) { // entropy-coded data: skip to the next real marker
            ++at;
            continue;
        }
        const std::uint8_t marker = f[at + 1];
        if (marker == 0x00 || marker == 0xFF || (marker >= 0xD0 && marker <= 0xD7)) {
            ++at;
            continue;
        }
        at += 2;
        JpegSegment segment{marker, {}};
        if (marker != 0xD8 && marker != 0xD9 && at + 2 <= f.size()) {
            const std::size_t length = (std::size_t(f[at]) << 8) | f[at + 1];
            const std::size_t end = std::min(f.size(), at + length);
            segment.payload.assign(f.begin() + long(at + 2), f.begin() + long(end));
            at = end;
        }
        segments.push_back(std::move(segment));
        if (marker == 0xD9)
            break;
    }
    return segments;
}

} // namespace testsupport
