// The pages of the active document, one below the other, in a scroll area.
//
// Contract: shows the pages of its PageRenderer at the current zoom (fit
// width, fit page, or a percentage from 25 to 400; 100 % is 96 pixels per
// inch). Painting requests only the pages that intersect the viewport (and
// tells the renderer which pages those are, so its cache keeps them); a page
// not rendered yet is drawn as a white sheet and painted when pageReady
// arrives. CurrentPage() is the 0-based page at the middle of the view (-1
// without pages); currentPageChanged is emitted when it changes, laidOut
// after every layout (a zoom, a resize, new pages). ShowPage()
// scrolls so a page starts at the top. Layout() must be called after the
// renderer's pages change.
#pragma once

#include <QAbstractScrollArea>
#include <vector>

namespace pdfhost::viewer {

class PageRenderer;

enum class ZoomMode { FitWidth, FitPage, Percent };

class PageView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    static constexpr int kMinPercent = 25;
    static constexpr int kMaxPercent = 400;

    PageView(PageRenderer& renderer, QWidget* parent = nullptr);

    void Layout();
    void SetZoom(ZoomMode mode, int percent = 100);
    ZoomMode Mode() const { return mode_; }
    // The zoom in effect, as a percentage (also for the fit modes).
    int EffectivePercent() const;
    void ZoomIn();
    void ZoomOut();

    int CurrentPage() const;
    void ShowPage(int index);
    // The page rectangles in content coordinates (for tests and scripts).
    QRect PageRect(int index) const { return rects_.at(static_cast<std::size_t>(index)); }

  signals:
    void currentPageChanged(int index);
    // After every layout: the zoom in effect may have changed.
    void laidOut();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    double Scale() const; // pixels per point
    void UpdateCurrentPage();

    PageRenderer& renderer_;
    ZoomMode mode_ = ZoomMode::FitWidth;
    int percent_ = 100;
    std::vector<QRect> rects_;
    int contentWidth_ = 0;
    int contentHeight_ = 0;
    int lastCurrent_ = -1;
};

} // namespace pdfhost::viewer
