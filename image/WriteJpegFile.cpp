#include "image/WriteJpegFile.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <optional>

#include <jpeglib.h>

#include "image/DibLayout.h"
#include "image/DibToRgbRows.h"

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// Ours jumps back to the one frame that called into the library, keeping the
// message; everything libjpeg allocated stays owned by the compressor.
struct ErrorTrap {
    jpeg_error_mgr manager; // first: libjpeg hands this pointer back as cinfo->err
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void TrapError(j_common_ptr cinfo) {
    auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, trap->message);
    std::longjmp(trap->jump, 1);
}

// Warnings would go to standard error; the compression side has none that
// matter to the user.
void IgnoreMessage(j_common_ptr) {}

// Only trivially destructible members: it is the state that survives a jump.
struct Compression {
    jpeg_compress_struct cinfo;
    ErrorTrap trap;
};

class CompressorGuard {
  public:
    explicit CompressorGuard(Compression& c) : c_(c) {}
    ~CompressorGuard() { jpeg_destroy_compress(&c_.cinfo); }
    CompressorGuard(const CompressorGuard&) = delete;
    CompressorGuard& operator=(const CompressorGuard&) = delete;

  private:
    Compression& c_;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

enum class Outcome { Written, ConversionFailed, LibraryFailed };

// The only frame a libjpeg error jumps back into. Nothing with a destructor
// may live here, and nothing set after setjmp is read after the jump.
Outcome Compress(Compression& c, std::FILE* file, const DibLayout& layout,
                 std::span<const std::uint8_t> dib, int quality, std::string* error) {
    if (setjmp(c.trap.jump)) {
        jpeg_abort_compress(&c.cinfo);
        return Outcome::LibraryFailed;
    }
    jpeg_create_compress(&c.cinfo);
    jpeg_stdio_dest(&c.cinfo, file);
    c.cinfo.image_width = static_cast<JDIMENSION>(layout.width);
    c.cinfo.image_height = static_cast<JDIMENSION>(layout.height);
    c.cinfo.input_components = 3;
    c.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.cinfo);
    jpeg_set_quality(&c.cinfo, quality, TRUE);
    jpeg_start_compress(&c.cinfo, TRUE);

    const JDIMENSION rowLength = 3 * c.cinfo.image_width;
    JSAMPARRAY rows = (*c.cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&c.cinfo),
                                                   JPOOL_IMAGE, rowLength, c.cinfo.image_height);
    const std::span<std::uint8_t* const> rowSpan(rows, c.cinfo.image_height);
    if (!DibToRgbRows(dib, static_cast<int>(rowLength), rowSpan, error)) {
        jpeg_abort_compress(&c.cinfo);
        return Outcome::ConversionFailed;
    }
    jpeg_write_scanlines(&c.cinfo, rows, c.cinfo.image_height);
    jpeg_finish_compress(&c.cinfo);
    return Outcome::Written;
}

bool Fail(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
    return false;
}

} // namespace

bool WriteJpegFile(std::span<const std::uint8_t> dib, int quality, const std::string& path,
                   std::string* error) {
    if (quality < 0 || quality > 100 || dib.empty() || path.empty())
        return Fail(error, kInvalidInputData);

    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return Fail(error, "Cannot open " + path);

    // Conversion errors are known before the library is involved.
    std::string reason;
    const std::optional<DibLayout> layout = DibLayout::Read(dib, &reason);
    if (!layout)
        return Fail(error, reason);

    Compression c{};
    c.cinfo.err = jpeg_std_error(&c.trap.manager);
    c.trap.manager.error_exit = TrapError;
    c.trap.manager.output_message = IgnoreMessage;
    const Outcome outcome = [&] {
        CompressorGuard guard(c);
        return Compress(c, file.get(), *layout, dib, quality, &reason);
    }();

    if (outcome == Outcome::LibraryFailed)
        return Fail(error, "Cannot write JPEG file " + path + ": " + c.trap.message);
    if (outcome == Outcome::ConversionFailed)
        return Fail(error, reason);
    if (std::fclose(file.release()) != 0)
        return Fail(error, "Cannot write JPEG file " + path);
    return true;
}
