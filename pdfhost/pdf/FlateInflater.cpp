#include "pdfhost/pdf/FlateInflater.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

} // namespace

void FlateInflater::DecompressorFree::operator()(libdeflate_decompressor* d) const {
    libdeflate_free_decompressor(d);
}

FlateInflater::FlateInflater(Engine engine) : engine_(engine) {}

FlateInflater::~FlateInflater() = default;

void FlateInflater::Reserve(std::size_t n) {
    if (size_ >= n)
        return;
    auto larger = std::make_unique_for_overwrite<char[]>(n);
    if (size_ > 0)
        std::memcpy(larger.get(), buffer_.get(), size_);
    buffer_ = std::move(larger);
    size_ = n;
}

std::optional<std::string_view> FlateInflater::WithZlib(std::string_view in) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return std::nullopt;
    Reserve(in.size() * 4 + 1024);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    int rc = Z_OK;
    while (true) {
        if (z.total_out == size_) {
            if (size_ >= kMaxOutput)
                break;
            Reserve(size_ * 2);
        }
        z.next_out = reinterpret_cast<Bytef*>(Room() + z.total_out);
        z.avail_out = static_cast<uInt>(std::min<std::size_t>(size_ - z.total_out, UINT32_MAX));
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK)
            break;
    }
    const std::size_t used = z.total_in;
    const std::size_t produced = z.total_out;
    inflateEnd(&z);
    if (rc != Z_STREAM_END || !OnlySpaceAfter(in, used))
        return std::nullopt;
    return std::string_view(Room(), produced);
}

std::optional<std::string_view> FlateInflater::WithDeflate(std::string_view in) {
    if (!decompressor_)
        decompressor_.reset(libdeflate_alloc_decompressor());
    if (!decompressor_)
        return WithZlib(in);
    // Page content typically inflates three to six times.
    std::size_t guess = in.size() * 6 + 4096;
    for (int attempt = 0; attempt < 3 && guess <= kMaxOutput; ++attempt) {
        Reserve(guess);
        std::size_t used = 0, produced = 0;
        const libdeflate_result r = libdeflate_zlib_decompress_ex(
            decompressor_.get(), in.data(), in.size(), Room(), size_, &used, &produced);
        if (r == LIBDEFLATE_SUCCESS) {
            if (!OnlySpaceAfter(in, used))
                return std::nullopt;
            return std::string_view(Room(), produced);
        }
        if (r != LIBDEFLATE_INSUFFICIENT_SPACE)
            return std::nullopt;
        guess = size_ * 4;
    }
    return WithZlib(in);
}

std::optional<std::string_view> FlateInflater::Decode(std::string_view zlibData) {
    return engine_ == Engine::Zlib ? WithZlib(zlibData) : WithDeflate(zlibData);
}

std::optional<std::string> FlateInflater::Inflate(std::string_view zlibData, Engine engine) {
    FlateInflater inflater(engine);
    const std::optional<std::string_view> data = inflater.Decode(zlibData);
    return data ? std::optional<std::string>(std::string(*data)) : std::nullopt;
}

} // namespace pdfhost::pdf
