#include "pdfhost/pdf/FlateInflater.h"

#include <memory>

#include <libdeflate.h>
#include <zlib.h>

namespace pdfhost::pdf {
namespace {

bool OnlySpaceAfter(std::string_view data, std::size_t used) {
    for (std::size_t i = used; i < data.size(); ++i) {
        const char c = data[i];
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t' && c != '\f' && c != '\0')
            return false;
    }
    return true;
}

std::optional<std::string> WithZlib(std::string_view in) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return std::nullopt;
    std::string out;
    out.resize(in.size() * 4 + 1024);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    int rc = Z_OK;
    while (true) {
        if (z.total_out == out.size()) {
            if (out.size() >= FlateInflater::kMaxOutput)
                break;
            out.resize(out.size() * 2);
        }
        z.next_out = reinterpret_cast<Bytef*>(out.data() + z.total_out);
        z.avail_out = static_cast<uInt>(out.size() - z.total_out);
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK)
            break;
    }
    const std::size_t used = z.total_in;
    out.resize(z.total_out);
    inflateEnd(&z);
    if (rc != Z_STREAM_END || !OnlySpaceAfter(in, used))
        return std::nullopt;
    return out;
}

struct DecompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

std::optional<std::string> WithDeflate(std::string_view in) {
    const std::unique_ptr<libdeflate_decompressor, DecompressorFree> d(
        libdeflate_alloc_decompressor());
    if (!d)
        return WithZlib(in);
    // Page content typically inflates three to six times.
    std::size_t guess = in.size() * 6 + 4096;
    std::string out;
    for (int attempt = 0; attempt < 3 && guess <= FlateInflater::kMaxOutput; ++attempt) {
        out.resize(guess);
        std::size_t used = 0, produced = 0;
        const libdeflate_result r = libdeflate_zlib_decompress_ex(
            d.get(), in.data(), in.size(), out.data(), out.size(), &used, &produced);
        if (r == LIBDEFLATE_SUCCESS) {
            if (!OnlySpaceAfter(in, used))
                return std::nullopt;
            out.resize(produced);
            return out;
        }
        if (r != LIBDEFLATE_INSUFFICIENT_SPACE)
            return std::nullopt;
        guess *= 4;
    }
    return WithZlib(in);
}

} // namespace

std::optional<std::string> FlateInflater::Inflate(std::string_view zlibData, Engine engine) {
    return engine == Engine::Zlib ? WithZlib(zlibData) : WithDeflate(zlibData);
}

} // namespace pdfhost::pdf
