// One document's pages as pictures, from the PDF renderer.
//
// Contract: Load() reads PDF bytes and returns the document, or null when
// they cannot be read, need a password, or the renderer cannot be loaded
// (the reason then goes to the host log once). The renderer lives in its
// own library (PageRasterModule), loaded on the first Load() and kept for
// the life of the process, so that runs that never show a page (scripts,
// `stamp`) neither load nor initialise it. Sizes() are in points, the crop
// box with the page's rotation applied (612 x 792 for a page the renderer
// cannot open). Render() draws one page at the given resolution, a null
// image on failure; one thread at a time may render a document.
#pragma once

#include <QImage>
#include <QSizeF>
#include <memory>
#include <string>
#include <vector>

namespace pdfhost::viewer {

class PageRaster {
  public:
    virtual ~PageRaster() = default;
    virtual const std::vector<QSizeF>& Sizes() const = 0;
    virtual QImage Render(int index, double dpi) const = 0;

    static std::shared_ptr<PageRaster> Load(const std::string& bytes);
};

// The one symbol the renderer's library exports: a document made from
// bytes, owned by the caller, or null.
using PageRasterFactory = PageRaster* (*)(const char* bytes, std::size_t size);
inline constexpr const char* kPageRasterFactory = "PdfhostLoadPageRaster";
inline constexpr const char* kPageRasterLibrary = "libpdfhost_raster.so";

} // namespace pdfhost::viewer
