#include "pdfhost/viewer/PageRenderer.h"

#include <QPointer>
#include <QRunnable>

namespace pdfhost::viewer {
namespace {

std::shared_ptr<PageRaster> Load(const std::string& bytes, std::vector<QSizeF>& sizes) {
    std::shared_ptr<PageRaster> doc = PageRaster::Load(bytes);
    sizes = doc ? doc->Sizes() : std::vector<QSizeF>();
    return doc;
}

} // namespace

PageRenderer::PageRenderer() {
    // A document renders from one thread at a time.
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
    cachedBytes_ = 0;
    pending_.clear();
    wanted_.clear();
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
        cachedBytes_ = 0;
        wanted_.clear();
    } else {
        for (auto it = cache_.begin(); it != cache_.end();) {
            auto next = std::next(it);
            if (changedPages.count(it->first.first))
                Erase(it);
            it = next;
        }
    }
    sizes_ = std::move(sizes);
    return true;
}

bool PageRenderer::IsRendered(int index) const {
    auto it = cache_.lower_bound({index, 0});
    return it != cache_.end() && it->first.first == index;
}

bool PageRenderer::IsRendered(int index, int widthPixels) const {
    return cache_.count({index, widthPixels}) > 0;
}

void PageRenderer::SetInView(int first, int last) {
    viewFirst_ = first;
    viewLast_ = last;
}

void PageRenderer::SetCacheLimit(std::int64_t bytes) {
    limit_ = bytes;
    Trim();
}

void PageRenderer::Erase(std::map<Key, Cached>::iterator it) {
    cachedBytes_ -= it->second.image.sizeInBytes();
    cache_.erase(it);
}

bool PageRenderer::Kept(const Key& key) const {
    const auto wanted = wanted_.find(key.first);
    return key.first >= viewFirst_ && key.first <= viewLast_ && wanted != wanted_.end() &&
           wanted->second == key.second;
}

void PageRenderer::Trim() {
    while (cachedBytes_ > limit_) {
        // The image least worth keeping: an old zoom before any current one,
        // then the least recently used old zoom, or the current one farthest
        // from the view.
        auto victim = cache_.end();
        std::pair<int, std::int64_t> worst{-1, 0}; // (old zoom, merit), larger goes first
        for (auto it = cache_.begin(); it != cache_.end(); ++it) {
            if (Kept(it->first))
                continue;
            const auto wanted = wanted_.find(it->first.first);
            const bool old = wanted == wanted_.end() || wanted->second != it->first.second;
            const int index = it->first.first;
            const std::int64_t distance = index < viewFirst_  ? viewFirst_ - index
                                          : index > viewLast_ ? index - viewLast_
                                                              : 0;
            const std::pair<int, std::int64_t> score =
                old ? std::make_pair(1, -static_cast<std::int64_t>(it->second.used))
                    : std::make_pair(0, distance);
            if (victim == cache_.end() || score > worst) {
                victim = it;
                worst = score;
            }
        }
        if (victim == cache_.end())
            return; // only the pages in view are left
        Erase(victim);
    }
}

const QImage* PageRenderer::Request(int index, int widthPixels) {
    if (!doc_ || index < 0 || index >= PageCount() || widthPixels <= 0)
        return nullptr;
    const Key key(index, widthPixels);
    wanted_[index] = widthPixels;
    if (auto it = cache_.find(key); it != cache_.end()) {
        it->second.used = ++tick_;
        return &it->second.image;
    }
    if (!pending_.insert(key).second)
        return nullptr;
    ++requests_;
    const double dpi = 72.0 * widthPixels / PageSize(index).width();
    QPointer<PageRenderer> self(this);
    const std::uint64_t generation = generation_;
    std::shared_ptr<PageRaster> doc = doc_;
    pool_.start([self, doc, generation, index, widthPixels, dpi] {
        QImage image = doc->Render(index, dpi);
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
    Cached& entry = cache_[{index, width}];
    cachedBytes_ += image.sizeInBytes() - entry.image.sizeInBytes();
    entry.image = std::move(image);
    entry.used = ++tick_;
    Trim();
    emit pageReady(index);
}

} // namespace pdfhost::viewer
