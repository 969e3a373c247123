#include "JpegTestKit.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace jpegkit {
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

bool RunEncode(EncodeState* s, const QImage* picture, Variant variant) {
    if (setjmp(s->trap.jump))
        return false;
    jpeg_create_compress(&s->cinfo);
    jpeg_mem_dest(&s->cinfo, &s->buffer, &s->size);
    const bool gray = variant == Variant::Grayscale;
    s->cinfo.image_width = static_cast<JDIMENSION>(picture->width());
    s->cinfo.image_height = static_cast<JDIMENSION>(picture->height());
    s->cinfo.input_components = 3;
    s->cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&s->cinfo);
    if (gray)
        jpeg_set_colorspace(&s->cinfo, JCS_GRAYSCALE);
    jpeg_set_quality(&s->cinfo, 90, TRUE);
    if (variant == Variant::Progressive)
        jpeg_simple_progression(&s->cinfo);
    if (variant == Variant::Restarts)
        s->cinfo.restart_in_rows = 1;
    jpeg_start_compress(&s->cinfo, TRUE);
    // Library memory, not a vector: nothing with a destructor may live in this frame.
    JSAMPARRAY rows = (*s->cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&s->cinfo),
                                                    JPOOL_IMAGE, 3 * s->cinfo.image_width, 1);
    for (int y = 0; y < picture->height(); ++y) {
        for (int x = 0; x < picture->width(); ++x) {
            const QRgb p = picture->pixel(x, y);
            rows[0][3 * x] = static_cast<JSAMPLE>(qRed(p));
            rows[0][3 * x + 1] = static_cast<JSAMPLE>(qGreen(p));
            rows[0][3 * x + 2] = static_cast<JSAMPLE>(qBlue(p));
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

bool RunDecode(DecodeState* s, const std::vector<std::uint8_t>* file, Decoded* out) {
    if (setjmp(s->trap.jump))
        return false;
    jpeg_create_decompress(&s->cinfo);
    jpeg_mem_src(&s->cinfo, file->data(), static_cast<unsigned long>(file->size()));
    jpeg_read_header(&s->cinfo, TRUE);
    jpeg_start_decompress(&s->cinfo);
    out->width = static_cast<int>(s->cinfo.output_width);
    out->height = static_cast<int>(s->cinfo.output_height);
    out->components = s->cinfo.output_components;
    const size_t stride = size_t(out->width) * size_t(out->components);
    out->samples.resize(stride * size_t(out->height));
    while (s->cinfo.output_scanline < s->cinfo.output_height) {
        JSAMPROW rows[1] = {out->samples.data() + stride * s->cinfo.output_scanline};
        jpeg_read_scanlines(&s->cinfo, rows, 1);
    }
    jpeg_finish_decompress(&s->cinfo);
    return true;
}

} // namespace

std::vector<std::uint8_t> Encode(const QImage& picture, Variant variant) {
    EncodeState s{};
    s.cinfo.err = jpeg_std_error(&s.trap.manager);
    s.trap.manager.error_exit = Jump;
    s.trap.manager.output_message = Quiet;
    const bool ok = RunEncode(&s, &picture, variant);
    std::vector<std::uint8_t> bytes;
    if (ok)
        bytes.assign(s.buffer, s.buffer + s.size);
    jpeg_destroy_compress(&s.cinfo);
    std::free(s.buffer);
    return bytes;
}

std::optional<Decoded> Decode(const std::vector<std::uint8_t>& file) {
    DecodeState s{};
    s.cinfo.err = jpeg_std_error(&s.trap.manager);
    s.trap.manager.error_exit = Jump;
    s.trap.manager.output_message = Quiet;
    Decoded out;
    const bool ok = RunDecode(&s, &file, &out);
    jpeg_destroy_decompress(&s.cinfo);
    if (!ok)
        return std::nullopt;
    return out;
}

std::vector<Segment> Segments(const std::vector<std::uint8_t>& f) {
    std::vector<Segment> segments;
    size_t at = 0;
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
        Segment segment{marker, {}};
        if (marker != 0xD8 && marker != 0xD9 && at + 2 <= f.size()) {
            const size_t length = (size_t(f[at]) << 8) | f[at + 1];
            const size_t end = std::min(f.size(), at + length);
            segment.payload.assign(f.begin() + long(at + 2), f.begin() + long(end));
            at = end;
        }
        segments.push_back(std::move(segment));
        if (marker == 0xD9)
            break;
    }
    return segments;
}

} // namespace jpegkit
