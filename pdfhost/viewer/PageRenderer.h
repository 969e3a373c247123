// Renders the pages of one document snapshot off the user-interface thread
// and keeps the results per page and zoom.
//
// Contract: SetDocument() takes the PDF bytes of the document as it is in
// memory and loads them with poppler on the calling (user-interface) thread;
// it reads the page sizes (in points, page rotation applied) but renders
// nothing. Request() asks for one page at a width in pixels: a cached image
// is returned at once; otherwise a render job is queued (once per page and
// width while it is pending) on one worker thread and null is returned. When
// a job ends, pageReady(index) is emitted on the user-interface thread and the
// image is in the cache. Replace() swaps in new bytes after a change and
// drops the cached images of the pages named (only those are rendered
// again). Requests() counts the render jobs queued since the last
// SetDocument(), so tests can prove which pages were rendered. Pending() is
// the number of jobs not yet finished. Failure to load the bytes leaves no
// document (PageCount() 0) and returns false.
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

namespace Poppler {
class Document;
}

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

  signals:
    void pageReady(int index);

  private:
    void Finished(std::uint64_t generation, int index, int width, QImage image);

    QThreadPool pool_;
    std::shared_ptr<Poppler::Document> doc_;
    std::vector<QSizeF> sizes_;
    std::map<std::pair<int, int>, QImage> cache_;
    std::set<std::pair<int, int>> pending_;
    std::uint64_t generation_ = 0;
    int requests_ = 0;
};

} // namespace pdfhost::viewer
