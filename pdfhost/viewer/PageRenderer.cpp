#include "pdfhost/viewer/PageRenderer.h"

#include <QPointer>
#include <QRunnable>
#include <poppler-qt6.h>

namespace pdfhost::viewer {
namespace {

std::shared_ptr<Poppler::Document> Load(const std::string& bytes, std::vector<QSizeF>& sizes) {
    std::shared_ptr<Poppler::Document> doc(
        Poppler::Document::loadFromData(
            QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())))
            .release());
    sizes.clear();
    if (!doc || doc->isLocked())
        return nullptr;
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    const int count = doc->numPages();
    sizes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<Poppler::Page> page = doc->page(i);
        // pageSizeF is the crop box with the page's rotation applied.
        sizes.push_back(page ? page->pageSizeF() : QSizeF(612, 792));
    }
    return doc;
}

} // namespace

PageRenderer::PageRenderer() {
    // Poppler renders one document from one thread at a time.
    pool_.setMaxThreadCount(1);
}

PageRenderer::~PageRenderer() {
    ++generation_;
    pool_.clear();
    pool_.waitForDone();
}

void PageRenderer::Clear() {
    ++generation_;
    pool_.clear();
    doc_.reset();
    sizes_.clear();
    cache_.clear();
    pending_.clear();
}

bool PageRenderer::SetDocument(const std::string& bytes) {
    Clear();
    requests_ = 0;
    doc_ = Load(bytes, sizes_);
    return doc_ != nullptr;
}

bool PageRenderer::Replace(const std::string& bytes, const std::set<int>& changedPages) {
    std::vector<QSizeF> sizes;
    auto doc = Load(bytes, sizes);
    if (!doc)
        return false;
    ++generation_;
    pool_.clear();
    pending_.clear();
    doc_ = std::move(doc);
    if (sizes != sizes_) {
        cache_.clear();
    } else {
        for (auto it = cache_.begin(); it != cache_.end();)
            it = changedPages.count(it->first.first) ? cache_.erase(it) : std::next(it);
    }
    sizes_ = std::move(sizes);
    return true;
}

bool PageRenderer::IsRendered(int index) const {
    auto it = cache_.lower_bound({index, 0});
    return it != cache_.end() && it->first.first == index;
}

const QImage* PageRenderer::Request(int index, int widthPixels) {
    if (!doc_ || index < 0 || index >= PageCount() || widthPixels <= 0)
        return nullptr;
    const auto key = std::make_pair(index, widthPixels);
    if (auto it = cache_.find(key); it != cache_.end())
        return &it->second;
    if (!pending_.insert(key).second)
        return nullptr;
    ++requests_;
    const double dpi = 72.0 * widthPixels / PageSize(index).width();
    QPointer<PageRenderer> self(this);
    const std::uint64_t generation = generation_;
    std::shared_ptr<Poppler::Document> doc = doc_;
    pool_.start([self, doc, generation, index, widthPixels, dpi] {
        QImage image;
        if (std::unique_ptr<Poppler::Page> page = doc->page(index))
            image = page->renderToImage(dpi, dpi);
        if (image.isNull()) {
            image = QImage(widthPixels, 1, QImage::Format_RGB32);
            image.fill(Qt::white);
        }
        QMetaObject::invokeMethod(
            self.get(),
            [self, generation, index, widthPixels, image = std::move(image)]() mutable {
                if (self)
                    self->Finished(generation, index, widthPixels, std::move(image));
            },
            Qt::QueuedConnection);
    });
    return nullptr;
}

void PageRenderer::Finished(std::uint64_t generation, int index, int width, QImage image) {
    if (generation != generation_)
        return; // made from bytes that were replaced since
    pending_.erase({index, width});
    cache_[{index, width}] = std::move(image);
    emit pageReady(index);
}

} // namespace pdfhost::viewer
