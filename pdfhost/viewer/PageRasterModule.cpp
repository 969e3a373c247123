// The renderer's library: poppler behind PageRaster. Built as a module that
// PageRaster::Load opens, so poppler and what it needs stay out of every
// process that never draws a page.
#include <memory>
#include <poppler-qt6.h>

#include "pdfhost/viewer/PageRaster.h"

namespace pdfhost::viewer {
namespace {

class PopplerRaster : public PageRaster {
  public:
    explicit PopplerRaster(std::unique_ptr<Poppler::Document> doc) : doc_(std::move(doc)) {
        doc_->setRenderHint(Poppler::Document::Antialiasing);
        doc_->setRenderHint(Poppler::Document::TextAntialiasing);
        const int count = doc_->numPages();
        sizes_.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            std::unique_ptr<Poppler::Page> page = doc_->page(i);
            // pageSizeF is the crop box with the page's rotation applied.
            sizes_.push_back(page ? page->pageSizeF() : QSizeF(612, 792));
        }
    }

    const std::vector<QSizeF>& Sizes() const override { return sizes_; }

    QImage Render(int index, double dpi) const override {
        if (std::unique_ptr<Poppler::Page> page = doc_->page(index))
            return page->renderToImage(dpi, dpi);
        return {};
    }

  private:
    std::unique_ptr<Poppler::Document> doc_;
    std::vector<QSizeF> sizes_;
};

} // namespace
} // namespace pdfhost::viewer

extern "C" __attribute__((visibility("default"))) pdfhost::viewer::PageRaster*
PdfhostLoadPageRaster(const char* bytes, std::size_t size) {
    using namespace pdfhost::viewer;
    std::unique_ptr<Poppler::Document> doc =
        Poppler::Document::loadFromData(QByteArray(bytes, static_cast<qsizetype>(size)));
    if (!doc || doc->isLocked())
        return nullptr;
    return std::make_unique<PopplerRaster>(std::move(doc)).release();
}
