// Renders the pages of one document snapshot off the user-interface thread
// and keeps the results per page and zoom.
//
// Contract: SetDocument() takes the PDF bytes of the document as it is in
// memory and loads them with the renderer (PageRaster) on the calling
// (user-interface) thread; it reads the page sizes (in points, page
// rotation applied) but renders nothing. Request() asks for one page at a width in pixels: a cached
// image is returned at once; otherwise a render job is queued (once per page and width while it is
// pending) on one worker thread and null is returned. When a job ends, pageReady(index) is emitted
// on the user-interface thread and the image is in the cache. Replace() swaps in new bytes after a
// change and drops the cached images of the pages named (only those are rendered again). Requests()
// counts the render jobs queued since the last SetDocument(), so tests can prove which pages were
// rendered. Pending() is the number of jobs not yet finished. Failure to load the bytes leaves no
// document (PageCount() 0) and returns false.
//
// The cache holds at most CacheLimit() bytes of images. When a finished
// image takes it past that, images go in this order until it fits: first
// those of a page at a width it is no longer asked for (an old zoom), least
// recently used first; then those farthest from the pages in view
// (SetInView()). Images of the pages in view at their current width are never
// dropped, so a view larger than the limit does not render itself over and
// over.
#pragma once

#include <QImage>
#include <QObject>
#include <QSizeF>
#include <QThreadPool>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "pdfhost/viewer/PageRaster.h"

namespace pdfhost::viewer {

class PageRenderer : public QObject {
    Q_OBJECT
  public:
    PageRenderer();
    ~PageRenderer() override;

    bool SetDocument(const std::string& bytes);
    bool Replace(const std::string& bytes, const std::set<int>& changedPages);
    void Clear();

    int PageCount() const { return static_cast<int>(sizes_.size()); }
    QSizeF PageSize(int index) const { return sizes_.at(static_cast<std::size_t>(index)); }

    const QImage* Request(int index, int widthPixels);
    int Requests() const { return requests_; }
    int Pending() const { return static_cast<int>(pending_.size()); }
    bool IsRendered(int index) const;
    bool IsRendered(int index, int widthPixels) const;

    // The pages the view shows, first to last (0-based, inclusive).
    void SetInView(int first, int last);
    void SetCacheLimit(std::int64_t bytes);
    std::int64_t CacheLimit() const { return limit_; }
    std::int64_t CachedBytes() const { return cachedBytes_; }

  signals:
    void pageReady(int index);

  private:
    struct Cached {
        QImage image;
        std::uint64_t used = 0; // Request() tick of the last use
    };
    using Key = std::pair<int, int>; // page index, width in pixels

    void Finished(std::uint64_t generation, int index, int width, QImage image);
    void Erase(std::map<Key, Cached>::iterator it);
    void Trim();
    bool Kept(const Key& key) const;

    QThreadPool pool_;
    std::shared_ptr<PageRaster> doc_;
    std::vector<QSizeF> sizes_;
    std::map<Key, Cached> cache_;
    std::set<Key> pending_;
    std::map<int, int> wanted_; // page index -> the width it was last asked for
    std::uint64_t generation_ = 0;
    std::uint64_t tick_ = 0;
    int requests_ = 0;
    int viewFirst_ = 0;
    int viewLast_ = -1;
    std::int64_t limit_ = std::int64_t{256} << 20;
    std::int64_t cachedBytes_ = 0;
};

} // namespace pdfhost::viewer
