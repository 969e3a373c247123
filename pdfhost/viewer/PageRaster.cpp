#include "pdfhost/viewer/PageRaster.h"

#include <filesystem>
#include <system_error>

#include "pdfhost/core/HostLog.h"
#include "pdfhost/core/SharedLibrary.h"

namespace pdfhost::viewer {
namespace {

// The renderer's library sits in lib/ beside the bin/ of the running
// program, in a build tree and in an installed one alike.
std::string LibraryPath() {
    std::error_code e;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", e);
    if (e)
        return kPageRasterLibrary;
    return (exe.parent_path() / ".." / "lib" / kPageRasterLibrary).lexically_normal().string();
}

PageRasterFactory Factory() {
    static const PageRasterFactory factory = []() -> PageRasterFactory {
        std::string error;
        // Never closed: images and documents it made may outlive any exit order.
        static SharedLibrary* const library = SharedLibrary::Open(LibraryPath(), error).release();
        if (!library) {
            HostLog::Report("cannot load the page renderer: " + error);
            return nullptr;
        }
        auto* symbol = reinterpret_cast<PageRasterFactory>(library->Symbol(kPageRasterFactory));
        if (!symbol)
            HostLog::Report(std::string("the page renderer has no ") + kPageRasterFactory);
        return symbol;
    }();
    return factory;
}

} // namespace

std::shared_ptr<PageRaster> PageRaster::Load(const std::string& bytes) {
    const PageRasterFactory factory = Factory();
    if (!factory)
        return nullptr;
    return std::shared_ptr<PageRaster>(factory(bytes.data(), bytes.size()));
}

} // namespace pdfhost::viewer
