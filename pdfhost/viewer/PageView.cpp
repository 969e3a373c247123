#include "pdfhost/viewer/PageView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "pdfhost/viewer/PageRenderer.h"

namespace pdfhost::viewer {
namespace {

constexpr int kGap = 12;
constexpr double kPointsToPixels = 96.0 / 72.0;
constexpr int kSteps[] = {25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400};

} // namespace

PageView::PageView(PageRenderer& renderer, QWidget* parent)
    : QAbstractScrollArea(parent), renderer_(renderer) {
    setObjectName("pages");
    connect(&renderer_, &PageRenderer::pageReady, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(rects_.size()))
            viewport()->update(rects_[static_cast<std::size_t>(index)].translated(
                -horizontalScrollBar()->value(), -verticalScrollBar()->value()));
    });
}

double PageView::Scale() const {
    const int count = renderer_.PageCount();
    if (count == 0)
        return kPointsToPixels;
    double widest = 0, tallest = 0;
    for (int i = 0; i < count; ++i) {
        widest = std::max(widest, renderer_.PageSize(i).width());
        tallest = std::max(tallest, renderer_.PageSize(i).height());
    }
    const QSize room = viewport()->size() - QSize(2 * kGap, 2 * kGap);
    switch (mode_) {
    case ZoomMode::FitWidth:
        return std::max(0.05, room.width() / widest);
    case ZoomMode::FitPage:
        return std::max(0.05, std::min(room.width() / widest, room.height() / tallest));
    case ZoomMode::Percent:
        break;
    }
    return kPointsToPixels * percent_ / 100.0;
}

int PageView::EffectivePercent() const {
    return static_cast<int>(std::lround(Scale() / kPointsToPixels * 100.0));
}

void PageView::SetZoom(ZoomMode mode, int percent) {
    mode_ = mode;
    percent_ = std::clamp(percent, kMinPercent, kMaxPercent);
    const int keep = CurrentPage();
    Layout();
    if (keep >= 0)
        ShowPage(keep);
}

void PageView::ZoomIn() {
    const int now = EffectivePercent();
    for (int step : kSteps)
        if (step > now)
            return SetZoom(ZoomMode::Percent, step);
    SetZoom(ZoomMode::Percent, kMaxPercent);
}

void PageView::ZoomOut() {
    const int now = EffectivePercent();
    for (auto it = std::rbegin(kSteps); it != std::rend(kSteps); ++it)
        if (*it < now)
            return SetZoom(ZoomMode::Percent, *it);
    SetZoom(ZoomMode::Percent, kMinPercent);
}

void PageView::Layout() {
    rects_.clear();
    const double scale = Scale();
    int y = kGap;
    int widest = 0;
    for (int i = 0; i < renderer_.PageCount(); ++i) {
        const QSizeF points = renderer_.PageSize(i);
        const QSize size(std::max(1, static_cast<int>(std::lround(points.width() * scale))),
                         std::max(1, static_cast<int>(std::lround(points.height() * scale))));
        rects_.emplace_back(QPoint(kGap, y), size);
        widest = std::max(widest, size.width());
        y += size.height() + kGap;
    }
    contentWidth_ = widest + 2 * kGap;
    contentHeight_ = y;
    // Pages narrower than the widest are centred.
    for (QRect& r : rects_)
        r.moveLeft((std::max(contentWidth_, viewport()->width()) - r.width()) / 2);
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth_ - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, contentHeight_ - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(40);
    viewport()->update();
    UpdateCurrentPage();
    emit laidOut();
}

int PageView::CurrentPage() const {
    if (rects_.empty())
        return -1;
    const int top = verticalScrollBar()->value() + viewport()->height() / 2;
    // The page at the middle of the view (or the gap above it).
    auto it = std::lower_bound(rects_.begin(), rects_.end(), top,
                               [](const QRect& r, int y) { return r.bottom() + kGap < y; });
    if (it == rects_.end())
        --it;
    return static_cast<int>(it - rects_.begin());
}

void PageView::ShowPage(int index) {
    if (index < 0 || index >= static_cast<int>(rects_.size()))
        return;
    verticalScrollBar()->setValue(rects_[static_cast<std::size_t>(index)].top() - kGap);
    UpdateCurrentPage();
}

void PageView::UpdateCurrentPage() {
    const int now = CurrentPage();
    if (now != lastCurrent_) {
        lastCurrent_ = now;
        emit currentPageChanged(now);
    }
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QRect visible = event->rect().translated(offset);
    painter.fillRect(event->rect(), QColor(0x80, 0x80, 0x80));
    {
        // The renderer keeps what the whole view shows, whatever this paints.
        const int top = offset.y();
        const int bottom = top + viewport()->height();
        auto from = std::lower_bound(rects_.begin(), rects_.end(), top,
                                     [](const QRect& r, int y) { return r.bottom() < y; });
        auto to = std::lower_bound(from, rects_.end(), bottom,
                                   [](const QRect& r, int y) { return r.top() <= y; });
        renderer_.SetInView(static_cast<int>(from - rects_.begin()),
                            static_cast<int>(to - rects_.begin()) - 1);
    }
    auto first = std::lower_bound(rects_.begin(), rects_.end(), visible.top(),
                                  [](const QRect& r, int y) { return r.bottom() < y; });
    for (auto it = first; it != rects_.end() && it->top() <= visible.bottom(); ++it) {
        const int index = static_cast<int>(it - rects_.begin());
        const QRect target = it->translated(-offset);
        painter.fillRect(target.translated(2, 2), QColor(0x50, 0x50, 0x50));
        if (const QImage* image = renderer_.Request(index, it->width()))
            painter.drawImage(target, *image);
        else
            painter.fillRect(target, Qt::white);
    }
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const int keep = CurrentPage();
    Layout();
    if (mode_ != ZoomMode::Percent && keep > 0)
        ShowPage(keep);
}

void PageView::scrollContentsBy(int, int) {
    viewport()->update();
    UpdateCurrentPage();
}

} // namespace pdfhost::viewer
